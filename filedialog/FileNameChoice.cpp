#include "FileNameChoice.h"

#include "FileNameRules.h"

QString FileNameChoice::setDefaultName(const QString& defaultName) {
    QString fileName = FileNameRules::fileNamePart(defaultName);
    defaultBaseName_ = FileNameRules::baseNameOf(fileName);
    if (FileNameRules::extensionOf(fileName).isEmpty()) {
        fileName = FileNameRules::withDefaultExtension(fileName, filterExtension_);
    }
    defaultFileName_ = fileName;
    defaultExtension_ = FileNameRules::extensionOf(fileName);
    return fileName;
}

FileNameChoice::FieldState FileNameChoice::apply(const QString& fieldText, bool folderSelected,
                                                 const FolderLocation& folder) const {
    FieldState state;
    const QString text = FileNameRules::withoutLeadingBlanks(fieldText);
    if (mode_ == OpenMode) {
        const bool usable = !text.isEmpty() && !folderSelected;
        state.text = usable ? text : QString();
        state.okVisible = true;
        state.okEnabled = usable;
    } else if (mode_ == SaveMode) {
        state.text = text;
        const bool acceptable = saveNameAcceptable(text, folder);
        state.invalid = !text.isEmpty() && !acceptable;
        state.okVisible = true;
        state.okEnabled = acceptable;
    } else {
        state.text = (folderSelected || mode_ > ViewMode) ? QString() : fieldText;
    }
    return state;
}

// A typed name must name a file inside the shown folder, and a virtual folder holds no files.
bool FileNameChoice::saveNameAcceptable(const QString& typed, const FolderLocation& folder) const {
    if (typed.isEmpty() || folder.isVirtual()) {
        return false;
    }
    const QString fileName = FileNameRules::withFilterExtension(typed, filterExtension_);
    return FileNameRules::isSafeFileName(typed) && FileNameRules::isSafeFileName(fileName);
}

QByteArray FileNameChoice::closeWith(const QString& fieldText, const FolderLocation& folder,
                                     const RealName& realName) {
    QString fileName;
    if (mode_ == OpenMode) {
        fileName = fieldText;
    } else if (mode_ == SaveMode) {
        fileName = FileNameRules::withFilterExtension(
            FileNameRules::withoutLeadingBlanks(fieldText), filterExtension_);
    }
    defaultFileName_ = fileName;
    defaultBaseName_ = FileNameRules::baseNameOf(fileName);
    defaultExtension_ = FileNameRules::extensionOf(fileName);
    const bool usable = FileNameRules::isSafeFileName(fileName) && !folder.isVirtual();
    if (!usable) {
        return QByteArray();
    }
    // Saving over a listed file writes that file, not a twin with a lower-case extension.
    return folder.itemPath(realName(fileName));
}
