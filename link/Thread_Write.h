// The writer thread: sends the commands that the GUI places into its three slots, slot 1
// first, one transaction at a time under PortLock, and keeps the lock for 500 ms after
// "RESET" so that no query reaches the rebooting unit.
#pragma once

#include <array>
#include <mutex>
#include <optional>
#include <string>

#include "WorkerThread.h"

class Thread_Write : public WorkerThread {
  public:
    static constexpr std::size_t SlotCount = 3;
    static constexpr int ResetHoldMs = 500;
    static constexpr int IdleSleepMs = 100;
    static constexpr std::size_t CommandBufferBytes = 100;

    Thread_Write();
    ~Thread_Write() override;

    // Called on the GUI thread; never block on a transaction. A slot still holding an unsent
    // command gets the new one instead.
    void SetSlot1(const std::string& command) { SetSlot(0, command); }
    void SetSlot2(const std::string& command) { SetSlot(1, command); }
    void SetSlot3(const std::string& command) { SetSlot(2, command); }

    // What the slots hold now, for observing the hand-over.
    std::array<std::string, SlotCount> SlotsSnapshot();

    // Leading and trailing characters up to and including the blank removed.
    static std::string Trimmed(const std::string& text);

  protected:
    void Execute() override;

  private:
    void SetSlot(std::size_t index, const std::string& command);
    // Takes the first filled slot's text and empties that slot, in one step.
    std::optional<std::string> TakeNextCommand();
    void Send(const std::string& command);

    std::mutex slotLock_;  // held only while a slot is read or written, never across a send
    std::array<std::string, SlotCount> slots_;
};
