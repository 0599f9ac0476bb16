// A place for one run of the program inside a test: its start folder BIN under a temporary
// root (the data folders land beside it), a port folder that KALVIO_DOSDEVICES names, and the
// single-instance lock in the root. Everything is put back when it goes.
#pragma once

#include <QString>
#include <memory>

#include "SimulatedUnit.h"
#include "TemporaryFolder.h"

class ProgramSandbox {
  public:
    ProgramSandbox();
    ~ProgramSandbox();
    ProgramSandbox(const ProgramSandbox&) = delete;
    ProgramSandbox& operator=(const ProgramSandbox&) = delete;

    // A simulated unit on COM5 of the port folder, serving; nothing (and a test failure) when
    // it cannot start.
    std::unique_ptr<sim::SimulatedUnit> StartUnit(int slowByteMs = 50) const;
    // Any unit in the port folder: options as given, published as COM<port>.
    std::unique_ptr<sim::SimulatedUnit> StartUnit(sim::Options options, unsigned port) const;
    const test_support::TemporaryFolder& Root() const { return root_; }

  private:
    test_support::TemporaryFolder root_;
    QString previousFolder_;
    std::unique_ptr<test_support::PortFolderOverride> ports_;
};
