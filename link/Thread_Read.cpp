#include "Thread_Read.h"

#include <cstring>

#include "HandOverTexts.h"
#include "ReplyParser.h"

namespace {

constexpr const char* Unknown = hand_over_texts::Unknown;
constexpr int PortProbePauseMs = 10;
constexpr int CyclePauseMs = 10;
constexpr int IdlePageSleepMs = 100;

std::string PortName(uint32_t portNumber) {
    return "COM" + std::to_string(portNumber);
}

}  // namespace

Thread_Read::Thread_Read(GuiHandOver* gui, ReaderDisplay& display, DeviceStateRecord& deviceState,
                         char decimalSeparator)
    : WorkerThread(gui),
      display_(display),
      deviceState_(deviceState),
      decimalSeparator_(decimalSeparator) {}

Thread_Read::~Thread_Read() {
    Stop();
}

void Thread_Read::SearchOnly(uint32_t portNumber) {
    firstPort_ = portNumber;
    lastPort_ = portNumber;
}

void Thread_Read::Execute() {
    NameThread("Read");
    connected_ = false;
    while (!Terminated()) {
        // A search that found nothing gives PortLock up and asks again at once; a command the
        // writer took meanwhile has its turn first (PortLock goes in turns) and meets the closed
        // port.
        while (!connected_ && !Terminated()) {
            ConnectionSearch();
        }
        PollActivePage();
        SleepMs(CyclePauseMs);
    }
}

void Thread_Read::ConnectionSearch() {
    std::lock_guard<TurnLock> hold(PortLock);
    ComPort_Close(PortHandle);
    HandOverUnknown([this] { display_.PageReset(); });
    for (uint32_t port = firstPort_; port <= lastPort_ && !Terminated(); ++port) {
        const std::string portName = PortName(port);
        Synchronize([this, &portName] { display_.ShowSearchingCaption(portName); });
        connected_ = false;
        PortHandle = ComPort_Open(port);
        if (PortHandle != InvalidPortHandle && ProbePort(port)) {
            return;  // the port stays open for polling
        }
        ComPort_Close(PortHandle);
        SleepMs(PortProbePauseMs);
    }
}

bool Thread_Read::ProbePort(uint32_t portNumber) {
    if (ComPort_Configure(PortHandle, BaudRate) != 0) {
        return false;
    }
    ReplyBuffer reply{};
    if (ComPort_Transact(PortHandle, "VERSION.HW", reply, TransactionTimeoutMs,
                         TerminationFlag()) != 0) {
        deviceState_.SetDeviceType(std::string());
        return false;
    }
    const auto type = reply_parser::IdentifyDeviceType(reply.data());
    if (!type) {
        return false;
    }
    // The type is stored before the caption says connected, so whoever sees the caption can
    // read the type.
    deviceState_.SetDeviceType(*type);
    const std::string portName = PortName(portNumber);
    Synchronize([this, &portName] { display_.ShowConnectedCaption(portName); });
    connected_ = true;
    return true;
}

void Thread_Read::PollActivePage() {
    using QueryStep = void (Thread_Read::*)();
    static const QueryStep StartPage[] = {
        &Thread_Read::QueryStartMode, &Thread_Read::QueryStartGenerator,
        &Thread_Read::QueryStartDelay, &Thread_Read::QueryStartShift,
        &Thread_Read::QueryInputOutput};
    static const QueryStep SpeedPage[] = {
        &Thread_Read::QuerySpeedMode, &Thread_Read::QuerySpeedGenerator,
        &Thread_Read::QuerySpeedFactor, &Thread_Read::QuerySpeedValues,
        &Thread_Read::QueryInputOutput};
    static const QueryStep UnitPage[] = {&Thread_Read::QueryDevice, &Thread_Read::QueryFirmware};
    static const QueryStep PcPage[] = {&Thread_Read::QueryInputOutput};

    auto run = [this](const auto& steps) {
        for (QueryStep step : steps) {
            if (Terminated()) {
                return;
            }
            (this->*step)();
        }
    };
    switch (display_.ActivePageIndex()) {
        case 0:
            run(StartPage);
            break;
        case 1:
            run(SpeedPage);
            break;
        case 2:
            run(UnitPage);
            break;
        case 3:
            run(PcPage);
            break;
        default:
            SleepMs(IdlePageSleepMs);
            break;
    }
}

