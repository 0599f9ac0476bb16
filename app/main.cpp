// Entry point. For now the main window is an empty frame with the product title.
#include <QApplication>
#include <QMainWindow>

namespace {
const char* const ProductTitle = "Kalvio - Quenzel AG";
}

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(QString::fromLatin1(ProductTitle));

    QMainWindow mainWindow;
    mainWindow.setObjectName(QStringLiteral("Form_Main"));
    mainWindow.setWindowTitle(QString::fromLatin1(ProductTitle));
    mainWindow.resize(640, 480);
    mainWindow.show();
    return application.exec();
}
