#include "FileNameRules.h"

#include <QFile>

const QString FileNameRules::AnyExtension = QStringLiteral(".*");
const QString FileNameRules::NoExtension = QStringLiteral(".");

namespace {

qsizetype extensionStart(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? dot : -1;
}

bool namesRealExtension(const QString& filterExtension) {
    return filterExtension.size() > 1 && filterExtension != FileNameRules::AnyExtension;
}

QChar foldAsciiLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? QChar(c.unicode() + 32) : c;
}

// How many bytes at the start (or end) of `original` decode to exactly `text`; -1 if none do.
qsizetype bytesDecodingTo(const QByteArray& original, const QString& text, bool atEnd) {
    for (qsizetype count = 0; count <= original.size(); ++count) {
        const QByteArray part = atEnd ? original.right(count) : original.left(count);
        if (QFile::decodeName(part) == text) {
            return count;
        }
    }
    return -1;
}

qsizetype commonPrefixLength(const QString& a, const QString& b) {
    qsizetype length = 0;
    while (length < a.size() && length < b.size() && a.at(length) == b.at(length)) {
        ++length;
    }
    return length;
}

qsizetype commonSuffixLength(const QString& a, const QString& b) {
    qsizetype length = 0;
    while (length < a.size() && length < b.size() &&
           a.at(a.size() - 1 - length) == b.at(b.size() - 1 - length)) {
        ++length;
    }
    return length;
}

}  // namespace

QString FileNameRules::extensionOf(const QString& name) {
    const qsizetype start = extensionStart(name);
    return start < 0 ? QString() : name.mid(start);
}

QString FileNameRules::baseNameOf(const QString& name) {
    const qsizetype start = extensionStart(name);
    return start < 0 ? name : name.left(start);
}

QString FileNameRules::fileNamePart(const QString& name) {
    return name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
}

QString FileNameRules::shownName(const QString& fileName) {
    const qsizetype start = extensionStart(fileName);
    if (start < 0) {
        return fileName;
    }
    const QString extension = fileName.mid(start);
    const QString lowered = extension.toLower();
    // Most names already have a lower-case extension; keep sharing the one string then.
    return lowered == extension ? fileName : fileName.left(start) + lowered;
}

QString FileNameRules::filterExtensionFor(const QString& callerExtension) {
    return QLatin1Char('.') + callerExtension.toLower();
}

bool FileNameRules::matchesFilter(const QString& fileName, const QString& filterExtension) {
    return extensionMatchesFilter(extensionOf(fileName), filterExtension);
}

bool FileNameRules::extensionMatchesFilter(const QString& extension,
                                           const QString& filterExtension) {
    if (filterExtension == AnyExtension) {
        return true;
    }
    if (!namesRealExtension(filterExtension)) {
        return false;
    }
    return extension.compare(filterExtension, Qt::CaseInsensitive) == 0;
}

QString FileNameRules::withFilterExtension(const QString& name, const QString& filterExtension) {
    if (filterExtension == AnyExtension) {
        return name;
    }
    if (!namesRealExtension(filterExtension)) {
        return baseNameOf(name);
    }
    return baseNameOf(name) + filterExtension;
}

QString FileNameRules::withDefaultExtension(const QString& name, const QString& filterExtension) {
    if (name.isEmpty() || !extensionOf(name).isEmpty() || !namesRealExtension(filterExtension)) {
        return name;
    }
    return name + filterExtension;
}

bool FileNameRules::isSafeFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        return false;
    }
    if (name.contains(QLatin1Char('/')) || name.contains(QChar(0))) {
        return false;
    }
    return QFile::encodeName(name).size() <= MaximumNameBytes;
}

QByteArray FileNameRules::editedBytes(const QByteArray& original, const QString& edited) {
    const QString shown = QFile::decodeName(original);
    qsizetype head = commonPrefixLength(shown, edited);
    qsizetype tail = commonSuffixLength(shown.mid(head), edited.mid(head));
    // A kept part ends where whole characters of the original end.
    qsizetype headBytes = bytesDecodingTo(original, shown.left(head), false);
    while (headBytes < 0) {
        headBytes = bytesDecodingTo(original, shown.left(--head), false);
    }
    qsizetype tailBytes = bytesDecodingTo(original, shown.right(tail), true);
    while (tailBytes < 0 || headBytes + tailBytes > original.size()) {
        tailBytes = bytesDecodingTo(original, shown.right(--tail), true);
    }
    return original.left(headBytes) +
           QFile::encodeName(edited.mid(head, edited.size() - head - tail)) +
           original.right(tailBytes);
}

QString FileNameRules::withoutLeadingBlanks(const QString& text) {
    qsizetype first = 0;
    while (first < text.size() && text.at(first) == QLatin1Char(' ')) {
        ++first;
    }
    return text.mid(first);
}

bool FileNameRules::startsWithFolded(const QString& name, const QString& text) {
    if (text.isEmpty() || text.size() > name.size()) {
        return false;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (foldAsciiLetter(name.at(i)) != foldAsciiLetter(text.at(i))) {
            return false;
        }
    }
    return true;
}