bool Thread_Read::Query(const char* command, ReplyBuffer& reply) {
    int result = 0;
    {
        std::lock_guard<TurnLock> hold(PortLock);
        result =
            ComPort_Transact(PortHandle, command, reply, TransactionTimeoutMs, TerminationFlag());
    }
    if (result != 0) {
        connected_ = false;
        return false;
    }
    return true;
}

void Thread_Read::HandOver(HandOverMemory::Routine routine, std::string values,
                           const std::function<void()>& show) {
    handedOver_.FollowEpoch(display_.DisplayEpoch());
    if (handedOver_.Repeats(routine, values)) {
        return;
    }
    Synchronize(show);
    handedOver_.Remember(routine, std::move(values));
}

void Thread_Read::HandOverMode(HandOverMemory::Routine routine, int mode,
                               const std::function<void()>& show) {
    handedOver_.FollowEpoch(display_.DisplayEpoch());
    const std::string values = std::to_string(mode);
    if (handedOver_.Repeats(routine, values)) {
        return;
    }
    Synchronize(show);
    handedOver_.ForgetAll();
    handedOver_.Remember(routine, values);
}

void Thread_Read::HandOverUnknown(const std::function<void()>& show) {
    Synchronize(show);
    handedOver_.ForgetAll();
}

void Thread_Read::QueryStartMode() {
    ReplyBuffer reply{};
    if (!Query("START.CMD", reply)) {
        modeNumber_ = 0;
        HandOverUnknown([this] { display_.StartModeDisplay(0, true); });
        return;
    }
    const auto mode = reply_parser::ParseStartMode(reply.data());
    if (!mode) {
        return;
    }
    deviceState_.StartModus = static_cast<int32_t>(*mode);
    modeNumber_ = static_cast<int>(*mode);
    HandOverMode(HandOverMemory::Routine::StartMode, modeNumber_,
                 [this, m = modeNumber_] { display_.StartModeDisplay(m, false); });
}

void Thread_Read::QueryStartGenerator() {
    ReplyBuffer reply{};
    if (!Query("START.GENERATOR", reply)) {
        HandOverUnknown([this] { display_.StartGeneratorDisplay(Unknown, Unknown); });
        return;
    }
    const auto times = reply_parser::ParseStartGenerator(reply.data());
    if (!times) {
        return;
    }
    deviceState_.StartGeneratorOn = static_cast<int32_t>(times->highMs);
    deviceState_.StartGeneratorOff = static_cast<int32_t>(times->lowMs);
    const std::string high = hand_over_texts::WithUnit(deviceState_.StartGeneratorOn, "ms");
    const std::string low = hand_over_texts::WithUnit(deviceState_.StartGeneratorOff, "ms");
    HandOver(HandOverMemory::Routine::StartGenerator, high + '\n' + low,
             [&] { display_.StartGeneratorDisplay(high, low); });
}

void Thread_Read::QueryStartDelay() {
    ReplyBuffer reply{};
    if (!Query("START.DELAY", reply)) {
        HandOverUnknown([this] { display_.StartDelayDisplay(Unknown); });
        return;
    }
    const auto delay = reply_parser::ParseUnsigned(reply.data());
    if (!delay) {
        return;
    }
    deviceState_.StartDelayMS = static_cast<int32_t>(*delay);
    const std::string text = hand_over_texts::WithUnit(deviceState_.StartDelayMS, "ms");
    HandOver(HandOverMemory::Routine::StartDelay, text, [&] { display_.StartDelayDisplay(text); });
}

void Thread_Read::QueryStartShift() {
    ReplyBuffer reply{};
    if (!Query("START.SHIFT", reply)) {
        HandOverUnknown([this] { display_.StartShiftDisplay(Unknown); });
        return;
    }
    const auto shift = reply_parser::ParseUnsigned(reply.data());
    if (!shift) {
        return;
    }
    deviceState_.StartDelayMM = static_cast<int32_t>(*shift);
    const std::string text = hand_over_texts::WithUnit(deviceState_.StartDelayMM, "mm");
    HandOver(HandOverMemory::Routine::StartShift, text, [&] { display_.StartShiftDisplay(text); });
}

