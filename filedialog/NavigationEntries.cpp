#include "NavigationEntries.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "FileNameRules.h"
#include "FolderLocation.h"
#include "FolderNames.h"

namespace {

QString menuCaption(const QString& label) {
    QString caption = label;
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

bool isVirtualFolderPath(const QString& path) {
    return path.compare(FolderLocation::ComputerPath, Qt::CaseInsensitive) == 0 ||
           path.compare(FolderLocation::NetworkPath, Qt::CaseInsensitive) == 0;
}

}  // namespace

int NavigationEntries::set(int index, const QString& label, const QString& path,
                           const QString& floor) {
    if (index < 0 || index >= Count) {
        return -1;
    }
    NavigationEntry& entry = entries_[static_cast<std::size_t>(index)];
    entry.path = FolderNames::normalise(path);
    entry.label = FolderNames::isSpecialName(path) ? FolderNames::lastComponent(entry.path) : label;
    entry.floor = FolderNames::normalise(floor);
    return 0;
}

void NavigationEntries::rebuildMenu(QMenu* menu) {
    const QList<QAction*> items = menu->actions();
    for (QAction* item : items) {
        item->setText(QString());
        item->setEnabled(false);
        item->setVisible(false);
    }
    for (int index = 0; index < Count; ++index) {
        NavigationEntry& entry = entries_[static_cast<std::size_t>(index)];
        if (entry.label.isEmpty()) {
            break;
        }
        QAction* item = items.at(index);
        item->setVisible(true);
        if (isVirtualFolderPath(entry.path)) {
            entry.label =
                FileNameRules::baseNameOf(FolderLocation::parse(entry.path)->displayName());
            item->setEnabled(true);
        } else {
            item->setEnabled(QFileInfo(entry.path).isDir());
        }
        item->setText(menuCaption(entry.label));
    }
}
