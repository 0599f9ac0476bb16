#include "RecordLine.h"

#include <cstring>

#include "DeviceStateRecord.h"
#include "IoLines.h"
#include "UnitSettings.h"

namespace record_line {
namespace {

constexpr const char* SwitchPositionColumn = "switch-position";

void AddNumber(std::string& values, const std::optional<int32_t>& number) {
    values += ',';
    if (number) {
        values += std::to_string(*number);
    }
}

void AddLines(std::string& values, const UnitPicture& picture) {
    const std::vector<io_lines::LineState> states =
        picture.io ? io_lines::DecodeLines(*picture.io, picture.deviceType)
                   : std::vector<io_lines::LineState>();
    for (const io_lines::NamedLine& line : io_lines::Lines) {
        values += ',';
        for (const io_lines::LineState& state : states) {
            if (std::strcmp(state.name, line.name) == 0) {
                values += state.set ? '1' : '0';
            }
        }
    }
    values += ',';
    if (picture.io && picture.deviceType == DeviceStateRecord::TypeOrvatronic) {
        values += std::to_string(io_lines::DecodeSwitch(picture.io->word1).position);
    }
}

}  // namespace

std::vector<std::string> ColumnNames() {
    std::vector<std::string> names = {TimeColumn, StateColumn, "port"};
    for (const SettingField& field : SettingFields) {
        names.emplace_back(field.key);
    }
    names.emplace_back(InputSpeedColumn);
    names.emplace_back(OutputSpeedColumn);
    for (const io_lines::NamedLine& line : io_lines::Lines) {
        names.push_back(LineColumn(line.name));
    }
    names.emplace_back(SwitchPositionColumn);
    return names;
}

std::string LineColumn(const char* lineName) {
    std::string column = lineName;
    for (char& c : column) {
        if (c == ' ') {
            c = '-';
        }
    }
    return column;
}

std::string Header() {
    std::string header;
    for (const std::string& name : ColumnNames()) {
        header += (header.empty() ? "" : ",") + name;
    }
    return header + "\n";
}

std::string Values(const UnitPicture& picture) {
    // Time and state are not values; every other column is.
    static const std::size_t valueColumns = ColumnNames().size() - 2;
    if (picture.link == UnitPicture::Link::Searching) {
        return std::string(Searching) + std::string(valueColumns, ',');
    }
    std::string values = std::string(Connected) + ',' + picture.port;
    for (const auto setting : PictureSettings) {
        AddNumber(values, picture.*setting);
    }
    AddNumber(values, picture.inputSpeed);
    AddNumber(values, picture.outputSpeed);
    AddLines(values, picture);
    return values;
}

std::string Line(const std::string& time, const std::string& values) {
    return time + ',' + values + '\n';
}

}  // namespace record_line
