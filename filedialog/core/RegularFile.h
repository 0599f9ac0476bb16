// Reading a file that may be anything a folder holds, named by a user or a settings file: opening
// never waits (a FIFO without a writer, a device), and only a regular file is read. Plain C++
// and POSIX, shared by the file dialog's readers, the language files and the translators' tool.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class RegularFile {
  public:
    enum class Links { Follow, Refuse };
    enum class ReadResult { Read, Unreadable, TooLarge };

    // Open only when the path names a regular file that can be read.
    explicit RegularFile(const char* path, Links links = Links::Follow);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // The size when the file was opened.
    std::uint64_t size() const { return size_; }
    // Reads until the buffer is full or the file ends: the count read, or -1 on a read error.
    long long readInto(char* buffer, std::size_t capacity);

    // The whole file, when it is a regular file of at most maxBytes; one that is larger, or
    // grows past maxBytes while it is read, is TooLarge.
    static ReadResult readWhole(const char* path, std::size_t maxBytes, std::string& bytes);

  private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};
