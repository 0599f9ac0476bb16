#include "WorkerThread.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <iostream>

#include "UnprivilegedChild.h"
#include "WaitUntil.h"

using test_support::WaitUntil;

namespace {

class IdleWorker : public WorkerThread {
  public:
    IdleWorker() : WorkerThread(nullptr) {}
    ~IdleWorker() override { Stop(); }

  protected:
    void Execute() override {
        while (!Terminated()) {
            SleepMs(1000);
        }
    }
};

// Starts a reader-like and a writer-like thread as the main window does; 0 when the writer
// runs at a lower nice value (a higher priority) than the reader.
int WriterRunsAboveReader() {
    IdleWorker reader;
    IdleWorker writer;
    if (!reader.Start(WorkerThread::Priority::Normal) ||
        !writer.Start(WorkerThread::Priority::AboveNormal) ||
        !WaitUntil([&] { return reader.NativeId() != 0 && writer.NativeId() != 0; })) {
        return 2;
    }
    errno = 0;
    const int readerNice = getpriority(PRIO_PROCESS, static_cast<id_t>(reader.NativeId()));
    const int writerNice = getpriority(PRIO_PROCESS, static_cast<id_t>(writer.NativeId()));
    if (errno != 0 || writerNice >= readerNice) {
        std::cerr << "reader nice " << readerNice << ", writer nice " << writerNice << '\n';
        return 1;
    }
    return 0;
}

TEST(WorkerThreadTest, AboveNormalRunsOneStepAboveNormalForEveryUser) {
    EXPECT_EQ(WriterRunsAboveReader(), 0) << "as the user running the tests";
    if (!test_support::CanDropPrivileges()) {
        GTEST_SKIP() << "needs root, to run the threads as the user nobody as well";
    }
    const auto withoutAllowanceToRaisePriority = [] {
        const rlimit none{0, 0};
        return setrlimit(RLIMIT_NICE, &none) == 0 ? WriterRunsAboveReader() : 3;
    };
    EXPECT_EQ(test_support::RunAsNobody(withoutAllowanceToRaisePriority), 0) << "as nobody";
}

}  // namespace
