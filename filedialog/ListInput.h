// Keys, the mouse wheel and type-ahead of the file list. It watches the list's views and every
// wheel turn over the dialog while the dialog is shown, and turns them into the dialog's
// actions through a narrow host.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QKeyEvent;
class QWheelEvent;
class QWidget;
class VirtualListView;

class ListInputHost {
  public:
    enum class Command { Delete, Cut, Copy, InsertNewest };

    virtual ~ListInputHost() = default;
    // Keys count only while no operation has the panels disabled.
    virtual bool acceptsKeys() const = 0;
    // The wheel moves the selection only while the list can take it and a row is selected.
    virtual bool wheelMovesSelection() const = 0;
    virtual void listBack() = 0;
    virtual void listActivate() = 0;
    virtual void listCancel() = 0;
    // Runs the command when its button is enabled.
    virtual void listCommand(Command command) = 0;
    // Wheel: -1 selects the previous row, +1 the next.
    virtual void stepSelection(int step) = 0;
    virtual int selectedRow() const = 0;
    virtual int findRow(const QString& text, int start, bool wrap) const = 0;
    virtual void selectRowAndApply(int row) = 0;
};

class ListInput : public QObject {
    Q_OBJECT

  public:
    ListInput(ListInputHost& host, QWidget* dialog, VirtualListView* list);

    // While the dialog is shown: wheel turns anywhere over it reach the list.
    void watch();
    void stopWatching();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool keyDown(QKeyEvent* event);
    bool commandKey(QKeyEvent* event);
    bool wheel(QObject* watched, QWheelEvent* event);
    void typeAhead(const QString& text);

    ListInputHost& host_;
    QWidget* dialog_;
    VirtualListView* list_;
    QString typeAheadText_;
    QElapsedTimer typeAheadTimer_;
    int wheelDelta_ = 0;
};
