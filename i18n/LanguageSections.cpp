#include "LanguageSections.h"

namespace {

constexpr const char* Main = "Form_Main";
constexpr const char* Files = "Form_FileDialog";

LanguageTarget Caption(const char* window, const char* control) {
    return {TargetKind::Caption, window, control};
}
LanguageTarget Title(const char* window) {
    return {TargetKind::WindowCaption, window, ""};
}
LanguageTarget Hint(const char* window, const char* control) {
    return {TargetKind::Hint, window, control};
}
LanguageTarget Item(const char* window, const char* list) {
    return {TargetKind::ListItem, window, list};
}
LanguageTarget Slot(const char* window, const char* name) {
    return {TargetKind::TextSlot, window, name};
}
LanguageTarget Column(const char* window, const char* list, int index) {
    return {TargetKind::ColumnCaption, window, list, index};
}
LanguageTarget Menu(const char* window, const char* item) {
    return {TargetKind::MenuItem, window, item};
}
LanguageTarget Skip() {
    return {TargetKind::Skipped, "", ""};
}

// The OK and Cancel faces end every dialog's section.
std::vector<LanguageTarget> Dialog(const char* window, std::vector<LanguageTarget> lines) {
    lines.insert(lines.begin(), Title(window));
    lines.push_back(Caption(window, "BitBtn_OK"));
    lines.push_back(Caption(window, "BitBtn_Cancel"));
    return lines;
}

std::vector<LanguageSection> MakeSections() {
    const char* startModus = "FormStartModus";
    const char* startGenerator = "FormStartGenerator";
    const char* startDelay = "FormStartDelay";
    const char* startShift = "FormStartDelayMM";
    const char* speedModus = "FormSpeedModus";
    const char* speedGenerator = "FormSpeedGenerator";
    const char* speedFaktor = "FormSpeedFaktor";
    return {
        {"[Header]", {Skip(), Skip(), Skip(), Skip(), Skip()}},
        {"[Verbindung]", {Slot(Main, "SearchingText"), Slot(Main, "ConnectedText")}},
        {"[Startsignal]",
         {Caption(Main, "TabSheet_Start"), Caption(Main, "GroupBox_StartModus"),
          Caption(Main, "Label_StartInputTitel"), Caption(Main, "Label_StartOutputTitel"),
          Caption(Main, "Label_StartGeneratorOn"), Caption(Main, "Label_StartGeneratorOff"),
          Caption(Main, "Label_StartDelayMS"), Caption(Main, "Label_StartDelayMM"),
          Caption(Main, "Label_StartDrehschalter"), Caption(Main, "SpeedButton_StartReset")}},
        {"[Fenster_Startsignal_Modus]",
         Dialog(startModus,
                {Caption(startModus, "Label_StartModus"), Item(startModus, "ComboBox_StartModus"),
                 Item(startModus, "ComboBox_StartModus"), Item(startModus, "ComboBox_StartModus"),
                 Item(startModus, "ComboBox_StartModus")})},
        {"[Fenster_Startsignal_Generator]",
         Dialog(startGenerator, {Caption(startGenerator, "Label_StartGeneratorOn"),
                                 Caption(startGenerator, "Label_StartGeneratorOff")})},
        {"[Fenster_Startsignal_Verz\xF6gerung]",
         Dialog(startDelay, {Caption(startDelay, "Label_StartDelay")})},
        {"[Fenster_Startsignal_Verschiebung]",
         Dialog(startShift, {Caption(startShift, "Label_StartDelayMM")})},
        {"[Geschwindigkeit]",
         {Caption(Main, "TabSheet_Speed"), Caption(Main, "GroupBox_SpeedModus"),
          Caption(Main, "Label_SpeedInputTitel"), Caption(Main, "Label_SpeedOutputTitel"),
          Caption(Main, "Label_SpeedGenerator"), Caption(Main, "Label_SpeedFaktor"),
          Caption(Main, "Label_SpeedDrehschalter"), Caption(Main, "SpeedButton_SpeedReset")}},
        {"[Fenster_Geschwindigkeit_Modus]",
         Dialog(
             speedModus,
             {Caption(speedModus, "Label_SpeedModus"), Item(speedModus, "ComboBox_SpeedModus"),
              Item(speedModus, "ComboBox_SpeedModus"), Item(speedModus, "ComboBox_SpeedModus"),
              Item(speedModus, "ComboBox_SpeedModus"), Item(speedModus, "ComboBox_SpeedModus")})},
        {"[Fenster_Geschwindigkeit_Generator]",
         Dialog(speedGenerator, {Caption(speedGenerator, "Label_SpeedGenerator")})},
        {"[Fenster_Geschwindigkeit_Faktor]",
         Dialog(speedFaktor,
                {Caption(speedFaktor, "Label_SpeedIst"), Caption(speedFaktor, "Label_SpeedFaktor"),
                 Caption(speedFaktor, "Label_SpeedSoll")})},
        {"[Orvatronic]",
         {Caption(Main, "TabSheet_Orvatronic"), Caption(Main, "GroupBox_OrvatronicVersion"),
          Caption(Main, "Label_OrvatronicDevice"), Caption(Main, "Label_OrvatronicFirmware")}},
        {"[PC]",
         {Caption(Main, "TabSheet_PC"), Caption(Main, "GroupBox_VersionKalvio"),
          Caption(Main, "Label_VersionKalvio"), Caption(Main, "Label_VersionSprache"), Skip(),
          Skip(), Caption(Main, "GroupBox_Update"), Caption(Main, "SpeedButton_Update"),
          Caption(Main, "GroupBox_Support"), Caption(Main, "SpeedButton_Support"),
          Caption(Main, "GroupBox_Hilfe"), Caption(Main, "SpeedButton_Hilfe")}},
        {"[Fenster_Sprache]",
         {Slot(Main, "LanguageDialogTitle"), Slot(Main, "LanguageCaption"),
          Slot(Main, "LanguageNotLoadedText"), Slot(Main, "LanguageLoadedText")}},
        {"[Fenster_Hilfe]", {Slot(Main, "ManualDialogTitle")}},
        {"[Fenster_FileDialog]",
         {Hint(Files, "SpeedButton_Back"),      Hint(Files, "SpeedButton_Home"),
          Hint(Files, "SpeedButton_Browse"),    Hint(Files, "SpeedButton_Refresh"),
          Hint(Files, "SpeedButton_Icons"),     Hint(Files, "SpeedButton_List"),
          Hint(Files, "SpeedButton_Report"),    Hint(Files, "SpeedButton_Delete"),
          Hint(Files, "SpeedButton_Cut"),       Hint(Files, "SpeedButton_Copy"),
          Hint(Files, "SpeedButton_Insert"),    Hint(Files, "SpeedButton_Rename"),
          Hint(Files, "SpeedButton_MakeDir"),   Menu(Files, "InsertListeLoeschen"),
          Column(Files, "lstvwVirtualList", 0), Column(Files, "lstvwVirtualList", 1),
          Column(Files, "lstvwVirtualList", 2), Column(Files, "lstvwVirtualList", 3),
          Column(Files, "lstvwVirtualList", 4), Caption(Files, "Label_FileName"),
          Slot(Files, "NewFolderTitle"),        Slot(Files, "NewFolderPrompt"),
          Slot(Files, "NewFolderName"),         Slot(Files, "RenameTitle"),
          Slot(Files, "RenamePrompt"),          Slot(Files, "CancelCaption"),
          Slot(Files, "OpenCaption"),           Slot(Files, "SaveCaption")}},
        {"[Popup_Allgemein]",
         {Menu(Main, "PrintScreen"), Menu(Main, "Hilfe"), Menu(Main, "Support"),
          Menu(Main, "Update"), Menu(Main, "Info")}},
    };
}

}  // namespace

const std::vector<LanguageSection>& LanguageSections() {
    static const std::vector<LanguageSection> sections = MakeSections();
    return sections;
}
