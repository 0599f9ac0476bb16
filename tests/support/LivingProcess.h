// A process that lives as long as the object, to own a lock file.
#pragma once

#include "WaitingChild.h"

namespace test_support {

class LivingProcess : public WaitingChild {
  public:
    LivingProcess() : WaitingChild([] { return true; }) {}
};

}  // namespace test_support
