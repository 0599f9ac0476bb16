#include "FolderFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

FolderFixture::FolderFixture() {
    if (!folder_.isValid()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
}

void FolderFixture::makeFile(const QString& name, qint64 size) const {
    const QString full = path(name);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || !file.write("x", 1) || !file.resize(size)) {
        throw std::runtime_error("cannot create a test file");
    }
}

void FolderFixture::makeFolder(const QString& name) const {
    if (!QDir().mkpath(path(name))) {
        throw std::runtime_error("cannot create a test folder");
    }
}

void FolderFixture::remove(const QString& name) const {
    QFile::remove(path(name));
}
