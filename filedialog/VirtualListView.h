// The file list: one control with three views of the same rows. Icons and list use a list
// view, details a table with grid lines; both share one model and one selection, so switching
// the view keeps the selected row. Single selection of whole rows, no in-place editing, and the
// selection stays visible when the list has no focus.
#pragma once

#include <QColor>
#include <QWidget>

class QAbstractItemView;
class QListView;
class QStackedLayout;
class QTableView;
class VirtualListModel;

class VirtualListView : public QWidget {
    Q_OBJECT

  public:
    enum class ViewStyle { Icons, List, Report };

    static const QColor RestColour;  // cream
    static const QColor BusyColour;  // yellow

    VirtualListView(VirtualListModel* model, QWidget* parent = nullptr);

    void setViewStyle(ViewStyle style);
    ViewStyle viewStyle() const { return viewStyle_; }
    QAbstractItemView* activeView() const;
    QListView* listView() const { return listView_; }
    QTableView* tableView() const { return tableView_; }

    int selectedRow() const;
    // Selects and focuses the row and scrolls it into view; -1 clears the selection. The
    // dialog's own selections: they signal nothing.
    void selectRow(int row);
    void clearSelection();
    // A move of the selection the user asked for by wheel or type-ahead: selects the row and
    // signals it, unless it is selected already.
    void selectRowAsUser(int row);
    // Enter: the selected row as if double clicked.
    void activateSelectedRow();

    // Nested busy periods keep the list yellow until the outermost one ends.
    void beginBusy();
    void endBusy();

  signals:
    // A selection the user made: a click (also on the row already selected), keys, the wheel
    // or type-ahead; -1 when the user's action left nothing selected.
    void rowSelectedByUser(int row);
    void rowDoubleClicked(int row);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setupListView();
    void setupTableView();
    void shareModelAndSelection();
    void setBackground(const QColor& colour);

    VirtualListModel* model_;
    QStackedLayout* stack_;
    QListView* listView_;
    QTableView* tableView_;
    ViewStyle viewStyle_ = ViewStyle::List;
    int busyDepth_ = 0;
    // The row selected when the mouse went down: a click that changed no selection is
    // signalled on its own.
    int rowAtPress_ = -1;
};
