#include "FileDialogChoice.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "TForm_FileDialog.h"

bool ChooseInFileDialog(const QString& fileName, const std::function<void()>& action) {
    bool chosen = false;
    QTimer pick;
    QObject::connect(&pick, &QTimer::timeout, [&] {
        if (!chosen && Form_FileDialog->isVisible()) {
            chosen = true;
            Form_FileDialog->findChild<QLineEdit*>("Edit_FileName")->setText(fileName);
            Form_FileDialog->findChild<QPushButton*>("SpeedButton_OK")->click();
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { Form_FileDialog->reject(); });
    pick.start(10);
    watchdog.start(10000);
    action();
    return chosen;
}
