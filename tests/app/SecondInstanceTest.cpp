// A second start of the program while one runs: the real start-up path in a child process,
// whose refusal box is answered as a user would, so that its exit status can be read.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>

#include "SingleInstanceLock.h"
#include "TForm_Main.h"
#include "TemporaryFolder.h"

namespace {

enum ChildFailure { WrongBox = 4, StartedAnyway = 5 };

// Presses OK on the refusal box once it shows, after checking what it says.
void AnswerRefusalBox() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (box == nullptr || !box->isVisible()) {
            continue;
        }
        if (box->windowTitle() != "Kalvio - Quenzel AG" || box->icon() != QMessageBox::Critical ||
            !box->text().startsWith(QString::fromUtf8("Das Programm 'Kalvio' wird bereits"))) {
            _exit(WrongBox);
        }
        box->close();
    }
}

[[noreturn]] void StartSecondInstance() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "kalvio";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, &AnswerRefusalBox);
    answer.start(10);
    TForm_Main window;  // the program's own refusal: message, then exit at once
    _exit(StartedAnyway);
}

TEST(SecondInstanceTest, IsRefusedWithStatusMinusOneAndMakesNothing) {
    test_support::TemporaryFolder root;
    setenv("XDG_RUNTIME_DIR", root.path().c_str(), 1);
    SingleInstanceLock firstInstance;
    ASSERT_TRUE(firstInstance.Acquire(TForm_Main::InstanceName));
    const QString start = QString::fromStdString(root.file("BIN"));
    ASSERT_TRUE(QDir().mkpath(start));

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (chdir(start.toLocal8Bit().constData()) != 0) {
            _exit(3);
        }
        StartSecondInstance();
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 255) << "exit status -1";
    EXPECT_FALSE(QDir(QString::fromStdString(root.file("CONFIG"))).exists());

    SingleInstanceLock stillHeld;
    EXPECT_FALSE(stillHeld.Acquire(TForm_Main::InstanceName)) << "the first instance keeps it";
    unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
