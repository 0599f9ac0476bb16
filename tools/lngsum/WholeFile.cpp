#include "WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "EveryByte.h"
#include "LanguageFile.h"
#include "RegularFile.h"

namespace lngsum {

namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a failing close is seen.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

}  // namespace

ReadResult ReadLanguageFile(const std::string& path, std::string& bytes) {
    switch (RegularFile::readWhole(path.c_str(), language_file::MaxFileBytes, bytes)) {
        case RegularFile::ReadResult::Read:
            return ReadResult::Read;
        case RegularFile::ReadResult::TooLarge:
            return ReadResult::TooLarge;
        case RegularFile::ReadResult::Unreadable:
            break;
    }
    return ReadResult::Unreadable;
}

bool ReplaceWhole(const std::string& path, const std::string& bytes) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return false;
    }
    std::string temporary = path + ".XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) {
        return false;
    }
    const bool written = ::fchmod(file.get(), status.st_mode & 07777) == 0 &&
                         WriteEveryByte(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (!file.Close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace lngsum
