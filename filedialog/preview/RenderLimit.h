// When a picture reader of the preview gives up: at a deadline, so that no file can keep a
// reader busy for long, or as soon as the picture is no longer wanted (another one was
// selected), which another thread says through a flag.
#pragma once

#include <QDeadlineTimer>
#include <atomic>

class RenderLimit {
  public:
    // The time every metafile reader is given.
    static constexpr int MaxRenderMilliseconds = 5000;

    // The deadline runs from here.
    explicit RenderLimit(const std::atomic<bool>* cancelled = nullptr,
                         int milliseconds = MaxRenderMilliseconds)
        : deadline_(milliseconds), cancelled_(cancelled) {}

    bool reached() const {
        return deadline_.hasExpired() ||
               (cancelled_ != nullptr && cancelled_->load(std::memory_order_relaxed));
    }
    const std::atomic<bool>* cancelled() const { return cancelled_; }

  private:
    QDeadlineTimer deadline_;
    const std::atomic<bool>* cancelled_;
};
