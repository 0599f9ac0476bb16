// A temporary folder for tests that name files by their native bytes, such as names that are
// no valid UTF-8. Removed with everything in it afterwards, links unlinked, never followed.
#pragma once

#include <sys/types.h>

#include <QByteArray>

#include "TemporaryFolder.h"

class NativeFolder {
  public:
    QByteArray path() const { return QByteArray::fromStdString(folder_.path()); }
    QByteArray path(const QByteArray& name) const { return path() + '/' + name; }

    // Each creates what it names or throws; folders above must exist.
    void write(const QByteArray& name, const QByteArray& contents, mode_t mode = 0644) const;
    void makeFolder(const QByteArray& name) const;
    void link(const QByteArray& name, const QByteArray& target) const;
    // Empty where the file cannot be read.
    QByteArray read(const QByteArray& name) const;
    // The target text of a link; empty where the item is no link.
    QByteArray linkTarget(const QByteArray& name) const;

  private:
    test_support::TemporaryFolder folder_;
};
