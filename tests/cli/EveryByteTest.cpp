// Every byte reaches the descriptor, also more than a pipe holds at once; a write
// nobody can take is a failure, not a silent loss.
#include "EveryByte.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::string ReadUntilEnd(int fd) {
    std::string bytes;
    char buffer[4096];
    ssize_t count = 0;
    while ((count = read(fd, buffer, sizeof buffer)) > 0) {
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return bytes;
}

TEST(EveryByteTest, MoreThanAPipeHoldsArrivesWholeAndInOrder) {
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    ASSERT_GT(fcntl(ends[1], F_SETPIPE_SZ, 4096), 0);
    std::string sent;
    for (int index = 0; sent.size() < 1000000; ++index) {
        sent += std::to_string(index) + ',';
    }
    std::string received;
    std::thread reader([&] { received = ReadUntilEnd(ends[0]); });
    EXPECT_TRUE(WriteEveryByte(ends[1], sent));
    close(ends[1]);
    reader.join();
    close(ends[0]);
    EXPECT_EQ(received, sent);
}

TEST(EveryByteTest, ADescriptorThatTakesNothingFails) {
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous = {};
    sigaction(SIGPIPE, &ignore, &previous);
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    close(ends[0]);
    EXPECT_FALSE(WriteEveryByte(ends[1], "lost"));
    EXPECT_EQ(errno, EPIPE);
    close(ends[1]);
    sigaction(SIGPIPE, &previous, nullptr);
}

// In a child of its own: the size limit is the process's.
[[noreturn]] void WriteBeyondTheSizeLimit() {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = {};
    limit.rlim_cur = limit.rlim_max = 1000;
    setrlimit(RLIMIT_FSIZE, &limit);
    char path[] = "/tmp/every-byte-XXXXXX";
    const int fd = mkstemp(path);
    unlink(path);
    const bool written = WriteEveryByte(fd, std::string(3000, 'x'));
    const int error = errno;
    const off_t size = lseek(fd, 0, SEEK_END);
    std::exit(!written && error == EFBIG && size == 1000 ? 0 : 1);
}

// The file takes the first part and refuses the rest: what was taken is not reported as all.
TEST(EveryByteTest, AFileThatCannotGrowAnyFurtherFails) {
    EXPECT_EXIT(WriteBeyondTheSizeLimit(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
