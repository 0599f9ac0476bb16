// The rows of the file list as an item model the list views read on demand. Names come from the
// enumeration; icon, type, size, date and attributes are fetched the first time a view asks for
// any of them for a row, and kept for the life of the listing.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "FileEntryDetails.h"
#include "FolderLocation.h"
#include "ShellEntry.h"

class VirtualListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { NameColumn, SizeColumn, TypeColumn, ModifiedColumn, AttributesColumn };
    static constexpr int ColumnCount = 5;

    explicit VirtualListModel(QObject* parent = nullptr);

    void setEntries(const FolderLocation& folder, std::vector<ShellEntry> entries);
    const ShellEntry& entry(int row) const { return entries_[static_cast<std::size_t>(row)]; }
    const FolderLocation& folder() const { return folder_; }

    // First row from start (0 if beyond the end) whose name begins with text, A-Z folded;
    // wraps to row 0 only when asked and start was above 0. Empty text matches nothing.
    int find(const QString& text, int start, bool wrap) const;
    // The row whose on-disk name is exactly fileName, or -1.
    int rowOfFileName(const QByteArray& fileName) const;
    // The file (not folder) row shown exactly as shownName, or -1.
    int rowOfShownFile(const QString& shownName) const;
    int fetchedDetailsCount() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The language system writes the column titles through here.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role) override;

  private:
    const EntryDetails& detailsOf(int row) const;
    QVariant displayText(const ShellEntry& entry, int row, int column) const;

    FolderLocation folder_;
    mutable std::vector<ShellEntry> entries_;
    FileEntryDetails detailsSource_;
    QStringList columnTitles_;
};
