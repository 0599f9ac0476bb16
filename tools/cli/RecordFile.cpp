#include "RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::string SystemReason() {
    return std::strerror(errno);
}

}  // namespace

RecordFile::RecordFile(std::string path, std::string header, uint64_t maxSize)
    : path_(std::move(path)), header_(std::move(header)), maxSize_(maxSize) {}

RecordFile::~RecordFile() {
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
}

bool RecordFile::Open(std::string& problem) {
    if (!OpenFile(problem)) {
        return false;
    }
    if (size_ == 0) {
        return WriteWhole(header_, problem);
    }
    if (!HoldsThisHeader()) {
        problem = "it is not a recording of this kind; name a new file";
        close(descriptor_);
        descriptor_ = -1;
        return false;
    }
    return EndsWithLineEnd() || WriteWhole("\n", problem);
}

bool RecordFile::OpenFile(std::string& problem) {
    descriptor_ = open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    struct stat status {};
    if (descriptor_ < 0 || fstat(descriptor_, &status) != 0) {
        problem = SystemReason();
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        problem = "it is not a regular file";
        return false;
    }
    size_ = static_cast<uint64_t>(status.st_size);
    return true;
}

bool RecordFile::HoldsThisHeader() const {
    const int reading = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (reading < 0) {
        return false;
    }
    std::vector<char> start(header_.size());
    const ssize_t got = read(reading, start.data(), start.size());
    close(reading);
    return got == static_cast<ssize_t>(start.size()) &&
           std::string(start.begin(), start.end()) == header_;
}

bool RecordFile::EndsWithLineEnd() const {
    const int reading = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (reading < 0) {
        return true;
    }
    char last = '\n';
    const bool read = pread(reading, &last, 1, static_cast<off_t>(size_ - 1)) == 1;
    close(reading);
    return !read || last == '\n';
}

bool RecordFile::Append(const std::string& line, std::string& problem) {
    if (maxSize_ != 0 && size_ > header_.size() && size_ + line.size() > maxSize_ &&
        !Rotate(problem)) {
        return false;
    }
    return WriteWhole(line, problem);
}

bool RecordFile::Rotate(std::string& problem) {
    close(descriptor_);
    descriptor_ = -1;
    if (std::rename(path_.c_str(), (path_ + ".1").c_str()) != 0) {
        problem = "could not move it to " + path_ + ".1: " + SystemReason();
        return false;
    }
    return OpenFile(problem) && WriteWhole(header_, problem);
}

bool RecordFile::WriteWhole(const std::string& text, std::string& problem) {
    const ssize_t written = write(descriptor_, text.data(), text.size());
    if (written != static_cast<ssize_t>(text.size())) {
        problem = written < 0 ? SystemReason() : "the disk is full";
        if (written > 0) {
            // Half a line is worse than none: the file ends with the last whole line again.
            [[maybe_unused]] const int cut = ftruncate(descriptor_, static_cast<off_t>(size_));
        }
        return false;
    }
    size_ += text.size();
    if (fdatasync(descriptor_) != 0) {
        problem = SystemReason();
        return false;
    }
    return true;
}
