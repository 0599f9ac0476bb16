// The folder picker behind the Browse entries: Qt's own directory dialog, kept at or below the
// entry's root whatever the user types or clicks, with an empty title and folders only.
#pragma once

#include <QFileDialog>
#include <QString>

class RootedFolderPicker : public QFileDialog {
    Q_OBJECT

  public:
    RootedFolderPicker(const QString& root, QWidget* parent = nullptr);

    // The folder picked, or an empty text when the user cancelled.
    static QString pick(const QString& root, QWidget* parent);
    // Compares the real paths, so a link inside the root that leads outside does not count.
    static bool isAtOrBelow(const QString& path, const QString& root);

  public slots:
    void accept() override;

  private:
    void keepInsideRoot(const QString& entered);

    QString root_;
};
