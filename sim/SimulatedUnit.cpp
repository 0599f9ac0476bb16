#include "SimulatedUnit.h"

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <system_error>
#include <thread>

#include "CommandInterpreter.h"
#include "CommandLog.h"
#include "Configuration.h"
#include "LineAssembler.h"
#include "OutputQueue.h"
#include "PortEntry.h"
#include "PseudoTerminal.h"
#include "ReplyFramer.h"
#include "SignalModel.h"
#include "StateFile.h"
#include "WakePipe.h"

namespace sim {
namespace {

using Clock = std::chrono::steady_clock;

// poll() wakes at least this often even when nothing happens; stop() does not rely on it.
constexpr std::chrono::milliseconds IdleTick{100};
constexpr std::size_t ReadChunk = 512;

constexpr unsigned MaxPortNumber = 256;
constexpr unsigned MaxSwitchPosition = 15;
constexpr int MaxRebootMs = 60000;
constexpr int MaxSlowByteMs = 10000;
constexpr std::size_t MaxOversizedBytes = 1024 * 1024;
constexpr std::size_t MaxFirmwareLength = 200;

// An empty text when the options are usable, else what is wrong with them.
std::string CheckOptions(const Options& options) {
    if (options.portNumber < 1 || options.portNumber > MaxPortNumber) {
        return "port number must be 1 to 256";
    }
    if (options.switchPosition > MaxSwitchPosition) {
        return "switch position must be 0 to 15";
    }
    if (options.rebootMs < 0 || options.rebootMs > MaxRebootMs) {
        return "reboot time must be 0 to 60000 ms";
    }
    if (options.slowByteMs < 0 || options.slowByteMs > MaxSlowByteMs) {
        return "pause between slow bytes must be 0 to 10000 ms";
    }
    if (options.oversizedBytes < 1 || options.oversizedBytes > MaxOversizedBytes) {
        return "oversized reply must be 1 to 1048576 bytes";
    }
    if (options.firmware.size() > MaxFirmwareLength) {
        return "firmware text must have at most 200 characters";
    }
    return {};
}

int MillisecondsUntil(Clock::time_point when, Clock::time_point now) {
    if (when <= now) {
        return 0;
    }
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(when - now).count());
}

}  // namespace

struct SimulatedUnit::Impl {
    explicit Impl(Options unitOptions);

    bool start();
    void stop();
    bool plugIn();
    void unplug();
    void setFault(Fault newFault);
    std::string currentEntryPath() const;

    // Serving thread.
    void serve();
    void pollOnce();
    int pollTimeoutMs(Clock::time_point now) const;
    void readInput();
    void handleLine(const AssembledLine& line, Clock::time_point at);
    Answer answerLocked(const AssembledLine& line, Clock::time_point at);
    std::string replyBytesLocked(const std::string& payload);
    void queueFlowResume();

    void failWith(std::string text);

    const Options options;
    const SignalModel model;
    const CommandInterpreter interpreter;

    // start(), stop(), vanish() and reappear() are serialised by controlMutex; the serving
    // thread never takes it. The serving thread only reads terminal.master() while it runs.
    std::mutex controlMutex;
    std::string folder;
    PseudoTerminal terminal;
    PortEntry entry;
    WakePipe wake;
    std::thread server;
    std::atomic<bool> stopRequested{false};
    bool started = false;
    bool plugged = false;

    // Owned by the serving thread while it runs.
    LineAssembler assembler;
    OutputQueue output;
    bool lineBroken = false;

    // Everything a caller may look at, guarded by stateMutex.
    mutable std::mutex stateMutex;
    Fault fault;
    bool xoffSent = false;
    bool flowResumePending = false;
    Configuration configuration;
    CommandLog log;
    Clock::time_point silentUntil{};
    std::string error;
    std::string slavePath;
    std::string entryPath;
};

SimulatedUnit::Impl::Impl(Options unitOptions)
    : options(std::move(unitOptions)),
      model(options.device, options.switchRole, options.switchPosition, options.motion),
      interpreter(ReplyFramer::clean(DeviceText(options.device)),
                  ReplyFramer::clean(options.firmware)),
      fault(options.fault) {}

void SimulatedUnit::Impl::failWith(std::string text) {
    std::lock_guard<std::mutex> lock(stateMutex);
    error = std::move(text);
}

std::string SimulatedUnit::Impl::currentEntryPath() const {
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        if (!entryPath.empty()) {
            return entryPath;
        }
    }
    return PortEntry::entryPath(PortEntry::resolveFolder(options.folder), options.portNumber);
}

