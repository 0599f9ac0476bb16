#include "NavigationEntries.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "FileDialogControls.h"
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

NavigationEntries::NavigationEntries(QMenu* menu, QToolButton* button, Opener open)
    : menu_(menu), button_(button), open_(std::move(open)) {
    const QList<QAction*> items = menu_->actions();
    for (int index = 0; index < Count; ++index) {
        QObject::connect(items.at(index), &QAction::triggered, menu_,
                         [this, index] { open_(index); });
    }
}

void NavigationEntries::buttonClick() {
    if (entries_[1].label.isEmpty()) {
        open_(0);
    } else {
        FileDialogControls::dropDown(menu_, button_);
    }
}

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

void NavigationEntries::rebuildMenu() {
    const QList<QAction*> items = menu_->actions();
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
