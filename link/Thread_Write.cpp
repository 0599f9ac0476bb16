#include "Thread_Write.h"

#include "CommandProtocol.h"
#include "UnitCommands.h"

Thread_Write::Thread_Write() : WorkerThread(nullptr) {}

Thread_Write::~Thread_Write() {
    Stop();
}

std::string Thread_Write::Trimmed(const std::string& text) {
    auto isBlankOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlankOrControl(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlankOrControl(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

void Thread_Write::SetSlot(std::size_t index, const std::string& command) {
    std::string trimmed = Trimmed(command);
    std::lock_guard<std::mutex> guard(slotLock_);
    slots_[index] = std::move(trimmed);
}

std::array<std::string, Thread_Write::SlotCount> Thread_Write::SlotsSnapshot() {
    std::lock_guard<std::mutex> guard(slotLock_);
    return slots_;
}

std::optional<std::string> Thread_Write::TakeNextCommand() {
    std::lock_guard<std::mutex> guard(slotLock_);
    for (std::string& slot : slots_) {
        if (!slot.empty()) {
            std::string command;
            command.swap(slot);
            return command;
        }
    }
    return std::nullopt;
}

void Thread_Write::Execute() {
    NameThread("Write");
    // The slots start empty with the object; emptying them again here could drop a command
    // placed between Start() and this point.
    while (!Terminated()) {
        const auto command = TakeNextCommand();
        if (!command) {
            SleepMs(IdleSleepMs);
            continue;
        }
        Send(*command);
    }
}

void Thread_Write::Send(const std::string& command) {
    // The command buffer holds 99 characters and the terminating NUL.
    const std::string buffered = command.substr(0, CommandBufferBytes - 1);
    ReplyBuffer reply{};
    std::lock_guard<TurnLock> hold(PortLock);
    ComPort_Transact(PortHandle, buffered.c_str(), reply, TransactionTimeoutMs, TerminationFlag());
    if (buffered == unit_commands::Restart) {
        SleepMs(ResetHoldMs);
    }
}
