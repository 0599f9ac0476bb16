#include "SingleInstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

SingleInstanceLock::~SingleInstanceLock() {
    Release();
}

std::string SingleInstanceLock::LockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime == '/') {
        return runtime;
    }
    const char* temporary = std::getenv("TMPDIR");
    return temporary != nullptr && *temporary == '/' ? temporary : "/tmp";
}

bool SingleInstanceLock::Acquire(const std::string& name) {
    Release();
    // The user id keeps users of a shared temporary folder apart.
    const std::string path = LockFolder() + "/" + name + "-" + std::to_string(getuid()) + ".lock";
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        return true;
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        close(fd_);
        fd_ = -1;
        return !heldElsewhere;
    }
    return true;
}

void SingleInstanceLock::Release() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}
