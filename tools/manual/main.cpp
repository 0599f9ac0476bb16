// kalvio-manual OUTPUT.pdf: makes the user manual, headless and without network.
#include <QApplication>
#include <QStyleFactory>
#include <QTextStream>

#include "ManualDocument.h"
#include "TForm_Main.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // As the program itself looks, so that the pictures match what the technician sees.
    QApplication::setApplicationName(QString::fromLatin1(TForm_Main::ProductTitle));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QTextStream err(stderr);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2 || arguments[1].startsWith(QLatin1Char('-'))) {
        err << "usage: kalvio-manual OUTPUT.pdf\n";
        return 2;
    }
    QString error;
    if (!manual::BuildManual(arguments[1], &error)) {
        err << "kalvio-manual: " << error << '\n';
        return 1;
    }
    return 0;
}
