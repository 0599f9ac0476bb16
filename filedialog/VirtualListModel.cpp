#include "VirtualListModel.h"

#include <QColor>
#include <algorithm>

#include "FileNameRules.h"

namespace {

const QColor GreyedName(192, 192, 192);
constexpr quint8 GreyingAttributes =
    EntryDetails::ReadOnly | EntryDetails::Hidden | EntryDetails::System;

}  // namespace

VirtualListModel::VirtualListModel(QObject* parent)
    : QAbstractTableModel(parent),
      folder_(FolderLocation::computer()),
      columnTitles_{QStringLiteral("Name"), QStringLiteral("Grösse"), QStringLiteral("Typ"),
                    QStringLiteral("Geändert am"), QStringLiteral("Attribute")} {}

void VirtualListModel::setEntries(const FolderLocation& folder, std::vector<ShellEntry> entries) {
    beginResetModel();
    folder_ = folder;
    entries_ = std::move(entries);
    endResetModel();
}

const EntryDetails& VirtualListModel::detailsOf(int row) const {
    ShellEntry& rowEntry = entries_[static_cast<std::size_t>(row)];
    if (rowEntry.detailsPending) {
        rowEntry.details =
            detailsSource_.fetch(folder_.itemPath(rowEntry.fileName), rowEntry.isFolder);
        rowEntry.detailsPending = false;
    }
    return rowEntry.details;
}

int VirtualListModel::find(const QString& text, int start, bool wrap) const {
    const int count = rowCount();
    if (text.isEmpty() || count == 0) {
        return -1;
    }
    if (start < 0 || start >= count) {
        start = 0;
    }
    const int end = (wrap && start > 0) ? start + count : count;
    for (int step = start; step < end; ++step) {
        const int row = step % count;
        if (FileNameRules::startsWithFolded(entry(row).name, text)) {
            return row;
        }
    }
    return -1;
}

int VirtualListModel::rowOfFileName(const QByteArray& fileName) const {
    for (int row = 0; row < rowCount(); ++row) {
        if (entry(row).fileName == fileName) {
            return row;
        }
    }
    return -1;
}

int VirtualListModel::rowOfShownFile(const QString& shownName) const {
    for (int row = 0; row < rowCount(); ++row) {
        if (!entry(row).isFolder && entry(row).name == shownName) {
            return row;
        }
    }
    return -1;
}

int VirtualListModel::fetchedDetailsCount() const {
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [](const ShellEntry& e) { return !e.detailsPending; }));
}

int VirtualListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int VirtualListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VirtualListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return QVariant();
    }
    const int row = index.row();
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return displayText(entry(row), row, column);
        case Qt::DecorationRole:
            return column == NameColumn ? QVariant(detailsOf(row).icon) : QVariant();
        case Qt::TextAlignmentRole:
            if (column == SizeColumn || column == AttributesColumn) {
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            }
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            if (column == NameColumn && (detailsOf(row).attributes & GreyingAttributes)) {
                return GreyedName;
            }
            return QVariant();
        default:
            return QVariant();
    }
}

QVariant VirtualListModel::displayText(const ShellEntry& shown, int row, int column) const {
    switch (column) {
        case NameColumn:
            return shown.name;
        case SizeColumn:
            return shown.isFolder ? QString() : FileEntryDetails::sizeText(detailsOf(row).size);
        case TypeColumn:
            return detailsOf(row).typeName;
        case ModifiedColumn:
            return detailsOf(row).modified;
        case AttributesColumn:
            return FileEntryDetails::attributeLetters(detailsOf(row).attributes);
        default:
            return QVariant();
    }
}

QVariant VirtualListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return QVariant();
    }
    if (role == Qt::DisplayRole) {
        return columnTitles_.at(section);
    }
    if (role == Qt::TextAlignmentRole) {
        const bool right = section == SizeColumn || section == AttributesColumn;
        return QVariant((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return QVariant();
}

bool VirtualListModel::setHeaderData(int section, Qt::Orientation orientation,
                                     const QVariant& value, int role) {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount) {
        return false;
    }
    columnTitles_[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}
