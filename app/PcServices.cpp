#include "PcServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QToolButton>

#include "MainWindowTransient.h"
#include "MakerEndpoints.h"
#include "OverlayCover.h"
#include "TForm_Abdeckung.h"
#include "TForm_FileDialog.h"
#include "TForm_Main.h"
#include "TForm_Sprachen.h"

namespace {

const char* const NoInternetGerman = "Es besteht keine Verbindung zum Internet... \n\n";
const char* const NoInternetEnglish = "There is no connection to the Internet... \n\n";

// The URL or file goes to the desktop's opener as one argument, never through a shell line.
bool OpenWithDesktop(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool StartDetached(const QString& program, const QString& workingFolder) {
    return QProcess::startDetached(program, QStringList(), workingFolder);
}

}  // namespace

PcServices::PcServices(TForm_Main& window)
    : openUrl(OpenWithDesktop), startProgram(StartDetached), window_(window) {}

void PcServices::ShowMessageBox(MessageIcon icon, const QString& title, const QString& text) {
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information,
                    title, text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.winId();  // its own window exists from here, to be the main window's transient
    MakeTransientForMainWindow(box, Form_Main);
    box.exec();
}

QString PcServices::LanguageLoadedTitle(const QString& caption, int contentLines,
                                        int unknownLines) {
    if (unknownLines == 0) {
        return caption;
    }
    return QStringLiteral("%1 [%2-%3=%4]")
        .arg(caption)
        .arg(contentLines)
        .arg(unknownLines)
        .arg(contentLines - unknownLines);
}

bool PcServices::NoInternetMessageInGerman(const QString& languageField) {
    const QString language = languageField.trimmed();
    return language.isEmpty() || language.startsWith(QLatin1String("Deutsch"));
}

void PcServices::PrepareFileDialog(const QString& folder, const QString& caption,
                                   const QString& extension, const QString& defaultName,
                                   const QString& storeFolder) {
    Form_FileDialog->SetHomeEntry(0, QString(), folder, folder);
    Form_FileDialog->SetHomeEntry(1, QString(), QString(), QString());
    Form_FileDialog->SetBrowseEntry(0, QString(), folder, folder);
    Form_FileDialog->SetBrowseEntry(1, QString(), QString(), QString());
    Form_FileDialog->Prepare(caption, extension, 96, -1, 127, 0, defaultName, 0);
    Form_FileDialog->SetStoreFolder(storeFolder);
}

void PcServices::LoadLanguage() {
    // While the checksum field is shown a translator works here: the screen stays undimmed
    // until the result is told, on green or red as always.
    const bool overlay = Form_Abdeckung != nullptr;
    const bool dim = overlay && window_.PcPageView->Edit_SpracheCRC->isHidden();
    if (dim) {
        Form_Abdeckung->Cover();
    }
    int result = -4;
    int contentLines = 0;
    int unknownLines = 0;
    QString path;
    bool chosen = false;
    try {
        PrepareFileDialog(window_.LanguageFolder, window_.LanguageDialogTitle,
                          QStringLiteral("lng"), Form_Sprachen->LanguageFile,
                          window_.TmpFolder + QStringLiteral("LNG"));
        chosen = Form_FileDialog->exec() == QDialog::Accepted;
        if (chosen) {
            // The bytes on disk, so that a name that is not UTF-8 still opens.
            const QByteArray nativePath = Form_FileDialog->ResultNativePath();
            path = QFile::decodeName(nativePath);
            int emptyLines = 0;
            int commentLines = 0;
            result = Form_Sprachen->LoadLanguageFile(nativePath, &contentLines, &emptyLines,
                                                     &commentLines, &unknownLines);
        }
    } catch (...) {
        chosen = true;  // the dialog could not be set up: reported like a failed load
        result = -4;
    }
    if (chosen) {
        if (overlay && result == 1) {
            Form_Abdeckung->CoverOk();
        } else if (overlay) {
            Form_Abdeckung->CoverError();
        }
        ReportLanguageLoad(result, contentLines, unknownLines, path);
    }
    if (dim || (overlay && chosen)) {
        Form_Abdeckung->Uncover();
    }
}

void PcServices::ReportLanguageLoad(int result, int contentLines, int unknownLines,
                                    const QString& path) {
    if (result != 1) {
        message(MessageIcon::Stop, window_.LanguageCaption, window_.LanguageNotLoadedText);
        return;
    }
    window_.PcPageView->Edit_VersionSprache->setToolTip(path);
    message(MessageIcon::Information,
            LanguageLoadedTitle(window_.LanguageCaption, contentLines, unknownLines),
            window_.LanguageLoadedText);
}

bool PcServices::InternetCheck() {
    for (const char* host : {maker_endpoints::MainWebHost, maker_endpoints::SecondWebHost}) {
        if (!host_resolver::ResolveWithin(resolve, host, resolveTimeoutMs).empty()) {
            return true;
        }
    }
    return false;
}

void PcServices::ShowNoInternetMessage() {
    const bool cover = Form_Abdeckung != nullptr && !Form_Abdeckung->isVisible();
    if (cover) {
        Form_Abdeckung->Cover();
    }
    const bool german = NoInternetMessageInGerman(window_.PcPageView->Edit_VersionSprache->text());
    message(MessageIcon::Information, QString::fromLatin1(TForm_Main::ProductTitle),
            QString::fromLatin1(german ? NoInternetGerman : NoInternetEnglish));
    if (cover) {
        Form_Abdeckung->Uncover();
    }
}

void PcServices::StartUpdate() {
    window_.PcPageView->SpeedButton_Update->repaint();
    if (!InternetCheck()) {
        ShowNoInternetMessage();
        return;
    }
    // Kalvio ends only when the desktop took the page: without a browser the user keeps it.
    if (openUrl(QUrl(QString::fromLatin1(maker_endpoints::SupportPage)))) {
        window_.close();
    } else {
        QApplication::beep();
    }
}

void PcServices::StartSupport() {
    window_.PcPageView->SpeedButton_Support->repaint();
    if (!InternetCheck()) {
        ShowNoInternetMessage();
        return;
    }
    const QString program = window_.TeamViewerFolder + QLatin1String(RemoteSupportProgram);
    try {
        const QFileInfo found(program);
        if (found.isFile() && found.isExecutable()) {
            startProgram(program, window_.TeamViewerFolder);
        } else {
            openUrl(QUrl(QString::fromLatin1(maker_endpoints::HomePage)));
        }
    } catch (...) {
        QApplication::beep();
    }
}

void PcServices::OpenManual() {
    window_.PcPageView->SpeedButton_Hilfe->repaint();
    if (Form_Abdeckung == nullptr || Form_Abdeckung->isVisible()) {
        return;  // another modal action is in progress
    }
    OverlayCover cover;
    try {
        PrepareFileDialog(window_.HelpFolder, window_.ManualDialogTitle, QStringLiteral("pdf"),
                          QString(), window_.TmpFolder + QStringLiteral("HELP"));
        if (Form_FileDialog->exec() == QDialog::Accepted) {
            Form_Abdeckung->Uncover();
            // Built from the bytes on disk, so a name that is not UTF-8 still opens.
            const QByteArray path = Form_FileDialog->ResultNativePath();
            openUrl(QUrl::fromEncoded("file://" + QUrl::toPercentEncoding(path, "/")));
        }
    } catch (...) {
        QApplication::beep();
    }
}
