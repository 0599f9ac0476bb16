// Running part of a test as a normal user: a forked child that gives up root for the user
// "nobody", as Kalvio runs on a technician's desk.
#pragma once

#include <functional>
#include <string>

namespace test_support {

// True when this process can run children as another user (it runs as root).
bool CanDropPrivileges();

// Hands a file or folder to the user nobody, so that a child run as nobody can reach it.
void GrantToNobody(const std::string& path);

// Runs body in a forked child as the user nobody and returns its exit status: what body
// returned, or UnprivilegedChildFailed when the child could not become nobody or died.
// Call it while no other thread of the test runs.
int RunAsNobody(const std::function<int()>& body);

constexpr int UnprivilegedChildFailed = 125;

}  // namespace test_support
