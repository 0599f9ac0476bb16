// The file dialog's six operations on the selected row (Delete, Cut, Copy, Insert, Rename and
// New folder) and the insert list behind Cut, Copy and Insert. It owns the insert store and the
// Insert menu, reaches the dialog only through FileOperationsHost and the disk only through
// FileOperations, and acts on every item by its real name.
#pragma once

#include <QObject>
#include <memory>

#include "FileOperationsHost.h"
#include "InsertStore.h"

class FileOperations;
class QAction;
class QMenu;
class QToolButton;
class QWidget;

class FileOperationsController : public QObject {
    Q_OBJECT

  public:
    static constexpr int InsertItemCount = 10;

    struct Buttons {
        QToolButton* remove;
        QToolButton* cut;
        QToolButton* copy;
        QToolButton* insert;
        QToolButton* rename;
        QToolButton* makeDir;
    };

    // Without file operations of its own the controller acts on the disk.
    FileOperationsController(FileOperationsHost& host, FileOperations* operations,
                             const Buttons& buttons, QWidget* menuParent);
    ~FileOperationsController() override;

    // The store folder: where it lies unless the caller names one, and making the caller's
    // ready (the result codes of the calling interface).
    static QString defaultStoreFolder();
    static int prepareStoreFolder(const QString& folder, QString* result);
    // The store's list file when the folder is the store folder, else nothing.
    static QByteArray listFileIn(const QByteArray& storeFolder, const QByteArray& folder);

    // At every show: reads the caller's insert list; Insert is offered when it holds a name
    // and the mask has the Insert bit.
    void loadStore(const QByteArray& storeFolder);
    const InsertStore& store() const { return store_; }
    QMenu* insertMenu() const { return PopupMenu_Insert; }

  public slots:
    void SpeedButton_DeleteClick();
    void SpeedButton_CutClick();
    void SpeedButton_CopyClick();
    void SpeedButton_InsertClick();
    void InsertClick(int index);
    void InsertListeLoeschenClick();
    void SpeedButton_RenameClick();
    void SpeedButton_MakeDirClick();

  private:
    void createInsertMenu(QWidget* menuParent);
    void rebuildInsertMenu();
    void moveIntoStore(bool keepOriginal);
    bool takeIntoStore(const QByteArray& folder, const QByteArray& name, bool keepOriginal);
    void giveBack(const QByteArray& incoming, const QByteArray& folder, const QByteArray& name);
    // The folder shown as bytes, or nothing for the computer and network folders, where no
    // operation acts.
    std::optional<QByteArray> realFolder() const;
    std::optional<FileOperationsHost::Item> selectedInRealFolder();
    QByteArray freeNameFor(const QByteArray& folder, const QByteArray& name) const;
    bool insertOffered() const;

    FileOperationsHost& host_;
    std::unique_ptr<FileOperations> diskOperations_;
    FileOperations& operations_;
    Buttons buttons_;
    InsertStore store_;
    QMenu* PopupMenu_Insert = nullptr;
    QAction* InsertListeLoeschen = nullptr;
    QList<QAction*> insertItems_;
};
