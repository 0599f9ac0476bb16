// The PC page: the tool's and the language's versions and the PC-side services.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

class PcPage {
  public:
    explicit PcPage(QWidget* tabSheet);

    // Part of every page reset: the tool's version text.
    void RefreshVersion();

    QLineEdit* Edit_VersionKalvio;
    QToolButton* SpeedButton_VersionKalvio;
    QLabel* Label_VersionSprache;
    QLineEdit* Edit_VersionSprache;
    QToolButton* SpeedButton_VersionSprache;
    QLineEdit* Edit_SpracheCRC;
    QToolButton* SpeedButton_Update;
    QToolButton* SpeedButton_Support;
    QToolButton* SpeedButton_Hilfe;
};
