// The shape of every transfer on a non-blocking descriptor: try, and while the try would block,
// wait until the descriptor is ready, but never past the deadline. A descriptor may report
// ready and still give nothing, and poll() with no time left reports a ready descriptor at
// once: the loop checks the deadline itself, or it would spin for ever.
#pragma once

#include "Deadline.h"

// What one try achieved. Again: something moved, or a signal cut in; try once more at once.
enum class TransferStep { Done, Again, WouldBlock, Failed };
enum class WaitResult { Ready, TimedOut, Failed };
enum class TransferResult { Done, TimedOut, Failed };

// Tries at least once, even with no time left, so that what is already there is taken.
template <typename Attempt, typename WaitUntilReady>
TransferResult TransferUntil(const Deadline& deadline, Attempt attempt, WaitUntilReady wait) {
    for (;;) {
        switch (attempt()) {
            case TransferStep::Done:
                return TransferResult::Done;
            case TransferStep::Failed:
                return TransferResult::Failed;
            case TransferStep::Again:
                continue;
            case TransferStep::WouldBlock:
                break;
        }
        if (deadline.passed()) {
            return TransferResult::TimedOut;
        }
        switch (wait()) {
            case WaitResult::Ready:
                break;
            case WaitResult::TimedOut:
                return TransferResult::TimedOut;
            case WaitResult::Failed:
                return TransferResult::Failed;
        }
    }
}
