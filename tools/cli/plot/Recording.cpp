#include "Recording.h"

#include <QFile>

#include "RecordLine.h"

namespace {

// The columns a picture needs, found by name in the header.
struct Columns {
    qsizetype count = 0;
    qsizetype time = -1;
    qsizetype state = -1;
    qsizetype input = -1;
    qsizetype output = -1;
    std::vector<qsizetype> lines;
};

std::optional<Columns> ColumnsOf(const QByteArray& header, QStringList& lineNames) {
    const QList<QByteArray> names = header.split(',');
    Columns columns;
    columns.count = names.size();
    for (qsizetype index = 0; index < names.size(); ++index) {
        const QByteArray& name = names[index];
        if (name == record_line::TimeColumn) {
            columns.time = index;
        } else if (name == record_line::StateColumn) {
            columns.state = index;
        } else if (name == record_line::InputSpeedColumn) {
            columns.input = index;
        } else if (name == record_line::OutputSpeedColumn) {
            columns.output = index;
        } else if ((name.startsWith("start-input") || name.startsWith("start-output") ||
                    name.startsWith("speed-input") || name.startsWith("speed-output")) &&
                   columns.lines.size() < 32) {
            columns.lines.push_back(index);
            lineNames.append(QString::fromLatin1(name).replace(QLatin1Char('-'), QLatin1Char(' ')));
        }
    }
    if (columns.time < 0 || columns.state < 0 || columns.input < 0 || columns.output < 0) {
        return std::nullopt;
    }
    return columns;
}

// An empty column is unknown; anything but a whole 32-bit number makes the line unusable.
bool ReadNumber(const QByteArray& text, std::optional<int32_t>& number) {
    if (text.isEmpty()) {
        number.reset();
        return true;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok) {
        return false;
    }
    number = value;
    return true;
}

bool ReadLines(const QList<QByteArray>& fields, const Columns& columns, RecordingRow& row) {
    for (std::size_t bit = 0; bit < columns.lines.size(); ++bit) {
        const QByteArray& field = fields[columns.lines[bit]];
        if (field.isEmpty()) {
            continue;
        }
        if (field != "0" && field != "1") {
            return false;
        }
        row.linesKnown |= 1u << bit;
        row.linesSet |= (field == "1" ? 1u : 0u) << bit;
    }
    return true;
}

std::optional<RecordingRow> ReadRow(const QByteArray& line, const Columns& columns,
                                    QDateTime& time) {
    const QList<QByteArray> fields = line.split(',');
    if (fields.size() != columns.count) {
        return std::nullopt;
    }
    time = QDateTime::fromString(QString::fromLatin1(fields[columns.time]), Qt::ISODateWithMs);
    const QByteArray& state = fields[columns.state];
    if (!time.isValid() || (state != record_line::Connected && state != record_line::Searching)) {
        return std::nullopt;
    }
    RecordingRow row;
    row.msSinceEpoch = time.toMSecsSinceEpoch();
    row.connected = state == record_line::Connected;
    if (!ReadNumber(fields[columns.input], row.inputSpeed) ||
        !ReadNumber(fields[columns.output], row.outputSpeed) || !ReadLines(fields, columns, row)) {
        return std::nullopt;
    }
    return row;
}

// One line without its end, or nothing at the end of the file. A line longer than the bound is
// handed back empty, which no check accepts.
std::optional<QByteArray> NextLine(QFile& file) {
    if (file.atEnd()) {
        return std::nullopt;
    }
    // readLine() reads one byte less than it is given: room for the line, its end and one more.
    constexpr qint64 Room = Recording::LongestLine + 3;
    QByteArray line = file.readLine(Room);
    if (line.size() > Recording::LongestLine + 1 ||
        (line.size() > Recording::LongestLine && !line.endsWith('\n'))) {
        while (!line.endsWith('\n') && !file.atEnd()) {
            line = file.readLine(Room);
        }
        return QByteArray();
    }
    while (line.endsWith('\n') || line.endsWith('\r')) {
        line.chop(1);
    }
    return line;
}

}  // namespace

std::optional<Recording> Recording::Read(const QString& path, const QDateTime& from,
                                         const QDateTime& to, QString& problem) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
        return std::nullopt;
    }
    Recording recording;
    const std::optional<QByteArray> header = NextLine(file);
    const std::optional<Columns> columns =
        header ? ColumnsOf(*header, recording.lineNames) : std::nullopt;
    if (!columns) {
        problem = QStringLiteral("it is not a recording (its first line names no columns)");
        return std::nullopt;
    }
    while (const std::optional<QByteArray> line = NextLine(file)) {
        QDateTime time;
        const std::optional<RecordingRow> row = ReadRow(*line, *columns, time);
        if (!row) {
            ++recording.skippedLines;
            continue;
        }
        if ((from.isValid() && time < from) || (to.isValid() && time > to)) {
            continue;
        }
        if (recording.rows.size() == MostRows) {
            recording.truncated = true;
            break;
        }
        if (recording.rows.empty()) {
            recording.offsetFromUtc = time.offsetFromUtc();
        }
        recording.rows.push_back(*row);
    }
    return recording;
}
