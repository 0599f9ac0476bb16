// Entry point: creates every window of the program once, in a fixed order, and runs the event
// loop until the main window closes. The program reads no command line.
#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>
#include <exception>

#include "ProgramWindows.h"
#include "QtTranslation.h"

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
    const auto qtTexts = QtTranslation::Install(QLocale::system());
    try {
        ProgramWindows windows;
        windows.Main().show();
        application.exec();
    } catch (const std::exception& error) {
        ShowEscapedException(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowEscapedException(QString());
    }
    return 0;
}
