// orvatronic-sim: a simulated unit on a pseudo-terminal, for trying Kalvio without hardware.
#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "PortEntry.h"
#include "SimulatedUnit.h"

namespace {

constexpr int ExitUsage = 2;
constexpr int ExitFailure = 1;

// Blocked in every thread (the serving thread inherits the mask), taken by sigwait() below.
sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    sigaddset(&signals, SIGUSR2);
    return signals;
}

// Serves the fault signals until a stop signal arrives.
void WaitForStopSignal(const sigset_t& signals, sim::SimulatedUnit& unit, sim::Fault onDemand) {
    for (;;) {
        int received = 0;
        if (sigwait(&signals, &received) != 0) {
            continue;
        }
        if (received == SIGUSR1) {
            unit.setFault(onDemand);
        } else if (received == SIGUSR2) {
            unit.setFault(sim::Fault::None);
        } else {
            return;
        }
    }
}

std::string Folder(const sim::Options& options) {
    return sim::PortEntry::resolveFolder(options.folder);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const sim::CommandLineResult commandLine = sim::CommandLine::parse(arguments);
    if (commandLine.outcome == sim::CommandLineResult::Outcome::Help) {
        std::fputs(sim::CommandLine::usage().c_str(), stdout);
        return 0;
    }
    if (commandLine.outcome == sim::CommandLineResult::Outcome::Usage) {
        std::fprintf(stderr, "orvatronic-sim: %s\n%s", commandLine.problem.c_str(),
                     sim::CommandLine::usage().c_str());
        return ExitUsage;
    }

    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    sim::SimulatedUnit unit(commandLine.options);
    if (!unit.start()) {
        std::fprintf(stderr, "orvatronic-sim: %s\n", unit.errorText().c_str());
        return ExitFailure;
    }
    std::printf("orvatronic-sim: COM%u -> %s (in %s)\n", commandLine.options.portNumber,
                unit.slavePath().c_str(), Folder(commandLine.options).c_str());
    std::fflush(stdout);

    WaitForStopSignal(signals, unit, commandLine.options.signalFault);
    unit.stop();
    return 0;
}
