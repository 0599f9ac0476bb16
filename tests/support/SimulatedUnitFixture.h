// A test with a port folder of its own and a simulated unit that the test starts in it when it
// needs one.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "PortFolderFixture.h"
#include "SimulatedUnit.h"

namespace test_support {

class SimulatedUnitFixture : public PortFolderFixture {
  protected:
    // Starts a unit with `options`, published in this test's folder (on COM5 unless the
    // options name another port).
    void startUnit(sim::Options options = {}) {
        options.folder = folder_.path();
        unit_ = std::make_unique<sim::SimulatedUnit>(options);
        ASSERT_TRUE(unit_->start()) << unit_->errorText();
    }

    std::unique_ptr<sim::SimulatedUnit> unit_;
};

}  // namespace test_support
