#include "GeneralPopupMenu.h"

#include <QStyle>

QMenu* GeneralPopupMenu::Make(QWidget* window, const Actions& actions) {
    auto* menu = new QMenu(window);
    menu->setObjectName(QStringLiteral("PopupMenu_Algemein"));
    struct Entry {
        const char* name;
        QString caption;
        QStyle::StandardPixmap image;
        const std::function<void()>& action;
    };
    const Entry entries[] = {
        {"PrintScreen", QStringLiteral("Bildschirm drucken"), QStyle::SP_ComputerIcon,
         actions.PrintScreen},
        {"Hilfe", QStringLiteral("Benutzerhandbuch"), QStyle::SP_DialogHelpButton, actions.Hilfe},
        {"Support", QStringLiteral("Support..."), QStyle::SP_MessageBoxQuestion, actions.Support},
        {"Update", QStringLiteral("Update..."), QStyle::SP_BrowserReload, actions.Update},
        {"Info", QStringLiteral("Info..."), QStyle::SP_MessageBoxInformation, actions.Info},
    };
    for (const Entry& entry : entries) {
        // The style's icon, not a picture of it: it holds images for scaled screens too.
        QAction* action =
            menu->addAction(window->style()->standardIcon(entry.image), entry.caption);
        action->setObjectName(QLatin1String(entry.name));
        RunWhenMenuLeft(action, window, entry.action);
        if (action->objectName() == QLatin1String("PrintScreen")) {
            menu->addSeparator()->setObjectName(QStringLiteral("N9"));
        }
    }
    return menu;
}

QAction* GeneralPopupMenu::Item(QMenu* menu, const char* name) {
    return menu->findChild<QAction*>(QLatin1String(name));
}

// A chosen item fires while the menu is hiding. Queued, the action waits for the event loop to
// turn; the menu just chosen from leaves its picture behind until the window paints that part
// again, so the window paints itself before the action pictures the screen.
void GeneralPopupMenu::RunWhenMenuLeft(QAction* item, QWidget* window,
                                       std::function<void()> action) {
    QObject::connect(
        item, &QAction::triggered, window,
        [window, action = std::move(action)] {
            window->repaint();
            if (action) {
                action();
            }
        },
        Qt::QueuedConnection);
}
