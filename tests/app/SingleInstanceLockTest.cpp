#include "SingleInstanceLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "TemporaryFolder.h"

namespace {

class SingleInstanceLockTest : public ::testing::Test {
  protected:
    void SetUp() override { setenv("XDG_RUNTIME_DIR", folder_.path().c_str(), 1); }
    void TearDown() override { unsetenv("XDG_RUNTIME_DIR"); }
    test_support::TemporaryFolder folder_;
};

TEST_F(SingleInstanceLockTest, SecondHolderIsRefusedUntilTheFirstLetsGo) {
    SingleInstanceLock first;
    SingleInstanceLock second;
    ASSERT_TRUE(first.Acquire("Kalvio"));
    EXPECT_FALSE(second.Acquire("Kalvio"));
    EXPECT_TRUE(second.Acquire("Other")) << "another name is another lock";
    first.Release();
    EXPECT_TRUE(second.Acquire("Kalvio"));
}

TEST_F(SingleInstanceLockTest, CrashedHolderDoesNotBlockTheNextStart) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        SingleInstanceLock lock;
        const char answer = lock.Acquire("Kalvio") ? 'y' : 'n';
        (void)!write(ready[1], &answer, 1);
        pause();  // killed below, never releases
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    SingleInstanceLock next;
    EXPECT_FALSE(next.Acquire("Kalvio")) << "held by the running instance";
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_TRUE(next.Acquire("Kalvio"));
    close(ready[0]);
    close(ready[1]);
}

}  // namespace
