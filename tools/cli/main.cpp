// kalvio-cli: the unit's settings to and from a file, why a unit is not found, and the unit
// watched, recorded and drawn over time, from a terminal or a script.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "CliArguments.h"
#include "CliProgram.h"
#ifdef KALVIO_CLI_PLOT
#include "PlotCommand.h"
#endif

int main(int argc, char** argv) {
    const ParsedCommandLine parsed =
        CliArguments::Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.arguments) {
        std::cerr << "kalvio-cli: " << parsed.problem << "\n" << CliArguments::Usage();
        return CliProgram::ExitUsage;
    }
#ifdef KALVIO_CLI_PLOT
    const CliProgram::PlotCommand plot = &PlotRecording;
#else
    const CliProgram::PlotCommand plot = nullptr;
#endif
    return CliProgram(std::cout, isatty(STDOUT_FILENO) == 1, plot).Run(*parsed.arguments);
}
