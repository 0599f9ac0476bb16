#include "DialogFixture.h"

#include "FolderListing.h"

DialogFixture::DialogFixture() : dialog(std::make_unique<TForm_FileDialog>()) {
    dialog->setErrorDisplay([this](const QString& message) { reportedErrors << message; });
    dialog->setFolderPicker([](const QString&) { return QString(); });
}

void DialogFixture::prepare(quint8 mode, const QString& extension, const QString& defaultName,
                            const QString& home, const QString& floor) {
    const QString start = home.isEmpty() ? folder.path() : home;
    const QString bottom = floor.isEmpty() ? start : floor;
    dialog->SetHomeEntry(0, QString(), start, bottom);
    dialog->SetHomeEntry(1, QString(), QString(), QString());
    dialog->SetBrowseEntry(0, QString(), start, bottom);
    dialog->SetBrowseEntry(1, QString(), QString(), QString());
    dialog->Prepare(QStringLiteral("Sprache laden"), extension, FolderListing::DefaultFlags, -1,
                    127, mode, defaultName, 0);
}

QStringList DialogFixture::shownNames() const {
    QStringList names;
    const VirtualListModel* model = dialog->listModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        names << model->entry(row).name;
    }
    return names;
}

QString DialogFixture::selectedName() const {
    const int row = dialog->list()->selectedRow();
    return row < 0 ? QString() : dialog->listModel()->entry(row).name;
}

void DialogFixture::select(const QString& shownName) {
    const int row = shownNames().indexOf(shownName);
    ASSERT_GE(row, 0) << "no row " << shownName.toStdString();
    dialog->list()->selectRowAsUser(row);
}
