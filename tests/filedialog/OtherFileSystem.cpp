#include "OtherFileSystem.h"

#include <sched.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>

OtherFileSystem::OtherFileSystem(const QByteArray& mountPoint) : mountPoint_(mountPoint) {
    if (::unshare(CLONE_NEWNS) != 0) {
        why_ = "no mount namespace of its own: " + QByteArray(std::strerror(errno));
    } else if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
               ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "mode=0755") != 0) {
        why_ = "cannot mount a tmpfs: " + QByteArray(std::strerror(errno));
    } else {
        mounted_ = true;
    }
}

OtherFileSystem::~OtherFileSystem() {
    if (mounted_) {
        ::umount2(mountPoint_.constData(), MNT_DETACH);
    }
}
