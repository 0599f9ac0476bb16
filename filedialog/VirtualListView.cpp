#include "VirtualListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QListView>
#include <QSignalBlocker>
#include <QStackedLayout>
#include <QTableView>

#include "VirtualListModel.h"

const QColor VirtualListView::RestColour(255, 251, 240);
const QColor VirtualListView::BusyColour(255, 255, 0);

namespace {

constexpr int ColumnWidths[VirtualListModel::ColumnCount] = {318, 100, 210, 140, 70};
constexpr int MinimumColumnWidth = 50;
constexpr int SmallIconSize = 16;
constexpr int LargeIconSize = 32;
constexpr int ListColumnWidth = 220;

void keepSelectionVisibleWithoutFocus(QAbstractItemView* view) {
    QPalette palette = view->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    view->setPalette(palette);
}

void setCommonBehaviour(QAbstractItemView* view) {
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTextElideMode(Qt::ElideRight);
    keepSelectionVisibleWithoutFocus(view);
}

}  // namespace

VirtualListView::VirtualListView(VirtualListModel* model, QWidget* parent)
    : QWidget(parent),
      model_(model),
      stack_(new QStackedLayout(this)),
      listView_(new QListView(this)),
      tableView_(new QTableView(this)) {
    setObjectName(QStringLiteral("lstvwVirtualList"));
    listView_->setObjectName(QStringLiteral("lstvwVirtualList_Symbols"));
    tableView_->setObjectName(QStringLiteral("lstvwVirtualList_Details"));
    stack_->setContentsMargins(0, 0, 0, 0);
    stack_->addWidget(listView_);
    stack_->addWidget(tableView_);
    setupListView();
    setupTableView();
    shareModelAndSelection();
    setBackground(RestColour);
    setFocusProxy(listView_);
    setViewStyle(ViewStyle::List);
}

void VirtualListView::setupListView() {
    setCommonBehaviour(listView_);
    // Uniform sizes let the view lay out any number of rows from the first row's size alone,
    // so it asks for the data of the shown rows only.
    listView_->setUniformItemSizes(true);
    listView_->setLayoutMode(QListView::SinglePass);
    listView_->setMovement(QListView::Static);
    listView_->setResizeMode(QListView::Adjust);
}

void VirtualListView::setupTableView() {
    setCommonBehaviour(tableView_);
    tableView_->setShowGrid(true);
    tableView_->setWordWrap(false);
    tableView_->setCornerButtonEnabled(false);
    tableView_->setIconSize(QSize(SmallIconSize, SmallIconSize));
    QHeaderView* rows = tableView_->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* columns = tableView_->horizontalHeader();
    columns->setMinimumSectionSize(MinimumColumnWidth);
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
}

void VirtualListView::shareModelAndSelection() {
    listView_->setModel(model_);
    listView_->setModelColumn(VirtualListModel::NameColumn);
    tableView_->setModel(model_);
    QItemSelectionModel* unused = tableView_->selectionModel();
    tableView_->setSelectionModel(listView_->selectionModel());
    delete unused;
    for (int column = 0; column < VirtualListModel::ColumnCount; ++column) {
        tableView_->setColumnWidth(column, ColumnWidths[column]);
    }
    // The dialog's own selections block this view's signals, so what passes is the user's.
    connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit rowSelectedByUser(selectedRow()); });
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(listView_),
                                    static_cast<QAbstractItemView*>(tableView_)}) {
        view->viewport()->installEventFilter(this);
        connect(view, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
            if (index.row() == rowAtPress_) {
                emit rowSelectedByUser(index.row());
            }
        });
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex& index) { emit rowDoubleClicked(index.row()); });
    }
}

void VirtualListView::setViewStyle(ViewStyle style) {
    const bool hadFocus = activeView()->hasFocus();
    viewStyle_ = style;
    if (style == ViewStyle::Report) {
        stack_->setCurrentWidget(tableView_);
    } else {
        const bool icons = style == ViewStyle::Icons;
        const int iconSize = icons ? LargeIconSize : SmallIconSize;
        listView_->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
        listView_->setFlow(icons ? QListView::LeftToRight : QListView::TopToBottom);
        listView_->setWrapping(true);
        listView_->setIconSize(QSize(iconSize, iconSize));
        listView_->setWordWrap(icons);
        // Under an icon the extension matters more than the middle of a long name.
        listView_->setTextElideMode(icons ? Qt::ElideMiddle : Qt::ElideRight);
        const int rowHeight = qMax(fontMetrics().height(), SmallIconSize) + 4;
        listView_->setGridSize(icons ? QSize(96, LargeIconSize + 3 * fontMetrics().height())
                                     : QSize(ListColumnWidth, rowHeight));
        listView_->setMovement(QListView::Static);
        stack_->setCurrentWidget(listView_);
    }
    setFocusProxy(activeView());
    if (hadFocus) {
        activeView()->setFocus();
    }
    const int row = selectedRow();
    if (row >= 0) {
        activeView()->scrollTo(model_->index(row, 0));
    }
}

QAbstractItemView* VirtualListView::activeView() const {
    return viewStyle_ == ViewStyle::Report ? static_cast<QAbstractItemView*>(tableView_)
                                           : static_cast<QAbstractItemView*>(listView_);
}

int VirtualListView::selectedRow() const {
    const QModelIndexList rows = listView_->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

bool VirtualListView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        rowAtPress_ = selectedRow();
    }
    return QWidget::eventFilter(watched, event);
}

void VirtualListView::selectRow(int row) {
    const QSignalBlocker quiet(this);
    if (row < 0 || row >= model_->rowCount()) {
        clearSelection();
        return;
    }
    const QModelIndex index = model_->index(row, 0);
    listView_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    activeView()->scrollTo(index);
}

void VirtualListView::activateSelectedRow() {
    emit rowDoubleClicked(selectedRow());
}

void VirtualListView::selectRowAsUser(int row) {
    if (row != selectedRow()) {
        selectRow(row);
        emit rowSelectedByUser(selectedRow());
    }
}

void VirtualListView::clearSelection() {
    const QSignalBlocker quiet(this);
    listView_->selectionModel()->clearSelection();
    listView_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

void VirtualListView::beginBusy() {
    if (busyDepth_++ == 0) {
        setBackground(BusyColour);
        repaint();
    }
}

void VirtualListView::endBusy() {
    if (busyDepth_ > 0 && --busyDepth_ == 0) {
        setBackground(RestColour);
    }
}

void VirtualListView::setBackground(const QColor& colour) {
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(listView_),
                                    static_cast<QAbstractItemView*>(tableView_)}) {
        QPalette palette = view->palette();
        palette.setColor(QPalette::Base, colour);
        view->setPalette(palette);
    }
}
