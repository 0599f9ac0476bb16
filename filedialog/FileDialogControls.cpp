#include "FileDialogControls.h"

#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "ButtonMask.h"
#include "FileNameChoice.h"
#include "FileNameRules.h"
#include "VirtualListView.h"

const QColor FileDialogControls::Silver(192, 192, 192);
const QColor FileDialogControls::LightGreen(192, 220, 192);
const QColor FileDialogControls::InvalidRed(255, 0, 0);

namespace {

constexpr int ToolButtonSize = 26;

QFrame* createPanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

QIcon themedIcon(const char* themeName, QStyle::StandardPixmap fallback, const QStyle* style) {
    return QIcon::fromTheme(QLatin1String(themeName), style->standardIcon(fallback));
}

}  // namespace

void FileDialogControls::setBase(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

void FileDialogControls::dropDown(QMenu* menu, QToolButton* button) {
    menu->popup(button->mapToGlobal(QPoint(-1, button->height() - 1)));
}

FileDialogControls FileDialogControls::builtOn(QDialog* dialog, VirtualListModel* model) {
    FileDialogControls controls;
    controls.createPanels(dialog, model);
    controls.createMenus(dialog);
    return controls;
}

QList<QToolButton*> FileDialogControls::operationButtons() const {
    return {SpeedButton_Delete, SpeedButton_Cut,    SpeedButton_Copy,
            SpeedButton_Insert, SpeedButton_Rename, SpeedButton_MakeDir};
}

void FileDialogControls::applyButtonMask(quint32 mask) {
    const struct {
        QToolButton* button;
        quint32 bit;
    } tools[] = {
        {SpeedButton_Back, ButtonMask::Back},     {SpeedButton_Home, ButtonMask::Home},
        {SpeedButton_Browse, ButtonMask::Browse}, {SpeedButton_Refresh, ButtonMask::Refresh},
        {SpeedButton_Icons, ButtonMask::Icons},   {SpeedButton_List, ButtonMask::List},
        {SpeedButton_Report, ButtonMask::Report}, {SpeedButton_MakeDir, ButtonMask::MakeDir},
    };
    for (QToolButton* operation : operationButtons()) {
        operation->setEnabled(false);
        operation->setVisible((mask & ButtonMask::FileOperations) != 0);
    }
    for (const auto& tool : tools) {
        tool.button->setEnabled((mask & tool.bit) != 0);
    }
}

void FileDialogControls::enableItemTools(quint32 mask, bool folder, bool anySelected) {
    const auto offered = [mask, anySelected](quint32 bit) {
        return anySelected && (mask & bit) != 0;
    };
    using namespace ButtonMask;
    SpeedButton_Delete->setEnabled(offered(folder ? DeleteFolder : DeleteFile));
    SpeedButton_Cut->setEnabled(offered(folder ? CutFolder : CutFile));
    SpeedButton_Copy->setEnabled(offered(folder ? CopyFolder : CopyFile));
    SpeedButton_Rename->setEnabled(offered(folder ? RenameFolder : RenameFile));
}

void FileDialogControls::applyMode(quint8 mode, const QString& openCaption,
                                   const QString& saveCaption, const QString& cancelCaption) {
    const bool save = mode == FileNameChoice::SaveMode;
    Edit_FileName->setReadOnly(!save);
    setBase(Edit_FileName, save ? LightGreen : Silver);
    SpeedButton_OK->setText(save ? saveCaption : openCaption);
    SpeedButton_OK->setVisible(mode <= FileNameChoice::SaveMode);
    SpeedButton_Abbrechen->setText(cancelCaption);
    SpeedButton_Abbrechen->setVisible(true);
    SpeedButton_Abbrechen->setEnabled(true);
}

void FileDialogControls::pressView(VirtualListView::ViewStyle style) {
    using Style = VirtualListView::ViewStyle;
    QToolButton* button = style == Style::Icons  ? SpeedButton_Icons
                          : style == Style::List ? SpeedButton_List
                                                 : SpeedButton_Report;
    button->setChecked(true);
    lstvwVirtualList->setViewStyle(style);
}

void FileDialogControls::pressInitialView(int initialView) {
    using Style = VirtualListView::ViewStyle;
    constexpr Style Views[] = {Style::Icons, Style::List, Style::List, Style::Report};
    if (initialView >= 0 && initialView < int(std::size(Views))) {
        pressView(Views[initialView]);
    }
}

void FileDialogControls::showFieldState(const FileNameChoice::FieldState& state, quint8 mode) {
    if (mode == FileNameChoice::SaveMode) {
        setBase(Edit_FileName, state.invalid ? InvalidRed : LightGreen);
    }
    SpeedButton_OK->setVisible(state.okVisible);
    SpeedButton_OK->setEnabled(state.okEnabled);
    SpeedButton_Abbrechen->setVisible(true);
    SpeedButton_Abbrechen->setEnabled(true);
}

void FileDialogControls::centreOverMainWindow(QWidget* dialog) {
    const QWidget* main = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    QRect area;
    if (main != nullptr) {
        area = main->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    } else {
        return;
    }
    const QSize own = dialog->frameGeometry().size();
    dialog->move(area.left() + area.width() / 2 - own.width() / 2,
                 area.top() + area.height() / 2 - own.height() / 2);
}

void FileDialogControls::restorePressedView() {
    using Style = VirtualListView::ViewStyle;
    lstvwVirtualList->setViewStyle(SpeedButton_Icons->isChecked()  ? Style::Icons
                                   : SpeedButton_List->isChecked() ? Style::List
                                                                   : Style::Report);
}

void FileDialogControls::showListInDetails() {
    lstvwVirtualList->setViewStyle(VirtualListView::ViewStyle::Report);
}

void FileDialogControls::setToolRowEnabled(bool enabled) {
    Panel_Oben->setEnabled(enabled);
}

void FileDialogControls::focusList() {
    lstvwVirtualList->setFocus();
}

QColor FileDialogControls::fileNameFieldColour() const {
    return Edit_FileName->palette().color(QPalette::Base);
}

bool FileDialogControls::panelsEnabled() const {
    return Panel_Oben->isEnabled() && Panel_Mitte->isEnabled() && Panel_Unten->isEnabled();
}

void FileDialogControls::setPanelsEnabled(bool enabled) {
    for (QFrame* panel : {Panel_Oben, Panel_Mitte, Panel_Unten}) {
        panel->setEnabled(enabled);
    }
}

void FileDialogControls::createPanels(QDialog* dialog, VirtualListModel* model) {
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel_Oben = createPanel("Panel_Oben", dialog);
    Panel_Mitte = createPanel("Panel_Mitte", dialog);
    Panel_Unten = createPanel("Panel_Unten", dialog);
    layout->addWidget(Panel_Oben);
    layout->addWidget(Panel_Mitte, 1);
    layout->addWidget(Panel_Unten);
    createToolButtons();
    createMiddlePanel(model);
    createBottomPanel();
}

QToolButton* FileDialogControls::addToolButton(const char* name, const QString& hint,
                                               const QIcon& icon) {
    auto* button = new QToolButton(Panel_Oben);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setIcon(icon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(ToolButtonSize, ToolButtonSize);
    Panel_Oben->layout()->addWidget(button);
    return button;
}

void FileDialogControls::createToolButtons() {
    auto* row = new QHBoxLayout(Panel_Oben);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(1);
    const QStyle* look = Panel_Oben->style();
    SpeedButton_Back = addToolButton("SpeedButton_Back", QStringLiteral("Zurück"),
                                     themedIcon("go-up", QStyle::SP_FileDialogToParent, look));
    SpeedButton_Home = addToolButton("SpeedButton_Home", QStringLiteral("Home"),
                                     themedIcon("go-home", QStyle::SP_DirHomeIcon, look));
    SpeedButton_Browse = addToolButton("SpeedButton_Browse", QStringLiteral("Suchen"),
                                       themedIcon("folder-open", QStyle::SP_DirOpenIcon, look));
    SpeedButton_Refresh = addToolButton("SpeedButton_Refresh", QStringLiteral("Aktualisieren"),
                                        themedIcon("view-refresh", QStyle::SP_BrowserReload, look));
    row->addSpacing(8);
    SpeedButton_Icons =
        addToolButton("SpeedButton_Icons", QStringLiteral("Symbole"),
                      themedIcon("view-list-icons", QStyle::SP_FileDialogContentsView, look));
    SpeedButton_List = addToolButton("SpeedButton_List", QStringLiteral("Liste"),
                                     themedIcon("view-list", QStyle::SP_FileDialogListView, look));
    SpeedButton_Report =
        addToolButton("SpeedButton_Report", QStringLiteral("Details"),
                      themedIcon("view-list-details", QStyle::SP_FileDialogDetailedView, look));
    row->addSpacing(8);
    SpeedButton_Delete = addToolButton("SpeedButton_Delete", QStringLiteral("Löschen"),
                                       themedIcon("edit-delete", QStyle::SP_TrashIcon, look));
    SpeedButton_Cut = addToolButton("SpeedButton_Cut", QStringLiteral("Ausschneiden"),
                                    themedIcon("edit-cut", QStyle::SP_DialogDiscardButton, look));
    SpeedButton_Copy = addToolButton("SpeedButton_Copy", QStringLiteral("Kopieren"),
                                     themedIcon("edit-copy", QStyle::SP_FileIcon, look));
    SpeedButton_Insert =
        addToolButton("SpeedButton_Insert", QStringLiteral("Einfügen"),
                      themedIcon("edit-paste", QStyle::SP_DialogApplyButton, look));
    SpeedButton_Rename = addToolButton("SpeedButton_Rename", QStringLiteral("Umbenennen"),
                                       themedIcon("edit-rename", QStyle::SP_FileLinkIcon, look));
    SpeedButton_MakeDir =
        addToolButton("SpeedButton_MakeDir", QStringLiteral("Neuer Ordner"),
                      themedIcon("folder-new", QStyle::SP_FileDialogNewFolder, look));
    row->addStretch(1);

    for (QToolButton* view : {SpeedButton_Icons, SpeedButton_List, SpeedButton_Report}) {
        view->setCheckable(true);
        view->setAutoExclusive(true);
    }
    // Shown only for a caller whose mask offers a file operation.
    for (QToolButton* operation : operationButtons()) {
        operation->setEnabled(false);
        operation->hide();
    }
}

void FileDialogControls::createMiddlePanel(VirtualListModel* model) {
    auto* column = new QVBoxLayout(Panel_Mitte);
    column->setContentsMargins(4, 0, 4, 4);
    column->setSpacing(4);
    Edit_Pfad = new QLineEdit(Panel_Mitte);
    Edit_Pfad->setObjectName(QStringLiteral("Edit_Pfad"));
    Edit_Pfad->setReadOnly(true);
    Edit_Pfad->setFocusPolicy(Qt::ClickFocus);
    setBase(Edit_Pfad, VirtualListView::RestColour);
    lstvwVirtualList = new VirtualListView(model, Panel_Mitte);

    auto* nameRow = new QHBoxLayout();
    nameRow->setSpacing(3);
    Label_FileName = new QLabel(QStringLiteral("Dateiname:"), Panel_Mitte);
    Label_FileName->setObjectName(QStringLiteral("Label_FileName"));
    Edit_FileName = new QLineEdit(Panel_Mitte);
    Edit_FileName->setObjectName(QStringLiteral("Edit_FileName"));
    Edit_FileName->setMaxLength(FileNameRules::MaximumNameBytes);
    Label_FileName->setBuddy(Edit_FileName);
    nameRow->addWidget(Label_FileName);
    nameRow->addWidget(Edit_FileName, 1);

    column->addWidget(Edit_Pfad);
    column->addWidget(lstvwVirtualList, 1);
    column->addLayout(nameRow);
}

void FileDialogControls::createBottomPanel() {
    auto* row = new QHBoxLayout(Panel_Unten);
    row->setContentsMargins(4, 2, 4, 6);
    row->setSpacing(6);
    SpeedButton_OK = new QPushButton(QStringLiteral("OK"), Panel_Unten);
    SpeedButton_OK->setObjectName(QStringLiteral("SpeedButton_OK"));
    SpeedButton_Abbrechen = new QPushButton(QStringLiteral("Abbrechen"), Panel_Unten);
    SpeedButton_Abbrechen->setObjectName(QStringLiteral("SpeedButton_Abbrechen"));
    for (QPushButton* button : {SpeedButton_OK, SpeedButton_Abbrechen}) {
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumWidth(90);
    }
    // The picture preview keeps the left of the row; it places its controls itself.
    row->addStretch(1);
    row->addWidget(SpeedButton_OK);
    row->addWidget(SpeedButton_Abbrechen);
}

QMenu* FileDialogControls::createEntryMenu(QDialog* dialog, const char* menuName,
                                           const char* itemPrefix) {
    auto* menu = new QMenu(dialog);
    menu->setObjectName(QLatin1String(menuName));
    for (int index = 0; index < EntryItemCount; ++index) {
        QAction* item = menu->addAction(QString());
        item->setObjectName(QLatin1String(itemPrefix) + QString::number(index));
        item->setEnabled(false);
        item->setVisible(false);
    }
    return menu;
}

void FileDialogControls::createMenus(QDialog* dialog) {
    PopupMenu_Home = createEntryMenu(dialog, "PopupMenu_Home", "Home");
    PopupMenu_Browse = createEntryMenu(dialog, "PopupMenu_Browse", "Browse");
}
