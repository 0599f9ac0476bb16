#include "PortDoctor.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "HostPlaces.h"
#include "KernelConsole.h"
#include "PortNamespace.h"
#include "ProcessFolder.h"
#include "Thread_Read.h"
#include "UnitConnection.h"
#include "UucpLock.h"

namespace {

constexpr int MaxGroups = 256;

struct KnownGrabber {
    const char* name;
    const char* fix;
};

constexpr KnownGrabber KnownGrabbers[] = {
    {"ModemManager", "sudo systemctl disable --now ModemManager"},
    {"brltty", "sudo apt-get remove brltty"},
    {"gpsd", "sudo systemctl disable --now gpsd gpsd.socket"},
};

std::string PortName(uint32_t portNumber) {
    return "COM" + std::to_string(portNumber);
}

std::string UserName() {
    const passwd* user = getpwuid(getuid());
    return user != nullptr ? user->pw_name : std::to_string(getuid());
}

bool SessionHasGroup(gid_t group) {
    gid_t groups[MaxGroups];
    const int count = getgroups(MaxGroups, groups);
    return getegid() == group ||
           std::find(groups, groups + std::max(count, 0), group) != groups + std::max(count, 0);
}

bool AccountHasGroup(gid_t group) {
    const passwd* user = getpwuid(getuid());
    if (user == nullptr) {
        return false;
    }
    gid_t groups[MaxGroups];
    int count = MaxGroups;
    if (getgrouplist(user->pw_name, user->pw_gid, groups, &count) < 0) {
        return false;
    }
    return std::find(groups, groups + count, group) != groups + count;
}

void ExaminePermission(PortDoctor::NodeReport& report, const struct stat& node) {
    report.mayOpen = access(report.path.c_str(), R_OK | W_OK) == 0;
    if (report.mayOpen) {
        return;
    }
    const group* owner = getgrgid(node.st_gid);
    report.group = owner != nullptr ? owner->gr_name : std::to_string(node.st_gid);
    report.groupAllows = (node.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    report.inGroup = SessionHasGroup(node.st_gid);
    report.inGroupAtLogin = AccountHasGroup(node.st_gid);
}

// Another program holds the port the way Kalvio does: its advisory lock, or the kernel's
// exclusive flag, which refuses the open itself.
bool HeldByOther(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == EBUSY;
    }
    const bool locked = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return locked;
}

std::string HolderAdvice(const ProcessTable::Process& holder, const std::string& path,
                         uint32_t portNumber) {
    const std::string who =
        "Process " + std::to_string(holder.pid) + " (" + holder.name + ") has it open";
    if (holder.name == "kalvio") {
        return who + ": that is the Kalvio window, whose title bar ends in \"[Verbunden über " +
               PortName(portNumber) + "]\" while it talks to the unit. Close Kalvio first.";
    }
    for (const KnownGrabber& grabber : KnownGrabbers) {
        if (holder.name == grabber.name) {
            return who + ". Fix: " + grabber.fix;
        }
    }
    if (holder.name == "agetty" || holder.name == "getty") {
        const std::string node = path.substr(path.rfind('/') + 1);
        return who + " (a login console). Fix: sudo systemctl stop serial-getty@" + node;
    }
    return who + ". Close that program, or stop it with: kill " + std::to_string(holder.pid);
}

void ExamineUse(PortDoctor::NodeReport& report, const struct stat& node) {
    report.isConsole = kernel_console::IsActiveConsole(node.st_rdev);
    const auto terminalOf =
        process_folder::ProcessWithTerminal(host_places::Current().procRoot, node.st_rdev);
    if (terminalOf) {
        report.terminalOf = ProcessTable::Of(*terminalOf);
    }
    if (const auto holder = uucp_lock::LiveHolder(report.path)) {
        report.lockOwner =
            holder->pid != 0 ? ProcessTable::Of(holder->pid) : ProcessTable::Process{0, ""};
        report.lockFile = holder->file;
    }
}

bool InUse(const PortDoctor::NodeReport& report) {
    return report.isConsole || report.terminalOf || report.lockOwner;
}

// Why Kalvio leaves a port alone that another program uses without holding it.
std::vector<std::string> UseSentences(const PortDoctor::NodeReport& report) {
    std::vector<std::string> sentences;
    const std::string node = report.path.substr(report.path.rfind('/') + 1);
    if (report.isConsole) {
        sentences.push_back(
            "It is an active kernel console, so Kalvio leaves it alone. Fix: remove console=" +
            node + " from the kernel command line (GRUB_CMDLINE_LINUX in /etc/default/grub, " +
            "then sudo update-grub) and restart.");
    }
    if (report.terminalOf) {
        sentences.push_back("It is the terminal of process " +
                            std::to_string(report.terminalOf->pid) + " (" +
                            report.terminalOf->name + "), so Kalvio leaves it alone.");
        sentences.push_back(HolderAdvice(*report.terminalOf, report.path, report.portNumber));
    }
    if (report.lockOwner && report.lockOwner->pid == 0) {
        sentences.push_back("The lock file " + report.lockFile +
                            " says it is in use, but not by whom, so Kalvio leaves it alone. " +
                            "If no program uses the port, remove it: sudo rm " + report.lockFile);
    } else if (report.lockOwner) {
        sentences.push_back("Process " + std::to_string(report.lockOwner->pid) + " (" +
                            report.lockOwner->name + ") has locked it with the lock file " +
                            report.lockFile + ", so Kalvio leaves it alone.");
        sentences.push_back(HolderAdvice(*report.lockOwner, report.path, report.portNumber));
    }
    return sentences;
}

std::string PermissionAdvice(const PortDoctor::NodeReport& report) {
    const std::string refused = "You may not open " + report.path + ".";
    if (!report.groupAllows) {
        return refused + " Not even its group may. Fix: sudo chmod g+rw " + report.path;
    }
    if (report.inGroup) {
        return refused + " Its group " + report.group +
               " may, and you are in it; ask the "
               "administrator to check its access rules.";
    }
    if (report.inGroupAtLogin) {
        return refused + " Members of the group " + report.group + " may; you were added to " +
               "it but this session started before. Fix: log out and in again (or: newgrp " +
               report.group + ")";
    }
    return refused + " Members of the group " + report.group + " may, and you are not one. " +
           "Fix: sudo usermod -aG " + report.group + " " + UserName() +
           ", then log out and in again";
}

std::string AnswerSentence(const PortDoctor::NodeReport& report) {
    switch (report.answer) {
        case PortDoctor::Answer::Unit:
            return "A unit answers here: " + report.deviceText;
        case PortDoctor::Answer::OtherDevice:
            return "Something answers here, but it is not an Orvatronic unit.";
        case PortDoctor::Answer::NoAnswer:
            return "Nothing answered the unit's identification. Check that the unit is powered "
                   "and its cable is in this port.";
        case PortDoctor::Answer::NotOpened:
            return "It could not be opened (another program may have just taken it).";
        case PortDoctor::Answer::NotTried:
            break;
    }
    return {};
}

}  // namespace

