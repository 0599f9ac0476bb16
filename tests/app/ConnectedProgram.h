// The program as the entry point makes it, every window in its order, over a simulated unit on
// COM5 of a sandbox of its own; the fixture of the tests that drive it end to end.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "ProgramSandbox.h"
#include "ProgramWindows.h"
#include "SimulatedUnit.h"
#include "TForm_Main.h"

class ConnectedProgram : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Until the caption says the reader found the unit on COM5 (a generous deadline).
    bool WaitConnected();

    ProgramSandbox sandbox_;
    std::unique_ptr<sim::SimulatedUnit> unit_;
    std::unique_ptr<ProgramWindows> windows_;
    TForm_Main* window_ = nullptr;
};
