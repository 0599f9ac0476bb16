#include "WatchView.h"

#include <iomanip>
#include <sstream>

#include "DeviceStateRecord.h"
#include "HandOverTexts.h"
#include "IoLines.h"
#include "UnitSettings.h"
#include "ValueTexts.h"

namespace watch_view {
namespace {

constexpr const char* Unknown = hand_over_texts::Unknown;
constexpr int LabelWidth = 26;
constexpr const char* CaptionLabel = "connection";

std::string SpeedText(const std::optional<int32_t>& speed) {
    return speed ? hand_over_texts::WithUnit(*speed, "mm/s") : Unknown;
}

void AddLineRows(const UnitPicture& picture, std::vector<Row>& rows) {
    if (!picture.io) {
        for (const io_lines::NamedLine& line : io_lines::Lines) {
            rows.push_back({line.name, Unknown});
        }
        rows.push_back({"rotary switch", Unknown});
        return;
    }
    for (const io_lines::LineState& line : io_lines::DecodeLines(*picture.io, picture.deviceType)) {
        rows.push_back({line.name, line.set ? "1" : "0"});
    }
    if (picture.deviceType == DeviceStateRecord::TypeOrvatronic) {
        rows.push_back({"rotary switch", SwitchText(io_lines::DecodeSwitch(picture.io->word1))});
    }
}

}  // namespace

std::string CaptionText(const UnitPicture& picture) {
    const char* state =
        picture.link == UnitPicture::Link::Connected ? "Verbunden über" : "Verbindung suchen über";
    return std::string(state) + " " + picture.port;
}

std::vector<Row> Rows(const UnitPicture& picture) {
    std::vector<Row> rows;
    rows.push_back({CaptionLabel, CaptionText(picture)});
    rows.push_back({"device", picture.device.value_or(Unknown)});
    rows.push_back({"firmware", picture.firmware.value_or(Unknown)});
    for (std::size_t index = 0; index < SettingFields.size(); ++index) {
        const std::optional<int32_t>& value = picture.*PictureSettings[index];
        rows.push_back({SettingFields[index].key,
                        value ? SettingValueText(SettingFields[index], *value) : Unknown});
    }
    rows.push_back({"input speed", SpeedText(picture.inputSpeed)});
    rows.push_back({"output speed", SpeedText(picture.outputSpeed)});
    AddLineRows(picture, rows);
    return rows;
}

std::string Screen(const UnitPicture& picture) {
    std::ostringstream screen;
    screen << "\x1b[H";
    for (const Row& row : Rows(picture)) {
        screen << std::left << std::setw(LabelWidth) << row.label << row.value << "\x1b[K\n";
    }
    screen << "\nCtrl+C ends.\x1b[K\n\x1b[J";
    return screen.str();
}

std::vector<std::string> ChangedLines(const std::optional<UnitPicture>& before,
                                      const UnitPicture& now, const std::string& time) {
    const std::vector<Row> nowRows = Rows(now);
    std::vector<Row> beforeRows;
    if (before) {
        beforeRows = Rows(*before);
        // Probing the next port is no news while the search goes on.
        if (before->link == UnitPicture::Link::Searching &&
            now.link == UnitPicture::Link::Searching) {
            beforeRows.front() = nowRows.front();
        }
    }
    std::vector<std::string> lines;
    for (std::size_t index = 0; index < nowRows.size(); ++index) {
        const Row& row = nowRows[index];
        const bool same = index < beforeRows.size() && beforeRows[index].label == row.label &&
                          beforeRows[index].value == row.value;
        if (!same) {
            lines.push_back(time + " " + row.label + ": " + row.value);
        }
    }
    return lines;
}

}  // namespace watch_view
