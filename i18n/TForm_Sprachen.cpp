#include "TForm_Sprachen.h"

#include <QFile>
#include <QLineEdit>
#include <QSaveFile>
#include <QStringDecoder>
#include <QWidget>

#include "RegularFile.h"

TForm_Sprachen* Form_Sprachen = nullptr;

namespace {

// Reads a whole regular file of at most maxBytes; false when it cannot be read, is larger or is
// no regular file. A FIFO or a device named here is refused without waiting on it.
bool ReadBounded(const QByteArray& nativePath, std::size_t maxBytes, std::string& bytes) {
    return RegularFile::readWhole(nativePath.constData(), maxBytes, bytes) ==
           RegularFile::ReadResult::Read;
}

// Language files are 8-bit text in the Windows code page of Western Europe.
QString Decode(const std::string& bytes) {
    QStringDecoder decoder("windows-1252");
    if (!decoder.isValid()) {
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    }
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

}  // namespace

// The walk's view of the program: the checksum field, the header, and the windows' texts.
class TForm_Sprachen::Applier : public language_file::Sink {
  public:
    Applier(TForm_Sprachen& holder, const QByteArray& nativePath)
        : holder_(holder), nativePath_(nativePath) {}

    void ChecksumComputed(const std::string& text) override {
        holder_.ShowOnMainWindow("Edit_SpracheCRC", QString::fromStdString(text));
    }
    void HeaderAccepted(const language_file::Header& header) override {
        holder_.LanguageFile = QFile::decodeName(nativePath_);
        holder_.LanguageFileNative = nativePath_;
        holder_.HeaderChecksum = Decode(header.checksum);
        holder_.HeaderProgram = Decode(header.program);
        holder_.HeaderLanguage = Decode(header.language);
        holder_.HeaderVersion = Decode(header.version);
        holder_.HeaderExtra = Decode(header.extra);
    }
    void ApplySection(const LanguageSection& section,
                      const std::vector<std::string>& values) override {
        if (&section == &LanguageSections().front()) {  // "[Header]"
            holder_.ShowOnMainWindow(
                "Edit_VersionSprache",
                holder_.HeaderLanguage + QLatin1Char(' ') + holder_.HeaderVersion);
            return;
        }
        QStringList texts;
        for (const std::string& value : values) {
            texts << Decode(value);
        }
        holder_.targets_.ApplySection(section, texts);
    }

  private:
    TForm_Sprachen& holder_;
    const QByteArray nativePath_;
};

TForm_Sprachen::TForm_Sprachen(QObject* parent, TextTargets::WindowLookup windows)
    : QObject(parent), targets_(std::move(windows)) {
    setObjectName(QStringLiteral("Form_Sprachen"));
}

void TForm_Sprachen::ShowOnMainWindow(const char* field, const QString& text, bool asHint) const {
    const LanguageTarget target{TargetKind::Caption, "Form_Main", field};
    if (auto* edit = qobject_cast<QLineEdit*>(targets_.Resolve(target))) {
        if (asHint) {
            edit->setToolTip(text);
        } else {
            edit->setText(text);
            edit->setCursorPosition(0);
        }
    }
}

int TForm_Sprachen::LoadLanguageFile(const QString& path, int* contentLines, int* emptyLines,
                                     int* commentLines, int* unknownLines) {
    return LoadLanguageFile(QFile::encodeName(path), contentLines, emptyLines, commentLines,
                            unknownLines);
}

int TForm_Sprachen::LoadLanguageFile(const QByteArray& nativePath, int* contentLines,
                                     int* emptyLines, int* commentLines, int* unknownLines) {
    language_file::Counters counters;
    int result = language_file::Unreadable;
    std::string bytes;
    if (!nativePath.contains('\0') && ReadBounded(nativePath, language_file::MaxFileBytes, bytes)) {
        Applier applier(*this, nativePath);
        result = language_file::Walk(bytes, applier, counters);
    }
    for (auto [out, value] : {std::pair{contentLines, counters.contentLines},
                              {emptyLines, counters.emptyLines},
                              {commentLines, counters.commentLines},
                              {unknownLines, counters.unknownLines}}) {
        if (out != nullptr) {
            *out = value;
        }
    }
    return result;
}

void TForm_Sprachen::LoadSettings(const QString& configFolder) {
    std::string bytes;
    if (!ReadBounded(QFile::encodeName(configFolder + QLatin1String(SettingsFileName)),
                     LanguageSettings::MaxFileBytes, bytes)) {
        return;
    }
    for (const std::string& file : LanguageSettings::languageFiles(bytes)) {
        const QByteArray nativePath = QByteArray::fromStdString(file);
        if (LoadLanguageFile(nativePath) == language_file::Loaded) {
            ShowOnMainWindow("Edit_VersionSprache", QFile::decodeName(nativePath), true);
        }
    }
}

void TForm_Sprachen::SaveSettings(const QString& configFolder) const {
    QSaveFile file(configFolder + QLatin1String(SettingsFileName));
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    file.write(
        QByteArray::fromStdString(LanguageSettings::fileText(LanguageFileNative.toStdString())));
    file.commit();  // replaces the old file only when the new one is whole
}
