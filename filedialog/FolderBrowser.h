// The folder the dialog shows and how it moves: navigate by path, open a folder, re-list it,
// go up one level, and find rows by name again afterwards. It fills the list and the path
// field; what a selection means is left to the dialog.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "FolderLocation.h"
#include "ShellEntry.h"

class QLineEdit;
class VirtualListModel;
class VirtualListView;

class FolderBrowser {
  public:
    FolderBrowser(VirtualListModel* model, VirtualListView* list, QLineEdit* pathField);

    void setFilter(const QString& filterExtension, quint32 enumerationFlags);
    const QString& filterExtension() const { return filterExtension_; }
    const FolderLocation& current() const { return current_; }
    void setFloor(const QString& floor) { floor_ = floor; }
    bool atFloor() const { return current_.path() == floor_; }
    // Up is possible above the floor, from anything below a top-level item.
    bool canGoUp() const { return !atFloor() && current_.depth() > 1; }
    // A file never listed: the store folder's own list file is no item to choose or act on.
    void setConcealedFile(const QByteArray& folder, const QByteArray& name) {
        concealedFolder_ = folder;
        concealedName_ = name;
    }
    // Called after every listing, so the dialog can update what depends on the folder.
    void setFolderOpenedHandler(std::function<void()> handler) { opened_ = std::move(handler); }

    // Throws FileDialogError when the path names no folder that can be opened.
    void navigateTo(const QString& path);
    // Lists the folder and selects its first row. Throws FileDialogError when the folder is
    // gone; the list then stays as it was.
    void open(const FolderLocation& folder);
    // Lists the current folder again and selects the row that was selected, by name.
    // Returns the selected row, or -1 when nothing was selected before or the name is gone.
    int refresh();
    // Opens the folder one level up and selects the folder just left.
    void goUp();
    void openChild(int row);
    // After a folder vanished: lists the nearest folder above it that still exists.
    void openNearestExisting();
    // Runs a move; a folder that vanished since it was listed is reported and the nearest
    // folder above it shown, so nothing points into a dead path.
    void setErrorDisplay(std::function<void(const QString&)> display) {
        showError_ = std::move(display);
    }
    void moveReported(const std::function<void()>& move);
    // After a file operation: lists the folder anew and selects the row of the name.
    int relistAndSelect(const QString& shownName, const QByteArray& fileName);
    // Whether the listing still shows the folder as it is on disk: the same directory,
    // unchanged since well before it was read. Spares a second read when the dialog shows.
    bool listingCurrent() const;
    // Selects the row named fileName exactly, else the first whose shown name begins with
    // shownName; returns it, or -1 and leaves the selection alone.
    int selectByName(const QString& shownName, const QByteArray& fileName);
    int find(const QString& text, int start, bool wrap) const;

  private:
    VirtualListModel* model_;
    VirtualListView* list_;
    QLineEdit* pathField_;
    FolderLocation current_;
    QString floor_;
    QString filterExtension_;
    quint32 enumerationFlags_;
    void leaveOutConcealed(const FolderLocation& folder, std::vector<ShellEntry>& entries) const;

    QByteArray concealedFolder_;
    QByteArray concealedName_;
    std::function<void()> opened_;
    std::function<void(const QString&)> showError_;
    struct FolderStamp {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 modifiedNs = -1;
        bool operator==(const FolderStamp& other) const {
            return device == other.device && inode == other.inode && modifiedNs == other.modifiedNs;
        }
    };
    static FolderStamp stampOf(const FolderLocation& folder);
    FolderStamp listedStamp_;
    qint64 listedAtNs_ = 0;
};
