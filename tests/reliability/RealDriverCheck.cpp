// The whole program against units behind the kernel's own serial drivers: run by
// tools/test-drivers inside its virtual machine, where COM2 is an 8250 UART and COM33 an FTDI
// USB adapter, each wired to a simulated unit on the host. KALVIO_DRIVER_RUN names the folder
// shared with the host: a request goes out as ask.NAME (the host unplugs, replugs or makes the
// unit misbehave) and is answered with done.NAME; each check appends its line to "results".
#include <gtest/gtest.h>

#include <unistd.h>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ComPort.h"
#include "CommandProtocol.h"
#include "LockFiles.h"
#include "ProcessingWait.h"
#include "ProgramWindows.h"
#include "TForm_Main.h"
#include "TemporaryFolder.h"
#include "Thread_Write.h"

namespace {

// What users expect of the window on a real adapter, in milliseconds. The check reports each
// figure against its target; it fails only when a condition is not reached at all, so that a
// loaded machine cannot make it flaky.
constexpr qint64 LostWithinMs = 3000;
constexpr qint64 FoundAgainWithinMs = 5000;
constexpr qint64 ClosedWithinMs = 2000;
// A search over every port of a slow virtual machine, and a host that answers late.
constexpr int GenerousMs = 60000;

const char* const SentOnce = "START.DELAY 2468";

class RealDriver : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* run = std::getenv("KALVIO_DRIVER_RUN");
        if (run == nullptr) {
            GTEST_SKIP() << "runs only inside tools/test-drivers";
        }
        run_ = run;
        const QString base = QString::fromStdString(start_.path());
        QDir(base).mkpath("BIN");
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(base + "/BIN");
    }

    void TearDown() override {
        windows_.reset();
        for (const std::string& node : held_) {
            std::remove(LockFile(node).c_str());
        }
        if (!previousFolder_.isEmpty()) {
            QDir::setCurrent(previousFolder_);
        }
    }

    // Keeps the program off a node as another serial program would: a lock file in the name
    // of a live process, the one that started the checks.
    void Hold(const std::string& node) {
        test_support::WriteLockFile(LockFile(node), getppid());
        held_.push_back(node);
    }
    static std::string LockFile(const std::string& node) { return "/run/lock/LCK.." + node; }

    // Milliseconds that making and showing the windows took.
    qint64 Open() {
        QElapsedTimer timer;
        timer.start();
        windows_ = std::make_unique<ProgramWindows>([](const QString&) {});
        windows_->Main().show();
        return timer.elapsed();
    }

    qint64 Close() {
        QElapsedTimer timer;
        timer.start();
        windows_->Main().close();
        windows_.reset();
        return timer.elapsed();
    }

    // Sends a request to the host; Ask also waits until the host has done it.
    std::string Request(const std::string& action) {
        static int asked = 0;  // across the checks of one run: each request has a name of its own
        const std::string name = "window" + std::to_string(++asked);
        std::ofstream(run_ + "/.ask-window") << action << "\n";
        std::rename((run_ + "/.ask-window").c_str(), (run_ + "/ask." + name).c_str());
        return name;
    }
    bool Answered(const std::string& answer, const std::string& name) {
        return WaitProcessingEvents([&] { return QFile::exists(Path(answer + "." + name)); },
                                    GenerousMs);
    }
    bool Done(const std::string& name) { return Answered("done", name); }
    bool Ask(const std::string& action) { return Done(Request(action)); }

    QString Path(const std::string& name) const {
        return QString::fromStdString(run_ + "/" + name);
    }

    void Report(const std::string& scenario, bool passed, const std::string& figures) {
        std::ofstream(run_ + "/results", std::ios::app)
            << scenario << "|" << (passed ? "pass" : "FAIL") << "|" << figures << "\n";
    }

    QString Caption() { return windows_->Main().windowTitle(); }
    bool Searching() { return Caption().contains(QStringLiteral("Verbindung suchen über")); }
    bool ConnectedVia(unsigned port) {
        return Caption() ==
               QStringLiteral("Kalvio - Quenzel AG    [Verbunden über COM%1]").arg(port);
    }
    QString StartMode() {
        auto* field = windows_->Main().findChild<QLineEdit*>(QStringLiteral("Edit_StartModus"));
        return field == nullptr ? QString() : field->text();
    }
    bool Polled() { return !StartMode().isEmpty() && StartMode() != QStringLiteral("?"); }

    // Milliseconds until the condition held, or -1 when it did not within the generous deadline.
    static qint64 MsUntil(const std::function<bool()>& condition) {
        QElapsedTimer timer;
        timer.start();
        return WaitProcessingEvents(condition, GenerousMs) ? timer.elapsed() : -1;
    }

    // "3693 ms", with a mark when the figure missed its target.
    static std::string Figure(qint64 ms, qint64 target) {
        std::string text = std::to_string(ms) + " ms";
        if (ms >= target) {
            text += " (OVER the " + std::to_string(target) + " ms target)";
        }
        return text;
    }

    std::unique_ptr<ProgramWindows> windows_;

  private:
    test_support::TemporaryFolder start_;
    QString previousFolder_;
    std::string run_;
    std::vector<std::string> held_;
};

