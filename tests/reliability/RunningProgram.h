// The whole program, every window as the entry point makes them, over simulated units in a
// sandbox: the ground the reliability checks stand on. Each check ends by closing the main
// window, and the close must be over (threads stopped, windows gone) within two seconds.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "ProgramSandbox.h"
#include "ProgramWindows.h"
#include "SimulatedUnit.h"

class RunningProgram : public ::testing::Test {
  protected:
    static constexpr int CloseDeadlineMs = 2000;

    void TearDown() override;

    // A unit on COM<port>; the test fails when it cannot start.
    sim::SimulatedUnit& AddUnit(sim::Options options = {}, unsigned port = 5);
    void Open();
    // Closes the main window and destroys every window, as the end of the program does; the
    // milliseconds that took.
    qint64 CloseProgram();
    // Prints how long a close took, for the scripts' tables, and fails past the deadline.
    static void ExpectClosedInTime(qint64 milliseconds);

    // True once `unit` has heard `count` commands. The event loop keeps turning meanwhile: a
    // reader waiting to hand a result over sends nothing more until the GUI thread takes it.
    static bool Hears(const sim::SimulatedUnit& unit, std::size_t count);
    static bool WaitUntil(const std::function<bool()>& condition, int deadlineMs = 20000);
    bool ConnectedVia(unsigned port);
    bool Searching() const;
    QLineEdit* Field(const char* name) const;
    bool FieldShows(const char* name, const QString& text);
    bool StartPageShowsUnknown() const;

    ProgramSandbox sandbox_;
    std::vector<std::unique_ptr<sim::SimulatedUnit>> units_;
    std::unique_ptr<ProgramWindows> windows_;
    QStringList captions_;
};