std::vector<uint32_t> PortDoctor::CandidatePorts() {
    const char* folder = std::getenv(port_namespace::OverrideVariable);
    const bool override = folder != nullptr && *folder != '\0';
    std::vector<uint32_t> ports;
    for (uint32_t port = Thread_Read::FirstPort; port <= Thread_Read::LastPort; ++port) {
        const auto path = port_namespace::DevicePath(port);
        struct stat entry {};
        if (!path || lstat(path->c_str(), &entry) != 0) {
            continue;
        }
        // A ttyS line without a UART is no port; the tool skips it too.
        const auto target = port_namespace::DeviceTarget(port);
        if (override || (target && target->find("NoUart") == std::string::npos)) {
            ports.push_back(port);
        }
    }
    return ports;
}

PortDoctor::NodeReport PortDoctor::Examine(uint32_t portNumber, bool probe) {
    NodeReport report;
    report.portNumber = portNumber;
    report.path = port_namespace::DevicePath(portNumber).value_or("");
    struct stat node {};
    report.exists =
        !report.path.empty() && stat(report.path.c_str(), &node) == 0 && S_ISCHR(node.st_mode);
    if (!report.exists) {
        return report;
    }
    ExaminePermission(report, node);
    report.heldByOther = report.mayOpen && HeldByOther(report.path);
    ExamineUse(report, node);
    report.holders = ProcessTable::Holding(report.path, report.holdersComplete);
    if (!probe || !report.mayOpen || report.heldByOther || InUse(report)) {
        return report;
    }
    UnitConnection unit;
    switch (unit.Open(portNumber)) {
        case UnitConnection::OpenResult::Identified:
            report.answer = Answer::Unit;
            report.deviceText = unit.DeviceText();
            break;
        case UnitConnection::OpenResult::OtherDevice:
            report.answer = Answer::OtherDevice;
            break;
        case UnitConnection::OpenResult::NoAnswer:
            report.answer = Answer::NoAnswer;
            break;
        case UnitConnection::OpenResult::NotOpened:
            report.answer = Answer::NotOpened;
            break;
    }
    return report;
}

std::vector<std::string> PortDoctor::Describe(const NodeReport& report) {
    if (!report.exists) {
        return {
            "There is no device behind it. Check that the adapter is plugged in "
            "(lsusb and dmesg show whether the system saw it)."};
    }
    std::vector<std::string> sentences;
    if (!report.mayOpen) {
        sentences.push_back(PermissionAdvice(report));
    }
    // A program that has the port open without holding it (the far end of a pseudo-terminal,
    // a monitor) matters only while no unit answers there.
    const bool holdersMatter = report.heldByOther || InUse(report) ||
                               (report.answer != Answer::Unit && report.answer != Answer::NotTried);
    if (report.heldByOther) {
        sentences.push_back(
            "Another program holds it open for itself, so nobody else can use "
            "it now.");
    }
    for (const std::string& sentence : UseSentences(report)) {
        sentences.push_back(sentence);
    }
    for (const ProcessTable::Process& holder : report.holders) {
        const bool toldAlready = (report.terminalOf && report.terminalOf->pid == holder.pid) ||
                                 (report.lockOwner && report.lockOwner->pid == holder.pid);
        if (holdersMatter && !toldAlready) {
            sentences.push_back(HolderAdvice(holder, report.path, report.portNumber));
        }
    }
    if (holdersMatter && report.holders.empty() && !report.holdersComplete) {
        sentences.push_back(
            "Which program it is could not be told without more rights: "
            "sudo fuser -v " +
            report.path + " shows it.");
    }
    if (report.answer != Answer::NotTried) {
        sentences.push_back(AnswerSentence(report));
    }
    if (sentences.empty()) {
        sentences.push_back("It is free, but it was not asked for a unit.");
    }
    return sentences;
}

std::vector<PortDoctor::Grabber> PortDoctor::RunningAdapterGrabbers() {
    std::vector<std::string> names;
    for (const KnownGrabber& grabber : KnownGrabbers) {
        names.emplace_back(grabber.name);
    }
    std::vector<Grabber> running;
    for (const ProcessTable::Process& process : ProcessTable::Named(names)) {
        for (const KnownGrabber& grabber : KnownGrabbers) {
            if (process.name == grabber.name) {
                running.push_back({process, grabber.fix});
            }
        }
    }
    return running;
}
