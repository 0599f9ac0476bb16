#include "PcPage.h"

#include "PageWidgets.h"
#include "ProgramVersion.h"
#include "StateColours.h"

using namespace page_widgets;
namespace colours = state_colours;

PcPage::PcPage(QWidget* tabSheet) {
    QGroupBox* version = GroupBox(tabSheet, "GroupBox_VersionKalvio", {0, 0, 645, 156}, "Version");
    Label(version, "Label_VersionKalvio", {20, 30, 254, 13}, "Kalvio:");
    Edit_VersionKalvio =
        ReadOnlyField(version, "Edit_VersionKalvio", {20, 46, 254, 21}, colours::Silver);
    SpeedButton_VersionKalvio = EditButton(version, "SpeedButton_VersionKalvio", {275, 46});
    // The language row below the tool's row, the checksum field beside it.
    Label_VersionSprache = Label(version, "Label_VersionSprache", {20, 85, 254, 13}, "Sprache:");
    Edit_VersionSprache =
        ReadOnlyField(version, "Edit_VersionSprache", {20, 101, 254, 21}, colours::Silver);
    SpeedButton_VersionSprache = EditButton(version, "SpeedButton_VersionSprache", {275, 101});
    Edit_SpracheCRC =
        ReadOnlyField(version, "Edit_SpracheCRC", {348, 101, 96, 21}, colours::Silver);
    Edit_SpracheCRC->hide();
    // The translator copies the checksum a file needs from here.
    Edit_SpracheCRC->setContextMenuPolicy(Qt::DefaultContextMenu);

    QGroupBox* update = GroupBox(tabSheet, "GroupBox_Update", {0, 162, 645, 95}, "Update");
    SpeedButton_Update =
        CaptionButton(update, "SpeedButton_Update", {20, 39, 96, 21}, "Start", true);
    QGroupBox* support = GroupBox(tabSheet, "GroupBox_Support", {0, 263, 645, 95}, "Support");
    SpeedButton_Support =
        CaptionButton(support, "SpeedButton_Support", {20, 39, 96, 21}, "Start", true);
    QGroupBox* help = GroupBox(tabSheet, "GroupBox_Hilfe", {0, 364, 645, 95}, "Benutzerhandbuch");
    SpeedButton_Hilfe = CaptionButton(help, "SpeedButton_Hilfe", {20, 39, 96, 21}, "Öffnen", true);
    RefreshVersion();
}

void PcPage::RefreshVersion() {
    SetField(Edit_VersionKalvio, QString::fromLatin1(program_version::VersionText),
             colours::Silver);
}
