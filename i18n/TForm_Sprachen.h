// The language holder: reads a language file, checks its program name and checksum, and writes
// its texts into every window; keeps the choice in Kalvio.ini. Never shown.
#pragma once

#include <QObject>
#include <QString>

#include "LanguageFile.h"
#include "LanguageSettings.h"
#include "TextTargets.h"

class TForm_Sprachen : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* SettingsFileName = LanguageSettings::FileName;
    static constexpr const char* SettingsSection = LanguageSettings::Section;

    TForm_Sprachen(QObject* parent, TextTargets::WindowLookup windows);

    // 1 loaded; -1 unreadable, too large, no regular file or cut off inside a section; -2 not
    // this program's file; -3 wrong checksum. The counters are optional. The path is the bytes
    // the file system knows, so that a name that is not UTF-8 opens too.
    int LoadLanguageFile(const QByteArray& nativePath, int* contentLines = nullptr,
                         int* emptyLines = nullptr, int* commentLines = nullptr,
                         int* unknownLines = nullptr);
    int LoadLanguageFile(const QString& path, int* contentLines = nullptr,
                         int* emptyLines = nullptr, int* commentLines = nullptr,
                         int* unknownLines = nullptr);
    // Loads the file Kalvio.ini in this folder names, silently; a missing or unreadable
    // Kalvio.ini is no error.
    void LoadSettings(const QString& configFolder);
    // Writes Kalvio.ini whole, or leaves the one there as it was.
    void SaveSettings(const QString& configFolder) const;

    const TextTargets& Targets() const { return targets_; }

    // Shown and proposed as text; kept in Kalvio.ini as the bytes of LanguageFileNative.
    QString LanguageFile;
    QByteArray LanguageFileNative;
    QString HeaderChecksum, HeaderProgram, HeaderLanguage, HeaderVersion, HeaderExtra;

  private:
    class Applier;

    void ShowOnMainWindow(const char* field, const QString& text, bool asHint = false) const;

    TextTargets targets_;
};

// The one language holder of the running program.
extern TForm_Sprachen* Form_Sprachen;
