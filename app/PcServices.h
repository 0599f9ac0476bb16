// The PC page's services outside the unit: loading a language, the user manual, remote support
// and the update page, with the internet check before support and update. Everything runs on
// the GUI thread; the outside world (resolver, opener, programs, message boxes) is reached
// through replaceable functions, so tests never touch the net or the desktop.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

#include "HostResolver.h"

class TForm_Main;

class PcServices {
  public:
    enum class MessageIcon { Information, Stop };
    using Message = std::function<void(MessageIcon, const QString& title, const QString& text)>;
    using Opener = std::function<bool(const QUrl&)>;
    using ProgramStarter =
        std::function<bool(const QString& program, const QString& workingFolder)>;

    // The remote-support program in TeamViewerFolder: an executable file (or a launcher
    // script) of this name.
    static constexpr const char* RemoteSupportProgram = "TeamViewerQS";
    // A resolver that has not answered by then counts as no connection.
    static constexpr int ResolveTimeoutMs = 4000;

    explicit PcServices(TForm_Main& window);

    void LoadLanguage();
    void OpenManual();
    void StartSupport();
    void StartUpdate();
    bool InternetCheck();
    void ShowNoInternetMessage();

    // The title of the language success message: the caption, and the counts when lines were
    // unknown.
    static QString LanguageLoadedTitle(const QString& caption, int contentLines, int unknownLines);
    // German unless the language field names another language.
    static bool NoInternetMessageInGerman(const QString& languageField);

    static void ShowMessageBox(MessageIcon icon, const QString& title, const QString& text);

    Message message = ShowMessageBox;
    Opener openUrl;
    ProgramStarter startProgram;
    host_resolver::Resolver resolve = host_resolver::ResolveHostIPv4;
    int resolveTimeoutMs = ResolveTimeoutMs;

  private:
    void ReportLanguageLoad(int result, int contentLines, int unknownLines, const QString& path);
    // Sets the file dialog up to pick a file of this extension from one folder.
    void PrepareFileDialog(const QString& folder, const QString& caption, const QString& extension,
                           const QString& defaultName, const QString& storeFolder);

    TForm_Main& window_;
};
