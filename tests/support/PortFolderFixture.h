// A test with a port folder of its own, which the link searches for COM ports for the test's
// lifetime, and opening a port in it as the reader and writer use it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "ComPort.h"
#include "TemporaryFolder.h"

namespace test_support {

class PortFolderFixture : public ::testing::Test {
  protected:
    TemporaryFolder folder_;
    PortFolderOverride override_{folder_.path()};
};

// Opens COM<portNumber> into `handle` and sets the unit's line speed.
inline ::testing::AssertionResult OpenConfigured(uint32_t portNumber, PortHandleValue& handle) {
    handle = ComPort_Open(portNumber);
    if (handle == InvalidPortHandle) {
        return ::testing::AssertionFailure() << "COM" << portNumber << " does not open";
    }
    if (ComPort_Configure(handle, 115200) != 0) {
        return ::testing::AssertionFailure() << "COM" << portNumber << " refuses its line speed";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace test_support
