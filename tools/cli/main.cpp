// kalvio-cli: the unit's settings to and from a file, why a unit is not found, and the unit
// watched, recorded and drawn over time, from a terminal or a script.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "CliArguments.h"
#include "CliProgram.h"

int main(int argc, char** argv) {
    const ParsedCommandLine parsed =
        CliArguments::Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.arguments) {
        std::cerr << "kalvio-cli: " << parsed.problem << "\n" << CliArguments::Usage();
        return CliProgram::ExitUsage;
    }
    return CliProgram(std::cout, isatty(STDOUT_FILENO) == 1).Run(*parsed.arguments);
}
