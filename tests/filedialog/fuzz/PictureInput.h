// How the picture fuzz target reads its input: the first byte chooses the file's extension among
// the preview's readers beyond JPEG, the rest is the file. Shared with the test that replays the
// corpus.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>

class PictureInput {
  public:
    // Empty for an empty input, which has no file.
    static QString extension(const QByteArray& input) {
        static const std::array<const char*, 4> Extensions = {".bmp", ".ico", ".wmf", ".emf"};
        if (input.isEmpty()) {
            return {};
        }
        return QLatin1String(Extensions[std::size_t(quint8(input[0])) % Extensions.size()]);
    }
    static QByteArray file(const QByteArray& input) { return input.mid(1); }
};
