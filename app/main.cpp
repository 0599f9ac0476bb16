// Entry point: creates every window of the program once, in a fixed order, and runs the event
// loop until the main window closes. The program reads no command line.
#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>
#include <exception>

#include "TFormSpeedFaktor.h"
#include "TFormSpeedGenerator.h"
#include "TFormSpeedModus.h"
#include "TFormStartDelay.h"
#include "TFormStartDelayMM.h"
#include "TFormStartGenerator.h"
#include "TFormStartModus.h"
#include "TForm_Abdeckung.h"
#include "TForm_FileDialog.h"
#include "TForm_Main.h"

namespace {

// What escapes the event loop is shown with its message, as the program's last word.
void ShowEscapedException(const QString& message) {
    QMessageBox::critical(nullptr, QString::fromLatin1(TForm_Main::ProductTitle), message);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(TForm_Main::ProductTitle));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    try {
        // Every window once, in this order; modal ones are shown and hidden, never re-made.
        TForm_Main mainWindow;
        TForm_FileDialog fileDialog(&mainWindow);
        Form_FileDialog = &fileDialog;
        TForm_Abdeckung overlay(&mainWindow);
        Form_Abdeckung = &overlay;
        DeviceStateRecord& state = mainWindow.DeviceState;
        Thread_Write* writer = mainWindow.WriterThread.get();
        TFormStartModus startModus(&mainWindow, state, writer);
        FormStartModus = &startModus;
        TFormSpeedModus speedModus(&mainWindow, state, writer);
        FormSpeedModus = &speedModus;
        TFormStartGenerator startGenerator(&mainWindow, state, writer);
        FormStartGenerator = &startGenerator;
        TFormSpeedFaktor speedFaktor(&mainWindow, state, writer);
        FormSpeedFaktor = &speedFaktor;
        TFormStartDelayMM startDelayMM(&mainWindow, state, writer);
        FormStartDelayMM = &startDelayMM;
        TFormSpeedGenerator speedGenerator(&mainWindow, state, writer);
        FormSpeedGenerator = &speedGenerator;
        // Form_Sprachen and Form_Info come here, before the start delay dialog.
        TFormStartDelay startDelay(&mainWindow, state, writer);
        FormStartDelay = &startDelay;

        mainWindow.show();
        application.exec();

        FormStartDelay = nullptr;
        FormSpeedGenerator = nullptr;
        FormStartDelayMM = nullptr;
        FormSpeedFaktor = nullptr;
        FormStartGenerator = nullptr;
        FormSpeedModus = nullptr;
        FormStartModus = nullptr;
        Form_Abdeckung = nullptr;
        Form_FileDialog = nullptr;
    } catch (const std::exception& error) {
        ShowEscapedException(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowEscapedException(QString());
    }
    return 0;
}
