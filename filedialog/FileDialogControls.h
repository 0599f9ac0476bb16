// The file dialog's controls, built in one place and named as the language system and the
// tests find them. The dialog and its helpers reach the controls through this set; the rules
// that drive them live elsewhere.
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <functional>

#include "FileNameChoice.h"
#include "VirtualListView.h"
#include "preview/ImagePreviewHost.h"

class QDialog;
class QFrame;
class QIcon;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class QWidget;
class VirtualListModel;

class FileDialogControls : public ImagePreviewHost {
  public:
    static constexpr int EntryItemCount = 12;
    static const QColor Silver;
    static const QColor LightGreen;
    static const QColor InvalidRed;

    // Builds every control of the dialog on it; the list shows the model's rows.
    static FileDialogControls builtOn(QDialog* dialog, VirtualListModel* model);

    QFrame* Panel_Oben = nullptr;
    QFrame* Panel_Mitte = nullptr;
    QFrame* Panel_Unten = nullptr;
    QToolButton* SpeedButton_Back = nullptr;
    QToolButton* SpeedButton_Home = nullptr;
    QToolButton* SpeedButton_Browse = nullptr;
    QToolButton* SpeedButton_Refresh = nullptr;
    QToolButton* SpeedButton_Icons = nullptr;
    QToolButton* SpeedButton_List = nullptr;
    QToolButton* SpeedButton_Report = nullptr;
    QToolButton* SpeedButton_Delete = nullptr;
    QToolButton* SpeedButton_Cut = nullptr;
    QToolButton* SpeedButton_Copy = nullptr;
    QToolButton* SpeedButton_Insert = nullptr;
    QToolButton* SpeedButton_Rename = nullptr;
    QToolButton* SpeedButton_MakeDir = nullptr;
    QLineEdit* Edit_Pfad = nullptr;
    VirtualListView* lstvwVirtualList = nullptr;
    QLabel* Label_FileName = nullptr;
    QLineEdit* Edit_FileName = nullptr;
    QPushButton* SpeedButton_OK = nullptr;
    QPushButton* SpeedButton_Abbrechen = nullptr;
    QMenu* PopupMenu_Home = nullptr;
    QMenu* PopupMenu_Browse = nullptr;

    // Enables the tools the caller's mask offers; the file operations wait for a selection.
    void applyButtonMask(quint32 mask);
    // Delete, Cut, Copy and Rename for the selected row, as far as the mask offers them.
    void enableItemTools(quint32 mask, bool folder, bool anySelected);
    // The file-name field and OK for open (0), save (1) or view-only (2 and above).
    void applyMode(quint8 mode, const QString& openCaption, const QString& saveCaption,
                   const QString& cancelCaption);
    // Presses the view's button and gives the list that view; the list alone can also show
    // another view for a while (the large preview) until the pressed button's is restored.
    void pressView(VirtualListView::ViewStyle style);
    // The caller's initial view: 0 icons, 1 and 2 list, 3 details; any other keeps the view.
    void pressInitialView(int initialView);
    // The field's colour (save mode) and OK after the file-name rule ran; Cancel always counts.
    void showFieldState(const FileNameChoice::FieldState& state, quint8 mode);
    // Centred over the main window, or the screen without one.
    static void centreOverMainWindow(QWidget* dialog);
    void restorePressedView();
    // The picture preview's needs: the list's view, the tool row, the field's colour.
    void showListInDetails() override;
    void restoreListView() override { restorePressedView(); }
    void setToolRowEnabled(bool enabled) override;
    void focusList() override;
    QColor fileNameFieldColour() const override;

    // The six buttons of the file operations, in tool-row order.
    QList<QToolButton*> operationButtons() const;
    bool panelsEnabled() const;
    void setPanelsEnabled(bool enabled);
    static void setBase(QWidget* widget, const QColor& colour);
    // Drops a tool button's menu down from one pixel left of and above its bottom-left corner.
    static void dropDown(QMenu* menu, QToolButton* button);

  private:
    void createPanels(QDialog* dialog, VirtualListModel* model);
    void createToolButtons();
    void createMiddlePanel(VirtualListModel* model);
    void createBottomPanel();
    void createMenus(QDialog* dialog);
    QToolButton* addToolButton(const char* name, const QString& hint, const QIcon& icon);
    static QMenu* createEntryMenu(QDialog* dialog, const char* menuName, const char* itemPrefix);
};
