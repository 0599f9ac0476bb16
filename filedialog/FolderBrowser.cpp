#include "FolderBrowser.h"

#include <QLineEdit>

#include "FileDialogError.h"
#include "FileNameRules.h"
#include "FolderListing.h"
#include "VirtualListModel.h"
#include "VirtualListView.h"

FolderBrowser::FolderBrowser(VirtualListModel* model, VirtualListView* list, QLineEdit* pathField)
    : model_(model),
      list_(list),
      pathField_(pathField),
      current_(FolderLocation::computer()),
      filterExtension_(FileNameRules::AnyExtension),
      enumerationFlags_(FolderListing::DefaultFlags) {}

void FolderBrowser::setFilter(const QString& filterExtension, quint32 enumerationFlags) {
    filterExtension_ = filterExtension;
    enumerationFlags_ = enumerationFlags;
}

void FolderBrowser::navigateTo(const QString& path) {
    const auto folder = FolderLocation::parse(path);
    if (!folder) {
        throw FileDialogError(
            QStringLiteral("Der Ordner \"%1\" kann nicht geöffnet werden.").arg(path));
    }
    open(*folder);
}

void FolderBrowser::open(const FolderLocation& folder) {
    list_->setUpdatesEnabled(false);
    current_ = folder;
    model_->setEntries(folder,
                       FolderListing::enumerate(folder, filterExtension_, enumerationFlags_));
    if (model_->rowCount() > 0) {
        list_->selectRow(0);
    }
    list_->setUpdatesEnabled(true);
    pathField_->setText(folder.isVirtual() ? folder.displayName() : folder.path());
    if (opened_) {
        opened_();
    }
}

int FolderBrowser::refresh() {
    const int row = list_->selectedRow();
    const QString shownName = row >= 0 ? model_->entry(row).name : QString();
    const QString fileName = row >= 0 ? model_->entry(row).fileName : QString();
    open(current_);
    return row >= 0 ? selectByName(shownName, fileName) : -1;
}

void FolderBrowser::goUp() {
    const FolderLocation left = current_;
    const FolderLocation up = left.parent();
    open(up);
    // Rows of the computer folder are named by their volume's path.
    const QString leftName = up.isVirtual() ? left.path() : left.displayName();
    selectByName(FileNameRules::shownName(leftName), leftName);
}

void FolderBrowser::openChild(int row) {
    open(current_.child(model_->entry(row).fileName));
}

// The exact row first: "begins with" alone would let report.txt.old win over report.txt once
// folders sort first.
int FolderBrowser::selectByName(const QString& shownName, const QString& fileName) {
    int row = model_->rowOfFileName(fileName);
    if (row < 0) {
        row = find(shownName, 0, false);
    }
    if (row >= 0) {
        list_->selectRow(row);
    }
    return row;
}

int FolderBrowser::find(const QString& text, int start, bool wrap) const {
    return model_->find(text, start, wrap);
}
