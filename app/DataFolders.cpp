#include "DataFolders.h"

#include <QDir>

namespace {

QString WithSlash(const QString& path) {
    return path.endsWith('/') ? path : path + '/';
}

}  // namespace

DataFolders DataFolders::LayOut() {
    DataFolders folders;
    folders.StartFolder = WithSlash(QDir::currentPath());
    for (QString* member : {&folders.ConfigFolder, &folders.TmpFolder, &folders.HelpFolder,
                            &folders.LanguageFolder, &folders.TeamViewerFolder}) {
        *member = folders.StartFolder;
    }

    QDir::setCurrent(QStringLiteral(".."));
    folders.BaseFolder = WithSlash(QDir::currentPath());
    const std::pair<const char*, QString*> dataFolders[] = {
        {"CONFIG", &folders.ConfigFolder},
        {"TMP", &folders.TmpFolder},
        {"HELP", &folders.HelpFolder},
        {"LANGUAGE", &folders.LanguageFolder},
        {"TEAMVIEWER", &folders.TeamViewerFolder},
    };
    for (const auto& [name, member] : dataFolders) {
        const QString path = folders.BaseFolder + QLatin1String(name);
        if (QDir().mkpath(path) && QDir::setCurrent(path)) {
            *member = WithSlash(QDir::currentPath());  // as the system reports it
        }
        QDir::setCurrent(folders.BaseFolder);
    }
    QDir::setCurrent(folders.StartFolder);
    return folders;
}
