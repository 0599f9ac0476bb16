// The folder the dialog shows and how it moves: navigate by path, open a folder, re-list it,
// go up one level, and find rows by name again afterwards. It fills the list's model; each move
// returns the row to select after it, and the dialog shows it and decides what it means.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "FolderLocation.h"
#include "ShellEntry.h"

class VirtualListModel;

class FolderBrowser {
  public:
    explicit FolderBrowser(VirtualListModel* model);

    void setFilter(const QString& filterExtension, quint32 enumerationFlags);
    const QString& filterExtension() const { return filterExtension_; }
    const FolderLocation& current() const { return current_; }
    void setFloor(const QString& floor) { floor_ = floor; }
    bool atFloor() const { return current_.path() == floor_; }
    // Up is possible above the floor, from anything below a top-level item.
    bool canGoUp() const { return !atFloor() && current_.depth() > 1; }
    // Names the file never listed in a folder, or nothing: the store folder's own list file is
    // no item to choose or act on. Asked once per listing.
    using ConcealedFile = std::function<QByteArray(const QByteArray& folder)>;
    void setConcealedFile(ConcealedFile concealedIn) { concealedIn_ = std::move(concealedIn); }
    // What the path field shows for the current folder.
    QString shownPath() const;

    // The moves. Each lists a folder and returns the row to select then, -1 when it is empty.
    // Throws FileDialogError when the path names no folder that can be opened.
    int navigateTo(const QString& path);
    // Lists the folder; its first row is to be selected. Throws FileDialogError when the
    // folder is gone; the list then stays as it was.
    int open(const FolderLocation& folder);
    // Lists the current folder again; the row that was selected is found again by name.
    int refresh(int selectedRow);
    // Opens the folder one level up; the folder just left is to be selected.
    int goUp();
    int openChild(int row);
    // After a folder vanished: lists the nearest folder above it that still exists.
    int openNearestExisting();
    // Runs a move; a folder that vanished since it was listed is reported and the nearest
    // folder above it shown, so nothing points into a dead path.
    void setErrorDisplay(std::function<void(const QString&)> display) {
        showError_ = std::move(display);
    }
    int moveReported(const std::function<int()>& move);
    // Whether the listing still shows the folder as it is on disk: the same directory,
    // unchanged since well before it was read. Spares a second read when the dialog shows.
    bool listingCurrent() const;
    // The row named fileName exactly, else the first whose shown name begins with shownName;
    // -1 when there is none.
    int rowOfName(const QString& shownName, const QByteArray& fileName) const;
    int find(const QString& text, int start, bool wrap) const;

  private:
    VirtualListModel* model_;
    FolderLocation current_;
    QString floor_;
    QString filterExtension_;
    quint32 enumerationFlags_;
    void leaveOutConcealed(const FolderLocation& folder, std::vector<ShellEntry>& entries) const;

    ConcealedFile concealedIn_;
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
