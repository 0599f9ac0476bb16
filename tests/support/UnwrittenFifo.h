// A FIFO that nobody writes to: opening it for reading waits for ever unless the opener refuses
// to wait. A test that hands it to code under test cannot hang on it: after the deadline every
// reader is given a writer that closes at once (the reader then sees an empty file), and the
// test sees that a reader had to be released.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace test_support {

class UnwrittenFifo {
  public:
    explicit UnwrittenFifo(std::string path,
                           std::chrono::milliseconds deadline = std::chrono::milliseconds(10000));
    ~UnwrittenFifo();
    UnwrittenFifo(const UnwrittenFifo&) = delete;
    UnwrittenFifo& operator=(const UnwrittenFifo&) = delete;

    const std::string& path() const { return path_; }
    // True when something waited to open the FIFO past the deadline.
    bool readerWasReleased() const;

  private:
    void releaseAfter(std::chrono::milliseconds deadline);

    const std::string path_;
    mutable std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    bool released_ = false;
    std::thread watchdog_;
};

}  // namespace test_support
