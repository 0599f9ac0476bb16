// The name rules of the file dialog: extensions, the shown form of a name, the extension the
// save mode enforces, the checks a typed name must pass, and the type-ahead comparison.
//
// An extension starts at the last dot of a name, except a leading dot, which on Linux marks a
// hidden item and is part of its base name (".config" has no extension).
#pragma once

#include <QString>

class FileNameRules {
  public:
    // Longest file name a Linux file system takes, in bytes.
    static constexpr int MaximumNameBytes = 255;
    static const QString AnyExtension;  // ".*"
    static const QString NoExtension;   // "."

    static QString extensionOf(const QString& name);
    static QString baseNameOf(const QString& name);
    // The part after the last '/', so a default name given with a folder keeps only its name.
    static QString fileNamePart(const QString& name);
    // Base name as it is, extension in lower case: Report.PDF is shown as Report.pdf.
    static QString shownName(const QString& fileName);
    // "." + extension in lower case; "lng" gives ".lng", "" gives ".".
    static QString filterExtensionFor(const QString& callerExtension);
    // Whether a non-folder passes the filter: ".*" takes all, "." none, else the extension
    // compared ignoring case.
    static bool matchesFilter(const QString& fileName, const QString& filterExtension);
    // The same test on an extension already split off (".PDF").
    static bool extensionMatchesFilter(const QString& extension, const QString& filterExtension);
    // The save mode's rule: the name's extension replaced by the filter extension. A filter that
    // names no real extension leaves no stray dot or wildcard behind.
    static QString withFilterExtension(const QString& name, const QString& filterExtension);
    // The default name's rule: a name without extension gets the filter extension.
    static QString withDefaultExtension(const QString& name, const QString& filterExtension);
    // A typed name must stay inside its folder: one path element, not "." or "..", no NUL,
    // and short enough for the file system.
    static bool isSafeFileName(const QString& name);
    // The bytes of a name after an edit of its shown form: what the edit left untouched at the
    // start and at the end keeps its original bytes, also where they are no valid UTF-8.
    static QByteArray editedBytes(const QByteArray& original, const QString& edited);
    static QString withoutLeadingBlanks(const QString& text);
    // Type-ahead comparison: A to Z fold to lower case, every other character compares as is.
    static bool startsWithFolded(const QString& name, const QString& text);
};
