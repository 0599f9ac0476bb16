// The kernel's process folder (/proc): one entry per running process, readable for every user
// as far as the command name and the status line go. Every walk is bounded, however many
// processes there are.
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>

namespace process_folder {

// Whether a folder entry's name is all digits, as process ids and open file numbers are.
bool IsNumber(const char* name);

// Calls visit with each process id in the folder, up to a bound, until visit returns false.
void EachProcess(const std::string& procRoot, const std::function<bool(pid_t)>& visit);

// The command name of the process, at most 15 characters; empty when it has gone.
std::string CommandName(const std::string& procRoot, pid_t pid);

// The controlling terminal's device number in the text of a process's "stat" file; nothing
// when the process has none or the text is not of that form. The command name in brackets may
// itself hold blanks and brackets, so the fields are counted from the last ')'.
std::optional<dev_t> ControllingTerminal(const std::string& statText);

// Whether the process has ended but not yet been collected by its parent: its files are
// closed, though its id still answers. False when that cannot be told.
bool IsZombie(const std::string& procRoot, pid_t pid);

// A process whose controlling terminal is the device: a shell, a login prompt or a program
// started from one reads and writes that line.
std::optional<pid_t> ProcessWithTerminal(const std::string& procRoot, dev_t device);

}  // namespace process_folder
