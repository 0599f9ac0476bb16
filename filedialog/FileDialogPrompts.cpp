#include "FileDialogPrompts.h"

#include <QInputDialog>
#include <QMessageBox>

#include "RootedFolderPicker.h"

namespace {

const QString ProductTitle = QStringLiteral("Kalvio - Quenzel AG");

}  // namespace

FileDialogPrompts FileDialogPrompts::standard(QWidget* parent) {
    FileDialogPrompts prompts;
    prompts.showError = [parent](const QString& message) {
        QMessageBox box(QMessageBox::Critical, ProductTitle, message, QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
    prompts.pickFolder = [parent](const QString& root) {
        return RootedFolderPicker::pick(root, parent);
    };
    prompts.confirm = [parent](const QString& question) {
        QMessageBox box(QMessageBox::Question, ProductTitle, question,
                        QMessageBox::Ok | QMessageBox::Cancel, parent);
        box.setTextFormat(Qt::PlainText);
        return box.exec() == QMessageBox::Ok;
    };
    prompts.askText = [parent](const QString& title, const QString& prompt,
                               const QString& proposal) -> std::optional<QString> {
        bool ok = false;
        const QString reply =
            QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, proposal, &ok);
        return ok ? std::optional<QString>(reply) : std::nullopt;
    };
    return prompts;
}
