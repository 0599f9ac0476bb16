// The file a recording grows in. Each line goes out in one write() and is synced to the disk
// before the next, so that a kill or a power cut loses at most the line being written; a line
// that could not be written whole (a full disk) is cut off again. Past its size limit the
// file moves to FILE.1 (replacing an older FILE.1) and a new FILE begins with the header.
#pragma once

#include <cstdint>
#include <string>

class RecordFile {
  public:
    // maxSize 0: no limit.
    RecordFile(std::string path, std::string header, uint64_t maxSize);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens for appending; a new or empty file gets the header. A file that holds something
    // else than a recording with this header is refused, untouched. A recording whose last
    // line was cut off (the power went during a write) gets that line ended, so that the new
    // lines stay whole.
    bool Open(std::string& problem);
    bool Append(const std::string& line, std::string& problem);

  private:
    bool OpenFile(std::string& problem);
    bool HoldsThisHeader() const;
    bool EndsWithLineEnd() const;
    bool Rotate(std::string& problem);
    bool WriteWhole(const std::string& text, std::string& problem);

    std::string path_;
    std::string header_;
    uint64_t maxSize_;
    int descriptor_ = -1;
    uint64_t size_ = 0;
};
