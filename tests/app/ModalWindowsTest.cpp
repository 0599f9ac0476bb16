// In a Wayland session every modal window of the program stays above the main window: each is
// transient for it, the windows made at start-up as well as the message boxes and the print
// dialog made on demand. On X11 they stay transient for the whole program, above the
// full-screen overlay. In a Wayland session the overlay covers the main window alone, and
// prints leave it out.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWindow>

#include "EnvironmentOverride.h"
#include "PcServices.h"
#include "ProgramSandbox.h"
#include "ProgramWindows.h"
#include "TForm_Abdeckung.h"
#include "WindowPrint.h"

namespace {

class ModalWindowsTest : public ::testing::Test {
  protected:
    explicit ModalWindowsTest(const char* session = "wayland")
        : session_("XDG_SESSION_TYPE", session) {}
    void SetUp() override {
        windows_ = std::make_unique<ProgramWindows>([](const QString&) {});
        main().show();
    }
    TForm_Main& main() { return windows_->Main(); }

    // Runs the action; the first modal window it opens is asked for its transient parent and
    // closed. Null when none opened (or it had no window of its own).
    QWindow* TransientParentOfModalOpenedBy(const std::function<void()>& action) {
        QWindow* transientParent = nullptr;
        bool seen = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (seen || modal == nullptr || !modal->isVisible()) {
                return;
            }
            seen = true;
            transientParent =
                modal->windowHandle() ? modal->windowHandle()->transientParent() : nullptr;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            } else {
                modal->close();
            }
        });
        poll.start(10);
        action();
        EXPECT_TRUE(seen) << "a modal window opened";
        return transientParent;
    }

    // Set before SetUp makes the windows.
    EnvironmentOverride session_;
    ProgramSandbox sandbox_;
    std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(ModalWindowsTest, EveryWindowMadeAtStartUpIsTransientForTheMainWindow) {
    const char* const names[] = {
        "Form_FileDialog",    "FormStartModus",  "FormSpeedModus",
        "FormStartGenerator", "FormSpeedFaktor", "FormStartDelayMM",
        "FormSpeedGenerator", "FormStartDelay",  "Form_Info",
    };
    for (const char* name : names) {
        QWidget* window = ProgramWindows::Find(QLatin1String(name));
        ASSERT_NE(window, nullptr) << name;
        window->show();
        ASSERT_NE(window->windowHandle(), nullptr) << name;
        EXPECT_EQ(window->windowHandle()->transientParent(), main().windowHandle()) << name;
        window->hide();
    }
}

TEST_F(ModalWindowsTest, MessageBoxesAndThePrintDialogAreTransientForTheMainWindow) {
    const std::pair<const char*, std::function<void()>> openers[] = {
        {"message box",
         [] {
             PcServices::ShowMessageBox(PcServices::MessageIcon::Information, "Kalvio", "Text");
         }},
        {"no internet", [this] { main().Services->ShowNoInternetMessage(); }},
        {"print dialog", [this] { main().PrintScreenClick(); }},
    };
    for (const auto& [name, open] : openers) {
        EXPECT_EQ(TransientParentOfModalOpenedBy(open), main().windowHandle()) << name;
        EXPECT_TRUE(Form_Abdeckung->isHidden()) << name << ": uncovered afterwards";
    }
}

class X11SessionTest : public ModalWindowsTest {
  protected:
    X11SessionTest() : ModalWindowsTest("x11") {}
};

TEST_F(X11SessionTest, DialogsStayTransientForTheProgramNotTheMainWindow) {
    for (const char* name : {"FormStartModus", "FormSpeedFaktor", "Form_Info"}) {
        QWidget* window = ProgramWindows::Find(QLatin1String(name));
        window->show();
        EXPECT_EQ(window->windowHandle()->transientParent(), nullptr) << name;
        window->hide();
    }
    EXPECT_EQ(TransientParentOfModalOpenedBy([] {
                  PcServices::ShowMessageBox(PcServices::MessageIcon::Information, "K", "T");
              }),
              nullptr);
}

TEST_F(ModalWindowsTest, OverlayCoversTheMainWindowAndIsNoPartOfItsPrint) {
    ASSERT_EQ(Form_Abdeckung->CoverForm(), TForm_Abdeckung::Form::MainWindowCover);
    EXPECT_EQ(Form_Abdeckung->parentWidget(), &main());
    const QImage uncovered = window_print::WindowPicture(main());
    Form_Abdeckung->Cover();
    EXPECT_EQ(main().childAt(main().rect().center()), Form_Abdeckung);
    EXPECT_EQ(window_print::WindowPicture(main()), uncovered);
    EXPECT_FALSE(Form_Abdeckung->isHidden()) << "still covering after the picture";
    Form_Abdeckung->Uncover();
}

}  // namespace
