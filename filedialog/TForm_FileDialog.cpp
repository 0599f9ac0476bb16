#include "TForm_FileDialog.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "BusyIndication.h"
#include "FileDialogError.h"
#include "FileNameRules.h"
#include "FolderListing.h"
#include "FolderNames.h"
#include "VirtualListModel.h"
#include "VirtualListView.h"

TForm_FileDialog* Form_FileDialog = nullptr;

namespace {

const QString ProductTitle = QStringLiteral("Kalvio - Quenzel AG");
constexpr int ClientWidth = 632;
constexpr int ClientHeight = 453;
constexpr int ToolButtonSize = 26;
constexpr int WheelStep = 120;
const QColor Silver(192, 192, 192);
const QColor LightGreen(192, 220, 192);
const QColor InvalidRed(255, 0, 0);

void setBase(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

QFrame* createPanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

QString menuCaption(const QString& label) {
    QString caption = label;
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QIcon themedIcon(const char* themeName, QStyle::StandardPixmap fallback, const QStyle* style) {
    return QIcon::fromTheme(QLatin1String(themeName), style->standardIcon(fallback));
}

}  // namespace

TForm_FileDialog::TForm_FileDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      model_(new VirtualListModel(this)),
      currentFolder_(FolderLocation::computer()),
      filterExtension_(FileNameRules::AnyExtension),
      enumerationFlags_(FolderListing::DefaultFlags),
      storeFolder_(QDir::tempPath() + QLatin1Char('/')) {
    setObjectName(QStringLiteral("Form_FileDialog"));
    setFont(QFont(QStringLiteral("Verdana"), 8));
    setModal(true);
    createPanels();
    createMenus();
    errorDisplay_ = [this](const QString& message) {
        QMessageBox box(QMessageBox::Critical, ProductTitle, message, QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
    folderPicker_ = [this](const QString& root) {
        return QFileDialog::getExistingDirectory(this, QString(), root, QFileDialog::ShowDirsOnly);
    };
    connect(lstvwVirtualList, &VirtualListView::selectedRowChanged, this,
            &TForm_FileDialog::lstvwVirtualListSelectItem);
    connect(lstvwVirtualList, &VirtualListView::rowDoubleClicked, this,
            &TForm_FileDialog::lstvwVirtualListDblClick);
    connect(Edit_FileName, &QLineEdit::textChanged, this, &TForm_FileDialog::Edit_FileNameChange);
    OpenFolder(FolderLocation::computer());
    SpeedButton_List->setChecked(true);
    lstvwVirtualList->setViewStyle(VirtualListView::ViewStyle::List);
    resize(ClientWidth, ClientHeight);
    setMinimumSize(ClientWidth, ClientHeight);
}

TForm_FileDialog::~TForm_FileDialog() = default;

// ---- Window ------------------------------------------------------------------------------

void TForm_FileDialog::createPanels() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel_Oben = createPanel("Panel_Oben", this);
    Panel_Mitte = createPanel("Panel_Mitte", this);
    Panel_Unten = createPanel("Panel_Unten", this);
    layout->addWidget(Panel_Oben);
    layout->addWidget(Panel_Mitte, 1);
    layout->addWidget(Panel_Unten);
    createToolButtons();
    createMiddlePanel();
    createBottomPanel();
}

QToolButton* TForm_FileDialog::addToolButton(const char* name, const QString& hint,
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

void TForm_FileDialog::createToolButtons() {
    auto* row = new QHBoxLayout(Panel_Oben);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(1);
    const QStyle* look = style();
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
    // The insert list's own item; the insert store wires it up.
    auto* clearInsertList = new QAction(QStringLiteral("Liste löschen"), SpeedButton_Insert);
    clearInsertList->setObjectName(QStringLiteral("InsertListeLoeschen"));
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
    // The file operations arrive together with the insert store; until then their buttons keep
    // their places but stay hidden whatever the mask says.
    for (QToolButton* operation : {SpeedButton_Delete, SpeedButton_Cut, SpeedButton_Copy,
                                   SpeedButton_Insert, SpeedButton_Rename, SpeedButton_MakeDir}) {
        operation->setEnabled(false);
        operation->hide();
    }
    connect(SpeedButton_Back, &QToolButton::clicked, this,
            &TForm_FileDialog::SpeedButton_BackClick);
    connect(SpeedButton_Home, &QToolButton::clicked, this,
            &TForm_FileDialog::SpeedButton_HomeClick);
    connect(SpeedButton_Browse, &QToolButton::clicked, this,
            &TForm_FileDialog::SpeedButton_BrowseClick);
    connect(SpeedButton_Refresh, &QToolButton::clicked, this,
            &TForm_FileDialog::SpeedButton_RefreshClick);
    connect(SpeedButton_Icons, &QToolButton::clicked, this,
            &TForm_FileDialog::SpeedButton_IconsClick);
    connect(SpeedButton_List, &QToolButton::clicked, this,
            &TForm_FileDialog::SpeedButton_ListClick);
    connect(SpeedButton_Report, &QToolButton::clicked, this,
            &TForm_FileDialog::SpeedButton_ReportClick);
}

void TForm_FileDialog::createMiddlePanel() {
    auto* column = new QVBoxLayout(Panel_Mitte);
    column->setContentsMargins(4, 0, 4, 4);
    column->setSpacing(4);
    Edit_Pfad = new QLineEdit(Panel_Mitte);
    Edit_Pfad->setObjectName(QStringLiteral("Edit_Pfad"));
    Edit_Pfad->setReadOnly(true);
    Edit_Pfad->setFocusPolicy(Qt::ClickFocus);
    setBase(Edit_Pfad, VirtualListView::RestColour);
    lstvwVirtualList = new VirtualListView(model_, Panel_Mitte);
    Panel_Vorschau = createPanel("Panel_Vorschau", Panel_Mitte);
    Panel_Vorschau->hide();

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

void TForm_FileDialog::createBottomPanel() {
    auto* row = new QHBoxLayout(Panel_Unten);
    row->setContentsMargins(4, 2, 4, 6);
    row->setSpacing(6);
    // The picture preview takes this place later; it stays hidden until then.
    Image_Vorschau = new QLabel(Panel_Unten);
    Image_Vorschau->setObjectName(QStringLiteral("Image_Vorschau"));
    Image_Vorschau->setFixedSize(102, 22);
    Image_Vorschau->hide();
    SpeedButton_Vorschau = new QToolButton(Panel_Unten);
    SpeedButton_Vorschau->setObjectName(QStringLiteral("SpeedButton_Vorschau"));
    SpeedButton_Vorschau->setFixedSize(105, 25);
    SpeedButton_Vorschau->hide();
    SpeedButton_OK = new QPushButton(QStringLiteral("OK"), Panel_Unten);
    SpeedButton_OK->setObjectName(QStringLiteral("SpeedButton_OK"));
    SpeedButton_Abbrechen = new QPushButton(CancelCaption, Panel_Unten);
    SpeedButton_Abbrechen->setObjectName(QStringLiteral("SpeedButton_Abbrechen"));
    for (QPushButton* button : {SpeedButton_OK, SpeedButton_Abbrechen}) {
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumWidth(90);
    }
    row->addWidget(Image_Vorschau);
    row->addWidget(SpeedButton_Vorschau);
    row->addStretch(1);
    row->addWidget(SpeedButton_OK);
    row->addWidget(SpeedButton_Abbrechen);
    connect(SpeedButton_OK, &QPushButton::clicked, this, &TForm_FileDialog::SpeedButton_OKClick);
    connect(SpeedButton_Abbrechen, &QPushButton::clicked, this,
            &TForm_FileDialog::SpeedButton_AbbrechenClick);
}

QMenu* TForm_FileDialog::createEntryMenu(const char* menuName, const char* itemPrefix,
                                         const std::function<void(int)>& open) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QLatin1String(menuName));
    for (int index = 0; index < EntryCount; ++index) {
        QAction* item = menu->addAction(QString());
        item->setObjectName(QLatin1String(itemPrefix) + QString::number(index));
        item->setEnabled(false);
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [open, index] { open(index); });
    }
    return menu;
}

void TForm_FileDialog::createMenus() {
    PopupMenu_Home = createEntryMenu("PopupMenu_Home", "Home",
                                     [this](int index) { openHomeEntryReported(index); });
    PopupMenu_Browse = createEntryMenu("PopupMenu_Browse", "Browse",
                                       [this](int index) { openBrowseEntryReported(index); });
}

// ---- Calling interface -------------------------------------------------------------------

int TForm_FileDialog::SetHomeEntry(int index, const QString& label, const QString& path,
                                   const QString& floor) {
    return setEntry(homeEntries_, index, label, path, floor);
}

int TForm_FileDialog::SetBrowseEntry(int index, const QString& label, const QString& path,
                                     const QString& floor) {
    return setEntry(browseEntries_, index, label, path, floor);
}

int TForm_FileDialog::setEntry(std::array<NavigationEntry, EntryCount>& entries, int index,
                               const QString& label, const QString& path, const QString& floor) {
    if (index < 0 || index >= EntryCount) {
        return -1;
    }
    NavigationEntry& entry = entries[static_cast<std::size_t>(index)];
    entry.path = FolderNames::normalise(path);
    entry.label = FolderNames::isSpecialName(path) ? FolderNames::lastComponent(entry.path) : label;
    entry.floor = FolderNames::normalise(floor);
    return 0;
}

void TForm_FileDialog::Prepare(const QString& caption, const QString& extension,
                               quint32 enumerationFlags, int initialView, quint32 buttonMask,
                               quint8 mode, const QString& defaultName, int startEntry) {
    caption_ = caption;
    setWindowTitle(caption);
    buttonMask_ = buttonMask;
    filterExtension_ = FileNameRules::filterExtensionFor(extension);
    enumerationFlags_ = enumerationFlags;
    applyInitialView(initialView);
    applyButtonMask();
    mode_ = mode;
    applyMode();
    applyDefaultName(defaultName);
    rebuildMenu(PopupMenu_Home, homeEntries_);
    rebuildMenu(PopupMenu_Browse, browseEntries_);
    lstvwVirtualList->setFocus();
    int entry = (startEntry < 0 || startEntry >= EntryCount) ? 0 : startEntry;
    if (homeEntries_[static_cast<std::size_t>(entry)].path.isEmpty()) {
        entry = 0;
    }
    OpenHomeEntry(entry);
}

int TForm_FileDialog::SetStoreFolder(const QString& folder) {
    if (folder.isEmpty()) {
        return -1;
    }
    const QString trimmed = folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
    if (trimmed.isEmpty()) {
        return -2;
    }
    // A relative folder would land wherever the process happens to run.
    if (trimmed.contains(QChar(0)) || !QDir::isAbsolutePath(trimmed) || !QDir().mkpath(trimmed)) {
        return -3;
    }
    storeFolder_ = QDir::cleanPath(trimmed) + QLatin1Char('/');
    return 0;
}

void TForm_FileDialog::applyInitialView(int initialView) {
    switch (initialView) {
        case IconsView:
            SpeedButton_Icons->setChecked(true);
            lstvwVirtualList->setViewStyle(VirtualListView::ViewStyle::Icons);
            break;
        case ListView:
        case ListViewToo:
            SpeedButton_List->setChecked(true);
            lstvwVirtualList->setViewStyle(VirtualListView::ViewStyle::List);
            break;
        case ReportView:
            SpeedButton_Report->setChecked(true);
            lstvwVirtualList->setViewStyle(VirtualListView::ViewStyle::Report);
            break;
        default:
            break;
    }
}

void TForm_FileDialog::applyButtonMask() {
    SpeedButton_Back->setEnabled(buttonMask_ & BackBit);
    SpeedButton_Home->setEnabled(buttonMask_ & HomeBit);
    SpeedButton_Browse->setEnabled(buttonMask_ & BrowseBit);
    SpeedButton_Refresh->setEnabled(buttonMask_ & RefreshBit);
    SpeedButton_Icons->setEnabled(buttonMask_ & IconsBit);
    SpeedButton_List->setEnabled(buttonMask_ & ListBit);
    SpeedButton_Report->setEnabled(buttonMask_ & ReportBit);
    SpeedButton_MakeDir->setEnabled(buttonMask_ & MakeDirBit);
    for (QToolButton* operation : {SpeedButton_Delete, SpeedButton_Cut, SpeedButton_Copy,
                                   SpeedButton_Insert, SpeedButton_Rename}) {
        operation->setEnabled(false);
    }
}

void TForm_FileDialog::applyMode() {
    const bool save = mode_ == SaveMode;
    Edit_FileName->setReadOnly(!save);
    setBase(Edit_FileName, save ? LightGreen : Silver);
    SpeedButton_OK->setText(save ? SaveCaption : OpenCaption);
    SpeedButton_OK->setVisible(mode_ <= SaveMode);
    SpeedButton_Abbrechen->setText(CancelCaption);
    SpeedButton_Abbrechen->setVisible(true);
    SpeedButton_Abbrechen->setEnabled(true);
}

void TForm_FileDialog::applyDefaultName(const QString& defaultName) {
    QString fileName = FileNameRules::fileNamePart(defaultName);
    defaultBaseName_ = FileNameRules::baseNameOf(fileName);
    if (FileNameRules::extensionOf(fileName).isEmpty()) {
        fileName = FileNameRules::withDefaultExtension(fileName, filterExtension_);
    }
    defaultFileName_ = fileName;
    defaultExtension_ = FileNameRules::extensionOf(fileName);
    Edit_FileName->setText(fileName);
}

// ---- Navigation entries ------------------------------------------------------------------

void TForm_FileDialog::rebuildMenu(QMenu* menu, std::array<NavigationEntry, EntryCount>& entries) {
    const QList<QAction*> items = menu->actions();
    for (QAction* item : items) {
        item->setText(QString());
        item->setEnabled(false);
        item->setVisible(false);
    }
    for (int index = 0; index < EntryCount; ++index) {
        NavigationEntry& entry = entries[static_cast<std::size_t>(index)];
        if (entry.label.isEmpty()) {
            break;
        }
        QAction* item = items.at(index);
        item->setVisible(true);
        const bool isVirtual =
            entry.path.compare(FolderLocation::ComputerPath, Qt::CaseInsensitive) == 0 ||
            entry.path.compare(FolderLocation::NetworkPath, Qt::CaseInsensitive) == 0;
        if (isVirtual) {
            entry.label =
                FileNameRules::baseNameOf(FolderLocation::parse(entry.path)->displayName());
            item->setEnabled(true);
        } else {
            item->setEnabled(QFileInfo(entry.path).isDir());
        }
        item->setText(menuCaption(entry.label));
    }
}

void TForm_FileDialog::dropDownMenu(QMenu* menu, QToolButton* button) {
    menu->popup(button->mapToGlobal(QPoint(-1, button->height() - 1)));
}

void TForm_FileDialog::SpeedButton_HomeClick() {
    if (homeEntries_[1].label.isEmpty()) {
        openHomeEntryReported(0);
    } else {
        dropDownMenu(PopupMenu_Home, SpeedButton_Home);
    }
}

void TForm_FileDialog::SpeedButton_BrowseClick() {
    if (browseEntries_[1].label.isEmpty()) {
        openBrowseEntryReported(0);
    } else {
        dropDownMenu(PopupMenu_Browse, SpeedButton_Browse);
    }
}

void TForm_FileDialog::OpenHomeEntry(int index) {
    const NavigationEntry& entry = homeEntries_.at(static_cast<std::size_t>(index));
    floorFolder_ = entry.floor;
    BusyIndication busy(lstvwVirtualList);
    closeLargePreview();
    NavigateToPath(entry.path);
    setCaptionSuffix(entry.label);
    lstvwVirtualListSelectItem(lstvwVirtualList->selectedRow());
}

void TForm_FileDialog::OpenBrowseEntry(int index) {
    const NavigationEntry& entry = browseEntries_.at(static_cast<std::size_t>(index));
    floorFolder_ = entry.floor;
    BusyIndication busy(lstvwVirtualList);
    closeLargePreview();
    const auto root = FolderLocation::parse(entry.path);
    const QString rootPath = (root && !root->isVirtual()) ? root->path() : QStringLiteral("/");
    busy.suspendCursor();
    const QString picked = folderPicker_(rootPath);
    busy.resumeCursor();
    if (!picked.isEmpty()) {
        NavigateToPath(picked);
        setCaptionSuffix(entry.label);
    }
    lstvwVirtualListSelectItem(lstvwVirtualList->selectedRow());
}

void TForm_FileDialog::openHomeEntryReported(int index) {
    try {
        OpenHomeEntry(index);
    } catch (const FileDialogError& error) {
        reportError(error.message());
    }
}

void TForm_FileDialog::openBrowseEntryReported(int index) {
    try {
        OpenBrowseEntry(index);
    } catch (const FileDialogError& error) {
        reportError(error.message());
    }
}

void TForm_FileDialog::setCaptionSuffix(const QString& label) {
    setWindowTitle(label.isEmpty() ? caption_ : caption_ + QStringLiteral(" - ") + label);
}

void TForm_FileDialog::reportError(const QString& message) {
    if (errorDisplay_) {
        errorDisplay_(message);
    }
}

// ---- Listing -----------------------------------------------------------------------------

void TForm_FileDialog::NavigateToPath(const QString& path) {
    const auto folder = FolderLocation::parse(path);
    if (!folder) {
        throw FileDialogError(
            QStringLiteral("Der Ordner \"%1\" kann nicht geöffnet werden.").arg(path));
    }
    OpenFolder(*folder);
}

void TForm_FileDialog::OpenFolder(const FolderLocation& folder) {
    lstvwVirtualList->setUpdatesEnabled(false);
    currentFolder_ = folder;
    selectedFileShownName_.clear();
    selectedFileRealName_.clear();
    model_->setEntries(folder,
                       FolderListing::enumerate(folder, filterExtension_, enumerationFlags_));
    if (model_->rowCount() > 0) {
        lstvwVirtualList->selectRow(0);
    }
    lstvwVirtualList->setUpdatesEnabled(true);
    Edit_Pfad->setText(folder.isVirtual() ? folder.displayName() : folder.path());
    updateBackButton();
}

void TForm_FileDialog::updateBackButton() {
    if (buttonMask_ & BackBit) {
        SpeedButton_Back->setEnabled(currentFolder_.path() != floorFolder_ &&
                                     currentFolder_.depth() > 1);
    }
}

void TForm_FileDialog::RefreshFolder() {
    BusyIndication busy(lstvwVirtualList);
    closeLargePreview();
    const int row = lstvwVirtualList->selectedRow();
    const QString shownName = row >= 0 ? model_->entry(row).name : QString();
    const QString fileName = row >= 0 ? model_->entry(row).fileName : QString();
    OpenFolder(currentFolder_);
    if (row >= 0) {
        selectAfterNavigation(shownName, fileName);
    } else {
        lstvwVirtualListSelectItem(lstvwVirtualList->selectedRow());
    }
}

// The exact row first: "begins with" alone would let report.txt.old win over report.txt once
// folders sort first.
void TForm_FileDialog::selectAfterNavigation(const QString& shownName, const QString& fileName) {
    int row = model_->rowOfFileName(fileName);
    if (row < 0) {
        row = lstvwVirtualListDataFind(shownName, 0, false);
    }
    if (row >= 0) {
        selectRowAndApply(row);
    } else {
        lstvwVirtualListSelectItem(lstvwVirtualList->selectedRow());
    }
}

int TForm_FileDialog::lstvwVirtualListDataFind(const QString& text, int start, bool wrap) const {
    return model_->find(text, start, wrap);
}

void TForm_FileDialog::selectRowAndApply(int row) {
    lstvwVirtualList->selectRow(row);
    lstvwVirtualListSelectItem(lstvwVirtualList->selectedRow());
}

void TForm_FileDialog::SpeedButton_BackClick() {
    if ((buttonMask_ & BackBit) && currentFolder_.path() == floorFolder_) {
        SpeedButton_Back->setEnabled(false);
        return;
    }
    BusyIndication busy(lstvwVirtualList);
    closeLargePreview();
    const FolderLocation left = currentFolder_;
    const FolderLocation up = left.parent();
    OpenFolder(up);
    // Rows of the computer folder are named by their volume's path.
    const QString leftName = up.isVirtual() ? left.path() : left.displayName();
    selectAfterNavigation(FileNameRules::shownName(leftName), leftName);
}

void TForm_FileDialog::SpeedButton_RefreshClick() {
    RefreshFolder();
}

void TForm_FileDialog::SpeedButton_IconsClick() {
    SpeedButton_Icons->setChecked(true);
    lstvwVirtualList->setViewStyle(VirtualListView::ViewStyle::Icons);
}

void TForm_FileDialog::SpeedButton_ListClick() {
    SpeedButton_List->setChecked(true);
    lstvwVirtualList->setViewStyle(VirtualListView::ViewStyle::List);
    RefreshFolder();
}

void TForm_FileDialog::SpeedButton_ReportClick() {
    SpeedButton_Report->setChecked(true);
    lstvwVirtualList->setViewStyle(VirtualListView::ViewStyle::Report);
}

void TForm_FileDialog::lstvwVirtualListDblClick() {
    const int row = lstvwVirtualList->selectedRow();
    if (row < 0) {
        lstvwVirtualListSelectItem(-1);
        return;
    }
    const ShellEntry& entry = model_->entry(row);
    if (entry.isFolder) {
        BusyIndication busy(lstvwVirtualList);
        closeLargePreview();
        OpenFolder(currentFolder_.child(entry.fileName));
        lstvwVirtualListSelectItem(lstvwVirtualList->selectedRow());
        return;
    }
    if (mode_ <= SaveMode) {
        Edit_FileName->setText(entry.name);
        lstvwVirtualListSelectItem(row);
        SpeedButton_OKClick();
    }
}

// ---- Selection and file-name rules -------------------------------------------------------

void TForm_FileDialog::lstvwVirtualListSelectItem(int row) {
    if (row < 0 || row >= model_->rowCount()) {
        applyFileNameRule(true);
        lstvwVirtualList->clearSelection();
        enableItemTools(false, false);
        return;
    }
    const ShellEntry& entry = model_->entry(row);
    if (entry.isFolder) {
        applyFileNameRule(true);
        enableItemTools(true, true);
        return;
    }
    selectedFileShownName_ = entry.name;
    selectedFileRealName_ = entry.fileName;
    Edit_FileName->setText(entry.name);
    applyFileNameRule(false);
    enableItemTools(false, true);
}

void TForm_FileDialog::enableItemTools(bool folder, bool anySelected) {
    const auto offered = [this, anySelected](quint32 bit) {
        return anySelected && (buttonMask_ & bit) != 0;
    };
    SpeedButton_Delete->setEnabled(offered(folder ? DeleteFolderBit : DeleteFileBit));
    SpeedButton_Cut->setEnabled(offered(folder ? CutFolderBit : CutFileBit));
    SpeedButton_Copy->setEnabled(offered(folder ? CopyFolderBit : CopyFileBit));
    SpeedButton_Rename->setEnabled(offered(folder ? RenameFolderBit : RenameFileBit));
}

void TForm_FileDialog::applyFileNameRule(bool folderSelected) {
    applyingNameRule_ = true;
    const QString text = FileNameRules::withoutLeadingBlanks(Edit_FileName->text());
    if (mode_ == OpenMode) {
        const bool usable = !text.isEmpty() && !folderSelected;
        Edit_FileName->setText(usable ? text : QString());
        SpeedButton_OK->setVisible(true);
        SpeedButton_OK->setEnabled(usable);
    } else if (mode_ == SaveMode) {
        if (text != Edit_FileName->text()) {
            Edit_FileName->setText(text);
        }
        const bool acceptable = saveNameAcceptable(text);
        applyFileNameColour(text.isEmpty() || acceptable ? LightGreen : InvalidRed);
        SpeedButton_OK->setVisible(true);
        SpeedButton_OK->setEnabled(acceptable);
    } else {
        if (folderSelected || mode_ > ViewMode) {
            Edit_FileName->clear();
        }
        SpeedButton_OK->setVisible(false);
    }
    SpeedButton_Abbrechen->setVisible(true);
    SpeedButton_Abbrechen->setEnabled(true);
    applyingNameRule_ = false;
}

void TForm_FileDialog::applyFileNameColour(const QColor& colour) {
    setBase(Edit_FileName, colour);
}

// A typed name must name a file inside the shown folder, and a virtual folder holds no files.
bool TForm_FileDialog::saveNameAcceptable(const QString& typed) const {
    if (typed.isEmpty() || currentFolder_.isVirtual()) {
        return false;
    }
    const QString fileName = FileNameRules::withFilterExtension(typed, filterExtension_);
    return FileNameRules::isSafeFileName(typed) && FileNameRules::isSafeFileName(fileName);
}

void TForm_FileDialog::Edit_FileNameChange() {
    if (mode_ == SaveMode && !applyingNameRule_) {
        applyFileNameRule(false);
    }
}

// ---- Showing and closing -----------------------------------------------------------------

void TForm_FileDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    qApp->installEventFilter(this);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TForm_FileDialog::hideEvent(QHideEvent* event) {
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

void TForm_FileDialog::FormShow() {
    centreOverMainWindow();
    closeLargePreview();
    if (!defaultFileName_.isEmpty()) {
        int row = lstvwVirtualListDataFind(defaultFileName_, 0, false);
        if (row < 0) {
            row = lstvwVirtualListDataFind(defaultBaseName_, 0, false);
        }
        if (row >= 0) {
            selectRowAndApply(row);
        }
    }
    if (SpeedButton_List->isChecked()) {
        SpeedButton_ListClick();
    }
    if (mode_ >= SaveMode && defaultBaseName_.isEmpty()) {
        Edit_FileName->clear();
        lstvwVirtualList->clearSelection();
    }
}

void TForm_FileDialog::centreOverMainWindow() {
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (main != nullptr) {
        area = main->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    } else {
        return;
    }
    const QSize own = frameGeometry().size();
    move(area.left() + area.width() / 2 - own.width() / 2,
         area.top() + area.height() / 2 - own.height() / 2);
}

void TForm_FileDialog::closeLargePreview() {
    lstvwVirtualList->setFocus();
}

bool TForm_FileDialog::panelsEnabled() const {
    return Panel_Oben->isEnabled() && Panel_Mitte->isEnabled() && Panel_Unten->isEnabled();
}

void TForm_FileDialog::SpeedButton_OKClick() {
    if (SpeedButton_OK->isHidden() || !SpeedButton_OK->isEnabled()) {
        return;
    }
    closeLargePreview();
    // The file may have gone since the folder was listed; show the folder as it is now
    // instead of handing the caller a path that leads nowhere.
    if (mode_ == OpenMode && selectedFileVanished()) {
        RefreshFolder();
        return;
    }
    accept();
}

void TForm_FileDialog::SpeedButton_AbbrechenClick() {
    closeLargePreview();
    reject();
}

bool TForm_FileDialog::selectedFileVanished() const {
    const QString name = realNameOfField();
    return !QFileInfo::exists(currentFolder_.itemPath(name));
}

QString TForm_FileDialog::realNameOfField() const {
    const QString field = Edit_FileName->text();
    return field == selectedFileShownName_ ? selectedFileRealName_ : field;
}

void TForm_FileDialog::done(int result) {
    if (!panelsEnabled()) {
        return;
    }
    closeLargePreview();
    computeResult();
    QDialog::done(result);
}

void TForm_FileDialog::computeResult() {
    QString fileName;
    if (mode_ == OpenMode) {
        fileName = realNameOfField();
    } else if (mode_ == SaveMode) {
        fileName = FileNameRules::withFilterExtension(
            FileNameRules::withoutLeadingBlanks(Edit_FileName->text()), filterExtension_);
        // Saving over a listed file writes that file, not a twin with a lower-case extension.
        if (fileName == selectedFileShownName_) {
            fileName = selectedFileRealName_;
        }
    }
    defaultFileName_ = fileName;
    defaultBaseName_ = FileNameRules::baseNameOf(fileName);
    defaultExtension_ = FileNameRules::extensionOf(fileName);
    const bool usable = FileNameRules::isSafeFileName(fileName) && !currentFolder_.isVirtual();
    resultPath_ = usable ? currentFolder_.itemPath(fileName) : QString();
}

// ---- Keys and wheel ----------------------------------------------------------------------

bool TForm_FileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        return handleWheel(watched, static_cast<QWheelEvent*>(event));
    }
    if (event->type() == QEvent::KeyPress &&
        (watched == lstvwVirtualList->listView() || watched == lstvwVirtualList->tableView())) {
        return lstvwVirtualListKeyDown(static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

bool TForm_FileDialog::handleWheel(QObject* watched, QWheelEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (widget != this && !isAncestorOf(widget))) {
        return false;
    }
    if (lstvwVirtualList->isEnabled() && Panel_Mitte->isEnabled() &&
        lstvwVirtualList->selectedRow() >= 0) {
        wheelDelta_ += event->angleDelta().y();
        for (; wheelDelta_ >= WheelStep; wheelDelta_ -= WheelStep) {
            FormMouseWheelUp();
        }
        for (; wheelDelta_ <= -WheelStep; wheelDelta_ += WheelStep) {
            FormMouseWheelDown();
        }
    }
    event->accept();
    return true;
}

void TForm_FileDialog::FormMouseWheelUp() {
    const int row = lstvwVirtualList->selectedRow();
    if (row > 0) {
        selectRowAndApply(row - 1);
    }
}

void TForm_FileDialog::FormMouseWheelDown() {
    const int row = lstvwVirtualList->selectedRow();
    if (row >= 0 && row + 1 < model_->rowCount()) {
        selectRowAndApply(row + 1);
    }
}

bool TForm_FileDialog::lstvwVirtualListKeyDown(QKeyEvent* event) {
    if (!panelsEnabled()) {
        return false;
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
            if (SpeedButton_Back->isEnabled()) {
                SpeedButton_BackClick();
            }
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            lstvwVirtualListDblClick();
            return true;
        case Qt::Key_Escape:
            SpeedButton_AbbrechenClick();
            return true;
        default:
            break;
    }
    const QString text = event->text();
    const bool plain =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && !text.isEmpty() && text.at(0).isPrint()) {
        typeAhead(text);
        return true;
    }
    return false;
}

// Letters typed in quick succession extend the search from the selected row; a new search
// starts after it, so pressing one letter again steps through the rows that begin with it.
void TForm_FileDialog::typeAhead(const QString& text) {
    if (!typeAheadTimer_.isValid() ||
        typeAheadTimer_.elapsed() > QApplication::keyboardInputInterval()) {
        typeAheadText_.clear();
    }
    typeAheadTimer_.restart();
    const int selected = lstvwVirtualList->selectedRow();
    const int start = typeAheadText_.isEmpty() ? selected + 1 : qMax(selected, 0);
    typeAheadText_ += text;
    const int row = lstvwVirtualListDataFind(typeAheadText_, start, true);
    if (row >= 0) {
        selectRowAndApply(row);
    }
}
