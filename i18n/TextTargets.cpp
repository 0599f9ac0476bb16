#include "TextTargets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

namespace {

// The window an object belongs to: a widget's own, an action's through the widget it hangs on;
// a popup menu is a window of its own and belongs to the window it pops up over.
const QWidget* OwningWindow(const QObject* object) {
    for (const QObject* at = object; at != nullptr; at = at->parent()) {
        const auto* widget = qobject_cast<const QWidget*>(at);
        if (widget != nullptr && qobject_cast<const QMenu*>(widget) == nullptr) {
            return widget->window();
        }
    }
    return nullptr;
}

// The model whose column captions a list shows: its own, or that of the views it is made of.
QAbstractItemModel* ColumnModel(QObject* list) {
    auto* view = qobject_cast<QAbstractItemView*>(list);
    if (view == nullptr) {
        view = list->findChild<QAbstractItemView*>();
    }
    return view != nullptr ? view->model() : nullptr;
}

QTabWidget* TabWidgetHolding(QWidget* window, QWidget* page) {
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        if (tabs->indexOf(page) >= 0) {
            return tabs;
        }
    }
    return nullptr;
}

bool HasTextSlot(const QObject* window, const char* name) {
    return window->metaObject()->indexOfProperty(name) >= 0;
}

}  // namespace

TextTargets::TextTargets(WindowLookup lookup) : lookup_(std::move(lookup)) {}

QObject* TextTargets::Resolve(const LanguageTarget& target) const {
    if (target.kind == TargetKind::Skipped) {
        return nullptr;
    }
    QWidget* window = lookup_(QLatin1String(target.window));
    if (window == nullptr) {
        return nullptr;
    }
    if (target.kind == TargetKind::WindowCaption) {
        return window;
    }
    if (target.kind == TargetKind::TextSlot) {
        return HasTextSlot(window, target.control) ? window : nullptr;
    }
    for (QObject* found : window->findChildren<QObject*>(QLatin1String(target.control))) {
        if (OwningWindow(found) == window) {
            return found;
        }
    }
    return nullptr;
}

void TextTargets::ApplySection(const LanguageSection& section, const QStringList& texts) const {
    QObject* listBeingFilled = nullptr;
    for (std::size_t line = 0; line < section.lines.size() && int(line) < texts.size(); ++line) {
        const LanguageTarget& target = section.lines[line];
        QObject* object = Resolve(target);
        if (object == nullptr) {
            continue;
        }
        // A list is emptied before its first item of the section, then refilled item by item.
        if (target.kind == TargetKind::ListItem && object != listBeingFilled) {
            if (auto* list = qobject_cast<QComboBox*>(object)) {
                list->clear();
            }
            listBeingFilled = object;
        }
        Write(target, object, texts[int(line)]);
    }
}

void TextTargets::Write(const LanguageTarget& target, QObject* object, const QString& text) const {
    auto* widget = qobject_cast<QWidget*>(object);
    switch (target.kind) {
        case TargetKind::Skipped:
            break;
        case TargetKind::WindowCaption:
            widget->setWindowTitle(text);
            break;
        case TargetKind::Hint:
            if (widget != nullptr) {
                widget->setToolTip(text);
            }
            break;
        case TargetKind::TextSlot:
            object->setProperty(target.control, text);
            break;
        case TargetKind::MenuItem:
            if (auto* action = qobject_cast<QAction*>(object)) {
                action->setText(text);
            }
            break;
        case TargetKind::ListItem:
            if (auto* list = qobject_cast<QComboBox*>(object)) {
                list->addItem(text);
            }
            break;
        case TargetKind::ColumnCaption:
            if (QAbstractItemModel* model = ColumnModel(object)) {
                model->setHeaderData(target.index, Qt::Horizontal, text, Qt::DisplayRole);
            }
            break;
        case TargetKind::Caption:
            if (auto* label = qobject_cast<QLabel*>(object)) {
                label->setText(text);
            } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
                button->setText(text);
            } else if (auto* box = qobject_cast<QGroupBox*>(object)) {
                box->setTitle(text);
            } else if (QTabWidget* tabs =
                           widget ? TabWidgetHolding(widget->window(), widget) : nullptr) {
                tabs->setTabText(tabs->indexOf(widget), text);
            }
            break;
    }
}

QString TextTargets::Text(const LanguageTarget& target) const {
    QObject* object = Resolve(target);
    auto* widget = qobject_cast<QWidget*>(object);
    if (object == nullptr) {
        return QString();
    }
    switch (target.kind) {
        case TargetKind::Skipped:
            return QString();
        case TargetKind::WindowCaption:
            return widget->windowTitle();
        case TargetKind::Hint:
            return widget != nullptr ? widget->toolTip() : QString();
        case TargetKind::TextSlot:
            return object->property(target.control).toString();
        case TargetKind::MenuItem:
            if (auto* action = qobject_cast<QAction*>(object)) {
                return action->text();
            }
            return QString();
        case TargetKind::ListItem:
            if (auto* list = qobject_cast<QComboBox*>(object)) {
                QStringList items;
                for (int i = 0; i < list->count(); ++i) {
                    items << list->itemText(i);
                }
                return items.join(QLatin1Char('\n'));
            }
            return QString();
        case TargetKind::ColumnCaption:
            if (QAbstractItemModel* model = ColumnModel(object)) {
                return model->headerData(target.index, Qt::Horizontal).toString();
            }
            return QString();
        case TargetKind::Caption:
            if (auto* label = qobject_cast<QLabel*>(object)) {
                return label->text();
            }
            if (auto* button = qobject_cast<QAbstractButton*>(object)) {
                return button->text();
            }
            if (auto* box = qobject_cast<QGroupBox*>(object)) {
                return box->title();
            }
            if (QTabWidget* tabs = widget ? TabWidgetHolding(widget->window(), widget) : nullptr) {
                return tabs->tabText(tabs->indexOf(widget));
            }
            return QString();
    }
    return QString();
}