bool SimulatedUnit::Impl::start() {
    std::lock_guard<std::mutex> control(controlMutex);
    if (started) {
        return true;
    }
    failWith({});
    const std::string problem = CheckOptions(options);
    if (!problem.empty()) {
        failWith(problem);
        return false;
    }
    folder = PortEntry::resolveFolder(options.folder);
    if (folder.empty()) {
        failWith(std::string("no folder to publish COM") + std::to_string(options.portNumber) +
                 " in: name one or set " + PortEntry::FolderVariable);
        return false;
    }
    if (!wake.isOpen()) {
        failWith("cannot create the wake-up pipe");
        return false;
    }
    // Like the real unit after power-up: run what was stored. Without a usable file the stored
    // configuration of the previous run (factory settings at first) stays.
    const std::optional<Settings> fromFile =
        options.stateFile.empty() ? std::nullopt : StateFile(options.stateFile).load();
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        configuration = Configuration(fromFile.value_or(configuration.stored()));
        const Clock::time_point now = Clock::now();
        silentUntil = now;
        if (!log.begin(now, options.logFile)) {
            error = "cannot open the command log " + options.logFile;
            return false;
        }
        entryPath = PortEntry::entryPath(folder, options.portNumber);
    }
    if (!plugIn()) {
        std::lock_guard<std::mutex> lock(stateMutex);
        log.end();
        entryPath.clear();
        return false;
    }
    started = true;
    return true;
}

void SimulatedUnit::Impl::stop() {
    std::lock_guard<std::mutex> control(controlMutex);
    if (!started) {
        return;
    }
    if (plugged) {
        unplug();
    }
    std::lock_guard<std::mutex> lock(stateMutex);
    log.end();
    entryPath.clear();
    started = false;
}

bool SimulatedUnit::Impl::plugIn() {
    if (!terminal.open()) {
        failWith(terminal.errorText());
        return false;
    }
    if (!entry.publish(folder, options.portNumber, terminal.slavePath())) {
        failWith(entry.errorText());
        terminal.close();
        return false;
    }
    assembler.reset();
    output.clear();
    lineBroken = false;
    stopRequested = false;
    try {
        server = std::thread(&Impl::serve, this);
    } catch (const std::system_error& threadError) {
        failWith(std::string("cannot start the serving thread: ") + threadError.what());
        entry.remove();
        terminal.close();
        return false;
    }
    std::lock_guard<std::mutex> lock(stateMutex);
    slavePath = terminal.slavePath();
    plugged = true;
    return true;
}

void SimulatedUnit::Impl::unplug() {
    stopRequested = true;
    wake.wake();
    server.join();
    // Take the name away first, so nobody finds a link to a dead terminal.
    entry.remove();
    terminal.close();
    output.clear();
    assembler.reset();
    std::lock_guard<std::mutex> lock(stateMutex);
    slavePath.clear();
    plugged = false;
}

void SimulatedUnit::Impl::setFault(Fault newFault) {
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        if (fault == Fault::HoldXoff && newFault != Fault::HoldXoff && xoffSent) {
            flowResumePending = true;  // let the PC send again
        }
        if (newFault != fault) {
            xoffSent = false;
        }
        fault = newFault;
    }
    wake.wake();
}

void SimulatedUnit::Impl::serve() {
    while (!stopRequested.load()) {
        pollOnce();
    }
}

int SimulatedUnit::Impl::pollTimeoutMs(Clock::time_point now) const {
    const int idle = static_cast<int>(IdleTick.count());
    const std::optional<Clock::time_point> due = output.nextDue();
    if (!due || lineBroken) {
        return idle;
    }
    const int untilDue = MillisecondsUntil(*due, now);
    // A byte that is due now waits for POLLOUT instead.
    return untilDue == 0 ? idle : std::min(untilDue, idle);
}

void SimulatedUnit::Impl::pollOnce() {
    queueFlowResume();
    const Clock::time_point now = Clock::now();
    const std::optional<Clock::time_point> due = output.nextDue();
    const bool wantsToWrite = due && *due <= now;
    pollfd fds[2] = {
        // A negative descriptor is skipped by poll(): a broken line is only waited out.
        {lineBroken ? -1 : terminal.master(), short(POLLIN | (wantsToWrite ? POLLOUT : 0)), 0},
        {wake.readEnd(), POLLIN, 0},
    };
    if (::poll(fds, 2, pollTimeoutMs(now)) < 0) {
        return;  // EINTR; the loop polls again
    }
    if (fds[1].revents != 0) {
        wake.drain();
    }
    if (stopRequested.load()) {
        return;
    }
    if ((fds[0].revents & POLLIN) != 0) {
        readInput();
    }
    if ((fds[0].revents & (POLLERR | POLLNVAL)) != 0) {
        lineBroken = true;
    }
    if (!lineBroken && !output.empty() && !output.writeTo(terminal.master(), Clock::now())) {
        lineBroken = true;
    }
}

