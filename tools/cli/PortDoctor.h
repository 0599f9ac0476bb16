// Why a unit is not found: looks at each candidate device node and tells, in sentences a
// technician understands, what stands in the way and the command that removes it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ProcessTable.h"

class PortDoctor {
  public:
    enum class Answer { NotTried, Unit, OtherDevice, NoAnswer, NotOpened };

    struct NodeReport {
        uint32_t portNumber = 0;
        std::string path;
        bool exists = false;  // a device node stands behind the name
        bool mayOpen = false;
        std::string group;            // the node's group, when the user may not open it
        bool groupAllows = false;     // the group may read and write the node
        bool inGroup = false;         // this session has the group
        bool inGroupAtLogin = false;  // the user's account has it (maybe not this session yet)
        bool heldByOther = false;     // another program opened it exclusively (as Kalvio does)
        // Uses that keep Kalvio off the port without holding it exclusively.
        bool isConsole = false;                           // the kernel writes its messages there
        std::optional<ProcessTable::Process> terminalOf;  // a process whose terminal it is
        std::optional<ProcessTable::Process> lockOwner;   // pid 0: the owner cannot be read
        std::string lockFile;
        std::vector<ProcessTable::Process> holders;  // processes that have it open
        bool holdersComplete = true;
        Answer answer = Answer::NotTried;
        std::string deviceText;  // what the unit answered
    };

    // The ports worth examining: every COMn entry of the KALVIO_DOSDEVICES folder when set,
    // else the serial ports with a UART and the USB adapters that exist.
    static std::vector<uint32_t> CandidatePorts();
    // Looks at COMn; asks the unit there only when `probe` and nothing else stands in the way.
    static NodeReport Examine(uint32_t portNumber, bool probe);
    // One sentence per finding, each problem with the command that fixes it.
    static std::vector<std::string> Describe(const NodeReport& report);

    // Services known to grab a newly plugged adapter, running now, with the fixing command.
    struct Grabber {
        ProcessTable::Process process;
        std::string fix;
    };
    static std::vector<Grabber> RunningAdapterGrabbers();
};
