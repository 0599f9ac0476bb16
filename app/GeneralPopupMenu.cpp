#include "GeneralPopupMenu.h"

#include <QStyle>

QMenu* GeneralPopupMenu::Make(QWidget* window) {
    auto* menu = new QMenu(window);
    menu->setObjectName(QStringLiteral("PopupMenu_Algemein"));
    struct Entry {
        const char* name;
        QString caption;
        QStyle::StandardPixmap image;
    };
    const Entry entries[] = {
        {"PrintScreen", QStringLiteral("Bildschirm drucken"), QStyle::SP_ComputerIcon},
        {"Hilfe", QStringLiteral("Benutzerhandbuch"), QStyle::SP_DialogHelpButton},
        {"Support", QStringLiteral("Support..."), QStyle::SP_MessageBoxQuestion},
        {"Update", QStringLiteral("Update..."), QStyle::SP_BrowserReload},
        {"Info", QStringLiteral("Info..."), QStyle::SP_MessageBoxInformation},
    };
    for (const Entry& entry : entries) {
        const QIcon image(window->style()->standardIcon(entry.image).pixmap(16, 16));
        QAction* action = menu->addAction(image, entry.caption);
        action->setObjectName(QLatin1String(entry.name));
        if (action->objectName() == QLatin1String("PrintScreen")) {
            menu->addSeparator()->setObjectName(QStringLiteral("N9"));
        }
    }
    return menu;
}

QAction* GeneralPopupMenu::Item(QMenu* menu, const char* name) {
    return menu->findChild<QAction*>(QLatin1String(name));
}
