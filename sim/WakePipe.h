// Wakes the serving thread out of poll() at once, for a stop or a change it must act on.
#pragma once

namespace sim {

class WakePipe {
  public:
    WakePipe();
    ~WakePipe();
    WakePipe(const WakePipe&) = delete;
    WakePipe& operator=(const WakePipe&) = delete;

    bool isOpen() const { return readEnd_ >= 0; }
    int readEnd() const { return readEnd_; }  // poll this for POLLIN
    void wake();
    void drain();

  private:
    int readEnd_ = -1;
    int writeEnd_ = -1;
};

}  // namespace sim
