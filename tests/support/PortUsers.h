// Other programs that use a port without holding it: a process whose controlling terminal it
// is (a login prompt, a shell), and a program that left its lock file. The lock folder and the
// kernel's folders are pointed at places of the test's own.
#pragma once

#include <sys/types.h>

#include <string>

#include "HostPlaces.h"

namespace test_support {

// A child process in a session of its own whose controlling terminal is the port, until the
// object goes (or, at the latest, a minute later).
class TerminalSession {
  public:
    explicit TerminalSession(const std::string& terminalPath);
    ~TerminalSession();
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    // True once the child has made the port its controlling terminal.
    bool started() const { return started_; }
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool started_ = false;
};

// A child process that lives until the object goes, to own a lock file.
class LivingProcess {
  public:
    LivingProcess();
    ~LivingProcess();
    LivingProcess(const LivingProcess&) = delete;
    LivingProcess& operator=(const LivingProcess&) = delete;
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_ = -1;
    int release_ = -1;
};

// The id of a process that has ended and been reaped.
pid_t EndedProcessId();

// Writes a lock file as serial programs do: the id as ten characters and a newline, or, when
// `binary`, as four bytes.
void WriteLockFile(const std::string& path, pid_t owner, bool binary = false);
std::string ReadWholeFile(const std::string& path);

// Puts other host places in force for the lifetime of the object.
class HostPlacesOverride {
  public:
    explicit HostPlacesOverride(const host_places::Places& places)
        : previous_(host_places::Current()) {
        host_places::Set(places);
    }
    ~HostPlacesOverride() { host_places::Set(previous_); }
    HostPlacesOverride(const HostPlacesOverride&) = delete;
    HostPlacesOverride& operator=(const HostPlacesOverride&) = delete;

  private:
    host_places::Places previous_;
};

}  // namespace test_support