void Thread_Read::QuerySpeedMode() {
    ReplyBuffer reply{};
    if (!Query("SPEED.CMD", reply)) {
        // The mode number stays as the last mode query left it, so the layout holds.
        HandOverUnknown([this, m = modeNumber_] { display_.SpeedModeDisplay(m, true); });
        return;
    }
    const auto mode = reply_parser::ParseSpeedMode(reply.data());
    if (!mode) {
        return;
    }
    deviceState_.SpeedModus = static_cast<int32_t>(*mode);
    modeNumber_ = static_cast<int>(*mode);
    HandOverMode(HandOverMemory::Routine::SpeedMode, modeNumber_,
                 [this, m = modeNumber_] { display_.SpeedModeDisplay(m, false); });
}

void Thread_Read::QuerySpeedGenerator() {
    ReplyBuffer reply{};
    if (!Query("SPEED.GENERATOR", reply)) {
        HandOverUnknown([this] { display_.SpeedGeneratorDisplay(Unknown); });
        return;
    }
    const auto speed = reply_parser::ParseSigned(reply.data());
    if (!speed) {
        return;
    }
    deviceState_.SpeedGenerator = *speed;
    const std::string text = hand_over_texts::WithUnit(*speed, "mm/s");
    HandOver(HandOverMemory::Routine::SpeedGenerator, text,
             [&] { display_.SpeedGeneratorDisplay(text); });
}

void Thread_Read::QuerySpeedFactor() {
    ReplyBuffer reply{};
    if (!Query("SPEED.FAKTOR", reply)) {
        HandOverUnknown([this] { display_.SpeedFactorDisplay(Unknown); });
        return;
    }
    const auto factor = reply_parser::ParseSigned(reply.data());
    if (!factor) {
        return;
    }
    deviceState_.SpeedFaktor = *factor;
    const std::string text = hand_over_texts::Factor(*factor, decimalSeparator_);
    HandOver(HandOverMemory::Routine::SpeedFactor, text,
             [&] { display_.SpeedFactorDisplay(text); });
}

void Thread_Read::QuerySpeedValues() {
    ReplyBuffer reply{};
    if (!Query("SPEED.SPEED", reply)) {
        HandOverUnknown([this] { display_.SpeedValuesDisplay(Unknown, Unknown); });
        return;
    }
    const auto speeds = reply_parser::ParseSpeedSpeed(reply.data());
    if (!speeds) {
        return;
    }
    deviceState_.SpeedInput = speeds->inputMmPerS;
    deviceState_.SpeedOutput = speeds->outputMmPerS;
    const std::string input = hand_over_texts::WithUnit(speeds->inputMmPerS, "mm/s");
    const std::string output = hand_over_texts::WithUnit(speeds->outputMmPerS, "mm/s");
    HandOver(HandOverMemory::Routine::SpeedValues, input + '\n' + output,
             [&] { display_.SpeedValuesDisplay(input, output); });
}

void Thread_Read::QueryDevice() {
    ReplyBuffer reply{};
    if (!Query("VERSION.HW", reply)) {
        HandOverUnknown([this] { display_.UnitDeviceDisplay(Unknown); });
        return;
    }
    if (reply_parser::IsErrorReply(reply.data())) {
        return;
    }
    const std::string text = reply.data();
    HandOver(HandOverMemory::Routine::UnitDevice, text, [&] { display_.UnitDeviceDisplay(text); });
}

void Thread_Read::QueryFirmware() {
    ReplyBuffer reply{};
    if (!Query("VERSION.SW", reply)) {
        HandOverUnknown([this] { display_.UnitFirmwareDisplay(Unknown); });
        return;
    }
    if (reply_parser::IsErrorReply(reply.data())) {
        return;
    }
    const std::string text = reply.data();
    HandOver(HandOverMemory::Routine::UnitFirmware, text,
             [&] { display_.UnitFirmwareDisplay(text); });
}

void Thread_Read::QueryInputOutput() {
    ReplyBuffer reply{};
    if (!Query("IO", reply)) {
        HandOverUnknown([this] { display_.InputOutputDisplay(Unknown, Unknown); });
        return;
    }
    const auto words = reply_parser::ParseIo(reply.data());
    if (!words) {
        return;
    }
    // Handed over as signed decimal renderings of the 32-bit words.
    const std::string word1 = hand_over_texts::Decimal(static_cast<int32_t>(words->word1));
    const std::string word2 = hand_over_texts::Decimal(static_cast<int32_t>(words->word2));
    HandOver(HandOverMemory::Routine::InputOutput, word1 + '\n' + word2,
             [&] { display_.InputOutputDisplay(word1, word2); });
}
