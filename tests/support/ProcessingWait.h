// Waiting in widget tests: poll a condition while the event loop keeps turning, as the
// program's own loop would, and give up after a generous deadline.
#pragma once

#include <functional>

bool WaitProcessingEvents(const std::function<bool()>& condition, int deadlineMs = 15000);
