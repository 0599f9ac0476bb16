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
    const auto page = reader_queries::PageQueries(display_.ActivePageIndex());
    if (!page) {
        SleepMs(IdlePageSleepMs);
        return;
    }
    for (const reader_queries::Query* query : *page) {
        if (Terminated()) {
            return;
        }
        RunQuery(*query);
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

void Thread_Read::RunQuery(const reader_queries::Query& query) {
    ReplyBuffer reply{};
    if (!Query(query.command, reply)) {
        HandOverFailure(query);
        return;
    }
    const auto values = query.parse(reply.data(), {deviceState_, decimalSeparator_});
    if (!values) {
        return;
    }
    const auto show = [this, &query, &values] { query.show(display_, *values, false); };
    if (query.kind == reader_queries::Kind::Texts) {
        HandOver(query.routine, reader_queries::Remembered(*values), show);
        return;
    }
    modeNumber_ = values->mode;
    HandOverMode(query.routine, modeNumber_, show);
}

void Thread_Read::HandOverFailure(const reader_queries::Query& query) {
    if (query.kind == reader_queries::Kind::ModeZeroOnFailure) {
        modeNumber_ = 0;
    }
    // A mode query hands over a mode number for the layout; ModeKeptOnFailure hands over the one
    // the last mode query left, so the page keeps its layout.
    const reader_queries::HandOver unknown{modeNumber_, Unknown, Unknown};
    HandOverUnknown([this, &query, &unknown] { query.show(display_, unknown, true); });
}
