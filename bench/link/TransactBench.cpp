// Round trips of "START.CMD" against the simulated unit, which runs as its own process so that
// this process holds only the PC's side of the line (and strace can count its calls alone).
//
//   transact_bench [transactions]
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "CommandProtocol.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint32_t PortNumber = 5;

pid_t StartSimulatedUnit(const std::string& folder) {
    const std::string program = ORVATRONIC_SIM_PROGRAM;
    const std::string port = std::to_string(PortNumber);
    char* const arguments[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--dir"),
                               const_cast<char*>(folder.c_str()),  const_cast<char*>("--port"),
                               const_cast<char*>(port.c_str()),    nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ) != 0) {
        return -1;
    }
    return child;
}

PortHandleValue OpenWhenPublished() {
    for (int attempt = 0; attempt < 500; ++attempt) {
        const PortHandleValue handle = ComPort_Open(PortNumber);
        if (handle != InvalidPortHandle) {
            return handle;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return InvalidPortHandle;
}

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

}  // namespace

int main(int argc, char* argv[]) {
    const long transactions = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000;
    if (transactions < 1 || transactions > 10'000'000) {
        std::fprintf(stderr, "usage: transact_bench [transactions]\n");
        return 2;
    }
    char folderPattern[] = "/tmp/kalvio-bench.XXXXXX";
    const char* folder = mkdtemp(folderPattern);
    if (folder == nullptr) {
        return 1;
    }
    setenv("KALVIO_DOSDEVICES", folder, 1);
    const pid_t unit = StartSimulatedUnit(folder);
    const PortHandleValue handle = unit > 0 ? OpenWhenPublished() : InvalidPortHandle;
    if (handle == InvalidPortHandle || ComPort_Configure(handle, 115200) != 0) {
        std::fprintf(stderr, "the simulated unit did not come up\n");
        return 1;
    }

    ReplyBuffer reply{};
    std::vector<double> roundTripsUs;
    roundTripsUs.reserve(static_cast<std::size_t>(transactions));
    std::size_t replyBytes = 0;
    long failures = 0;
    const auto start = Clock::now();
    for (long i = 0; i < transactions; ++i) {
        const auto before = Clock::now();
        const int result = ComPort_Transact(handle, "START.CMD", reply, TransactionTimeoutMs);
        roundTripsUs.push_back(
            std::chrono::duration<double, std::micro>(Clock::now() - before).count());
        failures += result != 0;
        replyBytes += std::strlen(reply.data()) + 2;  // STX and ETX are read too
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    ComPort_Close(handle);
    kill(unit, SIGTERM);
    waitpid(unit, nullptr, 0);
    rmdir(folder);

    std::printf("transactions        %ld (%ld failed)\n", transactions, failures);
    std::printf("per second          %.0f\n", static_cast<double>(transactions) / seconds);
    std::printf("mean round trip     %.1f us\n", seconds * 1e6 / static_cast<double>(transactions));
    std::printf("median / p99        %.1f / %.1f us\n", Percentile(roundTripsUs, 0.5),
                Percentile(roundTripsUs, 0.99));
    std::printf("reply bytes         %zu\n", replyBytes);
    return failures == 0 ? 0 : 1;
}
