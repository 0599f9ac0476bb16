// One running instance per user: an advisory lock on a file in the user's runtime folder. The
// lock dies with its process, so a crashed instance never blocks the next start.
#pragma once

#include <string>

class SingleInstanceLock {
  public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this process now holds the lock named `name`; false when another instance
    // holds it. A lock file that cannot be made at all does not stop the program.
    bool Acquire(const std::string& name);
    void Release();

    // $XDG_RUNTIME_DIR, else the system's temporary folder.
    static std::string LockFolder();

  private:
    int fd_ = -1;
};
