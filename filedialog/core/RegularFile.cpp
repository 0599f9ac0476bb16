#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

RegularFile::RegularFile(const char* path, Links links) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer, nor a device for its line; both
    // are refused below. On a regular file the flag changes nothing.
    const int flags =
        O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (links == Links::Refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(path, flags);
    if (fd < 0) {
        return;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(status.st_size);
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

long long RegularFile::readInto(char* buffer, std::size_t capacity) {
    if (fd_ < 0) {
        return -1;
    }
    std::size_t filled = 0;
    while (filled < capacity) {
        const ssize_t got = ::read(fd_, buffer + filled, capacity - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(filled);
}

RegularFile::ReadResult RegularFile::readWhole(const char* path, std::size_t maxBytes,
                                               std::string& bytes) {
    RegularFile file(path);
    if (!file.isOpen()) {
        return ReadResult::Unreadable;
    }
    if (file.size() > maxBytes) {
        return ReadResult::TooLarge;
    }
    // One byte more than allowed tells a file that grew past the limit while it was read.
    std::string buffer(maxBytes + 1, '\0');
    const long long got = file.readInto(buffer.data(), buffer.size());
    if (got < 0) {
        return ReadResult::Unreadable;
    }
    if (static_cast<std::size_t>(got) > maxBytes) {
        return ReadResult::TooLarge;
    }
    buffer.resize(static_cast<std::size_t>(got));
    bytes.swap(buffer);
    return ReadResult::Read;
}
