// Keys, the mouse wheel and type-ahead of the file list. It watches the list's views, and every
// wheel turn over the dialog while the dialog is shown, and turns them into clicks on the
// dialog's own controls and moves of the list's selection; the dialog reacts to those as to
// the user's own.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class FileDialogControls;
class QKeyEvent;
class QMenu;
class QWheelEvent;
class QWidget;
class VirtualListModel;

class ListInput : public QObject {
    Q_OBJECT

  public:
    ListInput(const FileDialogControls& ui, const VirtualListModel* model, QMenu* insertMenu,
              QWidget* dialog);

    // While the dialog is shown: wheel turns anywhere over it reach the list.
    void watch();
    void stopWatching();

    void FormMouseWheelUp();
    void FormMouseWheelDown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool keyDown(QKeyEvent* event);
    bool commandKey(QKeyEvent* event);
    bool wheel(QObject* watched, QWheelEvent* event);
    void typeAhead(const QString& text);

    const FileDialogControls& ui_;
    const VirtualListModel* model_;
    QMenu* insertMenu_;
    QWidget* dialog_;
    QString typeAheadText_;
    QElapsedTimer typeAheadTimer_;
    int wheelDelta_ = 0;
};
