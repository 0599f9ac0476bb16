// A temporary folder the file dialog tests fill with the files and folders they need.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class FolderFixture {
  public:
    FolderFixture();

    QString path() const { return folder_.path(); }
    QString path(const QString& name) const { return folder_.filePath(name); }
    // Creates the file (and any folders above it) with the given size; sparse beyond a byte.
    void makeFile(const QString& name, qint64 size = 1) const;
    void makeFolder(const QString& name) const;
    void remove(const QString& name) const;

  private:
    QTemporaryDir folder_;
};
