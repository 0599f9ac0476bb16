// The common frame of the parameter dialogs: a fixed 339 x 216 window (wider where a dialog
// needs it) with only the close box, on top, Verdana 8 pt, key preview; Panel_Mitte holds the
// dialog's group box and BottomPanel with BitBtn_OK (default button: Enter) and
// BitBtn_Cancel (cancel button: Escape).
//
// How a dialog uses it:
//
//     class TFormStartDelay : public ParameterDialogFrame {
//       public:
//         TFormStartDelay(QWidget* mainWindow, DeviceStateRecord& state, Thread_Write* writer)
//             : ParameterDialogFrame("FormStartDelay", "Signallaufzeit einstellen",
//                                    "GroupBox_StartDelay", mainWindow, state, writer) {
//             // controls go into GroupBox(); the frame's sizes stay as they are
//         }
//       protected:
//         void FormShow() override;       // pre-fill from DeviceState()
//         void PlaceCommands() override;  // PlaceIntoSlots("START.DELAY 1200", "KONFIG.SAVE")
//     };
//
//     The launcher:  FormStartDelay->ShowModalCovered();
//
// ShowModalCovered covers the screen with the overlay (Form_Abdeckung), shows the dialog
// modally and uncovers again on every way out: OK, Cancel, Escape, the close box, and an
// exception. Every showing centres the dialog's outer frame over the main window's (halves
// truncated toward zero), runs FormShow and then focuses BitBtn_Cancel. Tab runs through the
// setting's controls from top to bottom, then OK and BitBtn_Cancel, and round again. OK places
// the commands and closes with Accepted; Cancel, Escape and the close box close with Rejected
// and send nothing.
//
// A dialog's FormKeyDown sees every key pressed in the dialog once, before the focused control
// (key preview); returning true keeps the key from the control.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <optional>
#include <string>

class DeviceStateRecord;
class QKeyEvent;
class Thread_Write;

class ParameterDialogFrame : public QDialog {
    Q_OBJECT
  public:
    static constexpr int ClientWidth = 339;
    static constexpr int ClientHeight = 216;
    static constexpr int ButtonWidth = 102;
    static constexpr int ButtonHeight = 42;

    // objectName is the dialog's global name (for example "FormStartDelay"); the window is
    // clientWidth wide (the factor dialog is wider) and always ClientHeight high.
    ParameterDialogFrame(const QString& objectName, const QString& caption,
                         const QString& groupBoxName, QWidget* mainWindow,
                         DeviceStateRecord& deviceState, Thread_Write* writer,
                         int clientWidth = ClientWidth);

    // The launch sequence: Cover, modal showing, Uncover. Returns QDialog::Accepted or
    // QDialog::Rejected.
    int ShowModalCovered();

    // Where a dialog of this size goes over the main window's frame: each half an integer
    // division truncating toward zero.
    static QPoint CentredTopLeft(const QRect& mainWindow, const QSize& dialog);

    void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
    QWidget* MainWindow() const { return mainWindow_; }
    void SetWriter(Thread_Write* writer) { writer_ = writer; }

    QFrame* Panel_Mitte;
    QWidget* BottomPanel;
    QPushButton* BitBtn_OK;
    QPushButton* BitBtn_Cancel;

    QGroupBox* GroupBox() const { return groupBox_; }

    virtual void BitBtn_OKClick();
    virtual void BitBtn_CancelClick();

  protected:
    // Pre-fills the controls; runs on every showing, after centring, before Cancel is
    // focused.
    virtual void FormShow() {}
    // OK: the setting's command texts into the writer's slots (PlaceIntoSlots).
    virtual void PlaceCommands() = 0;
    // Key preview; true when the key was handled and must not reach the control.
    virtual bool FormKeyDown(QKeyEvent* event);
    // The modal loop itself; exec() unless a test replaces it.
    virtual int RunModal() { return exec(); }
    // The window system's frame around the dialog, as it reports it while the dialog is on screen.
    virtual QMargins FrameMargins() const;

    // Slot 1, slot 2 and, when not empty, slot 3, in this order.
    void PlaceIntoSlots(const std::string& slot1, const std::string& slot2,
                        const std::string& slot3 = std::string());
    DeviceStateRecord& DeviceState() const { return deviceState_; }

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildFrame(const QString& groupBoxName, int clientWidth);
    void PreviewKeysOfChildren();
    void OrderTabStops();
    void MakeCheckedRadioTheTabStop();
    QMargins MainWindowFrameMargins() const;
    void CentreOverMainWindow(const QMargins& frame);
    void CheckFrameOnceExposed();

    QPointer<QWidget> mainWindow_;
    std::optional<QMargins> knownFrame_;  // the frame it had when last on screen
    bool checkingFrame_ = false;          // a showing waits for its first exposure
    QMargins placedWith_;                 // the frame the current placement assumed
    DeviceStateRecord& deviceState_;
    Thread_Write* writer_;
    QGroupBox* groupBox_ = nullptr;
};
