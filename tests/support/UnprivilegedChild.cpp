#include "UnprivilegedChild.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace test_support {
namespace {

struct UserIds {
    uid_t uid;
    gid_t gid;
};

UserIds Nobody() {
    const passwd* entry = getpwnam("nobody");
    if (entry == nullptr) {
        throw std::runtime_error("there is no user nobody");
    }
    return UserIds{entry->pw_uid, entry->pw_gid};
}

}  // namespace

bool CanDropPrivileges() {
    return geteuid() == 0;
}

void GrantToNobody(const std::string& path) {
    const UserIds nobody = Nobody();
    if (chown(path.c_str(), nobody.uid, nobody.gid) != 0) {
        throw std::runtime_error("cannot hand " + path + " to nobody");
    }
}

int RunAsNobody(const std::function<int()>& body) {
    const UserIds nobody = Nobody();
    const pid_t child = fork();
    if (child < 0) {
        return UnprivilegedChildFailed;
    }
    if (child == 0) {
        // Groups first: once the user id is gone, so is the right to change them.
        if (setgroups(0, nullptr) != 0 || setgid(nobody.gid) != 0 || setuid(nobody.uid) != 0 ||
            setuid(0) == 0) {
            _exit(UnprivilegedChildFailed);
        }
        _exit(body());  // no close, no clean-up: like a process that ends with the port open
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return UnprivilegedChildFailed;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : UnprivilegedChildFailed;
}

}  // namespace test_support