TEST_F(RealDriver, UnplugAndReplugWhilePolling) {
    Hold("ttyS1");
    const qint64 openMs = Open();
    const qint64 foundMs = MsUntil([&] { return ConnectedVia(33) && Polled(); });
    ASSERT_GE(foundMs, 0) << Caption().toStdString();

    // The adapter goes while a setting is on its way: it must be heard once, never sent again.
    const std::string pull = Request("pull-adapter-at-next-setting");
    ASSERT_TRUE(Answered("armed", pull));
    windows_->Main().WriterThread->SetSlot1(SentOnce);
    ASSERT_TRUE(Done(pull));
    const qint64 lostMs = MsUntil([&] { return Searching() && StartMode() == "?"; });

    ASSERT_TRUE(Ask("replug"));
    unsigned port = 0;
    const qint64 againMs = MsUntil([&] {
        port = ConnectedVia(33) ? 33 : ConnectedVia(34) ? 34 : 0;
        return port != 0 && Polled();
    });
    const qint64 closeMs = Close();

    const bool passed = lostMs >= 0 && againMs >= 0;
    const std::string figures = "opened " + std::to_string(openMs) + " ms, found " +
                                std::to_string(foundMs) + " ms later; lost " +
                                Figure(lostMs, LostWithinMs) + " after unplug; found on COM" +
                                std::to_string(port) + " " + Figure(againMs, FoundAgainWithinMs) +
                                " after replug; closed in " + Figure(closeMs, ClosedWithinMs);
    Report("window: adapter unplugged and replugged", passed, figures);
    EXPECT_TRUE(passed) << figures;
}

// A UART's driver takes a command into its output queue even while the unit holds XOFF; only
// bytes that left the queue count as written.
TEST_F(RealDriver, CommandHeldByXoffIsNotCountedAsWritten) {
    const PortHandleValue handle = ComPort_Open(2);
    ASSERT_NE(handle, InvalidPortHandle);
    ASSERT_EQ(ComPort_Configure(handle, 115200), 0);
    ASSERT_TRUE(Ask("xoff"));
    // The unit sends its XOFF instead of the reply to the next command.
    ReplyBuffer reply{};
    const int held = ComPort_Transact(handle, "VERSION.SW", reply, 1000, nullptr);
    const std::string command = "VERSION.HW\r";
    const int written = ComPort_WriteBlock(handle, reinterpret_cast<const uint8_t*>(command.data()),
                                           command.size(), 1000);
    ComPort_Close(handle);
    ASSERT_TRUE(Ask("xon"));

    Report("link: command held by XOFF on the UART", held != 0 && written == -4,
           "transaction " + std::to_string(held) + ", then a write held by XOFF gives " +
               std::to_string(written));
    EXPECT_NE(held, 0);
    EXPECT_EQ(written, -4);
}

TEST_F(RealDriver, XoffHeldOnTheUart) {
    Hold("ttyUSB0");
    Hold("ttyUSB1");
    Open();
    const qint64 foundMs = MsUntil([&] { return ConnectedVia(2) && Polled(); });
    ASSERT_GE(foundMs, 0) << Caption().toStdString();

    ASSERT_TRUE(Ask("xoff"));
    const qint64 lostMs = MsUntil([&] { return Searching() && StartMode() == "?"; });
    ASSERT_TRUE(Ask("xon"));
    const qint64 againMs = MsUntil([&] { return ConnectedVia(2) && Polled(); });
    const qint64 closeMs = Close();

    const bool passed = lostMs >= 0 && againMs >= 0;
    const std::string figures = "lost " + std::to_string(lostMs) + " ms after XOFF; found again " +
                                std::to_string(againMs) + " ms after XON; closed in " +
                                Figure(closeMs, ClosedWithinMs);
    Report("window: XOFF held on the UART", passed, figures);
    EXPECT_TRUE(passed) << figures;
}

}  // namespace
