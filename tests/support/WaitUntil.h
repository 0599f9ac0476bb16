// Waiting for a condition in tests: poll until it holds, give up after a generous deadline.
#pragma once

#include <chrono>
#include <functional>

namespace test_support {

bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds deadline = std::chrono::milliseconds(10000));

}  // namespace test_support
