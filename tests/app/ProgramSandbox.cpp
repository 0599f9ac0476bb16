#include "ProgramSandbox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <cstdlib>

ProgramSandbox::ProgramSandbox() {
    const QString base = QDir(QString::fromStdString(root_.path())).canonicalPath();
    QDir(base).mkpath("BIN");
    QDir(base).mkpath("ports");
    previousFolder_ = QDir::currentPath();
    QDir::setCurrent(base + "/BIN");
    setenv("XDG_RUNTIME_DIR", root_.path().c_str(), 1);
    ports_ = std::make_unique<test_support::PortFolderOverride>(root_.file("ports"));
}

ProgramSandbox::~ProgramSandbox() {
    ports_.reset();
    unsetenv("XDG_RUNTIME_DIR");
    QDir::setCurrent(previousFolder_);
}

std::unique_ptr<sim::SimulatedUnit> ProgramSandbox::StartUnit(int slowByteMs) const {
    sim::Options options;
    options.slowByteMs = slowByteMs;
    return StartUnit(options, 5);
}

std::unique_ptr<sim::SimulatedUnit> ProgramSandbox::StartUnit(sim::Options options,
                                                              unsigned port) const {
    options.folder = root_.file("ports");
    options.portNumber = port;
    auto unit = std::make_unique<sim::SimulatedUnit>(options);
    if (!unit->start()) {
        ADD_FAILURE() << unit->errorText();
        return nullptr;
    }
    return unit;
}