void SimulatedUnit::Impl::queueFlowResume() {
    bool resume = false;
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        std::swap(resume, flowResumePending);
    }
    if (resume) {
        output.push(std::string(1, static_cast<char>(Xon)), std::chrono::milliseconds(0),
                    Clock::now());
    }
}

void SimulatedUnit::Impl::readInput() {
    uint8_t buffer[ReadChunk];
    const ssize_t n = ::read(terminal.master(), buffer, sizeof buffer);
    if (n < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            lineBroken = true;
        }
        return;
    }
    const Clock::time_point at = Clock::now();
    for (ssize_t i = 0; i < n; ++i) {
        if (std::optional<AssembledLine> line = assembler.feed(buffer[i])) {
            handleLine(*line, at);
        }
    }
}

Answer SimulatedUnit::Impl::answerLocked(const AssembledLine& line, Clock::time_point at) {
    if (fault == Fault::ErrorToAll) {
        return {error_payload::Disturbed, Effect::None};
    }
    if (line.overlong) {
        return {error_payload::TooLong, Effect::None};
    }
    const auto sinceStart =
        std::chrono::duration_cast<std::chrono::milliseconds>(at - log.startTime());
    return interpreter.answer(line.text, configuration,
                              model.read(configuration.running(), sinceStart));
}

std::string SimulatedUnit::Impl::replyBytesLocked(const std::string& payload) {
    if (fault == Fault::HoldXoff) {
        if (xoffSent) {
            return {};
        }
        xoffSent = true;
        return std::string(1, static_cast<char>(Xoff));
    }
    return ReplyFramer::frame(payload, fault, options.oversizedBytes);
}

void SimulatedUnit::Impl::handleLine(const AssembledLine& line, Clock::time_point at) {
    std::string bytes;
    std::chrono::milliseconds pause{0};
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        log.record({at, line.text});
        if (at < silentUntil) {
            return;  // still rebooting: heard on the line, but nobody answers
        }
        const Answer answer = answerLocked(line, at);
        if (answer.effect == Effect::StoreConfiguration && !options.stateFile.empty()) {
            StateFile(options.stateFile).save(configuration.stored());
        }
        if (answer.effect == Effect::Reboot) {
            silentUntil = at + std::chrono::milliseconds(options.rebootMs);
            configuration.restart();
        }
        bytes = replyBytesLocked(answer.payload);
        if (fault == Fault::SlowBytes) {
            pause = std::chrono::milliseconds(options.slowByteMs);
        }
    }
    output.push(std::move(bytes), pause, Clock::now());
}

SimulatedUnit::SimulatedUnit(Options options) : impl_(std::make_unique<Impl>(std::move(options))) {}

SimulatedUnit::~SimulatedUnit() {
    impl_->stop();
}

bool SimulatedUnit::start() {
    return impl_->start();
}

void SimulatedUnit::stop() {
    impl_->stop();
}

std::string SimulatedUnit::errorText() const {
    std::lock_guard<std::mutex> lock(impl_->stateMutex);
    return impl_->error;
}

std::string SimulatedUnit::entryPath() const {
    return impl_->currentEntryPath();
}

std::string SimulatedUnit::slavePath() const {
    std::lock_guard<std::mutex> lock(impl_->stateMutex);
    return impl_->slavePath;
}

void SimulatedUnit::setFault(Fault fault) {
    impl_->setFault(fault);
}

void SimulatedUnit::vanish() {
    std::lock_guard<std::mutex> control(impl_->controlMutex);
    if (impl_->plugged) {
        impl_->unplug();
    }
}

bool SimulatedUnit::reappear() {
    std::lock_guard<std::mutex> control(impl_->controlMutex);
    if (!impl_->started) {
        impl_->failWith("the unit was not started");
        return false;
    }
    return impl_->plugged || impl_->plugIn();
}

std::vector<ReceivedCommand> SimulatedUnit::commands() const {
    std::lock_guard<std::mutex> lock(impl_->stateMutex);
    return impl_->log.entries();
}

void SimulatedUnit::clearCommands() {
    std::lock_guard<std::mutex> lock(impl_->stateMutex);
    impl_->log.clear();
}

bool SimulatedUnit::waitForCommands(std::size_t count, std::chrono::milliseconds deadline) const {
    constexpr std::chrono::milliseconds PollInterval{5};
    const Clock::time_point end = Clock::now() + deadline;
    while (true) {
        {
            std::lock_guard<std::mutex> lock(impl_->stateMutex);
            if (impl_->log.entries().size() >= count) {
                return true;
            }
        }
        if (Clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(PollInterval);
    }
}

Settings SimulatedUnit::settings() const {
    std::lock_guard<std::mutex> lock(impl_->stateMutex);
    return impl_->configuration.running();
}

Settings SimulatedUnit::storedSettings() const {
    std::lock_guard<std::mutex> lock(impl_->stateMutex);
    return impl_->configuration.stored();
}

}  // namespace sim
