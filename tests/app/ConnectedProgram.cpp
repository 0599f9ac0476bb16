#include "ConnectedProgram.h"

#include "ProcessingWait.h"

void ConnectedProgram::SetUp() {
    unit_ = sandbox_.StartUnit();
    ASSERT_NE(unit_, nullptr);
    windows_ = std::make_unique<ProgramWindows>([](const QString&) {});
    window_ = &windows_->Main();
    window_->show();
}

void ConnectedProgram::TearDown() {
    windows_.reset();
    unit_.reset();
}

bool ConnectedProgram::WaitConnected() {
    return WaitProcessingEvents(
        [this] { return window_->windowTitle() == "Kalvio - Quenzel AG    [Verbunden über COM5]"; },
        15000);
}
