// A file dialog over a temporary folder, prepared the way the system's callers prepare it, with
// helpers to reach its controls by name and to read what the list shows.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QToolButton>
#include <memory>

#include "FolderFixture.h"
#include "TForm_FileDialog.h"
#include "VirtualListModel.h"
#include "VirtualListView.h"

class DialogFixture : public ::testing::Test {
  protected:
    DialogFixture();

    // Home and Browse entry 0 on the folder (floor the same unless given), entry 1 cleared,
    // mask 127, flags 96, view kept: what the language loader and the manual action pass.
    void prepare(quint8 mode, const QString& extension, const QString& defaultName = QString(),
                 const QString& home = QString(), const QString& floor = QString());

    template <typename Widget>
    Widget* control(const char* name) const {
        auto* widget = dialog->findChild<Widget*>(QLatin1String(name));
        if (widget == nullptr) {
            ADD_FAILURE() << "no control named " << name;
        }
        return widget;
    }
    QLineEdit* fileName() const { return control<QLineEdit>("Edit_FileName"); }
    QPushButton* okButton() const { return control<QPushButton>("SpeedButton_OK"); }
    QToolButton* tool(const char* name) const { return control<QToolButton>(name); }

    QStringList shownNames() const;
    QString selectedName() const;
    void select(const QString& shownName);
    // Waits, with a generous deadline, until the condition holds while events are processed.
    template <typename Condition>
    bool waitFor(Condition condition) const {
        QDeadlineTimer deadline(10000);
        while (!condition()) {
            if (deadline.hasExpired()) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }

    FolderFixture folder;
    std::unique_ptr<TForm_FileDialog> dialog;
    QStringList reportedErrors;
};
