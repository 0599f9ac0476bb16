// The settings file: a small text file, one "key = value" line per setting, comments starting
// with "#". Saving writes the device text, firmware text and date as comments; loading checks
// every line and every value against the dialogs' ranges before anything is used, and names
// the first bad line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "UnitSettings.h"

class SettingsFile {
  public:
    // A settings file is a few hundred bytes; anything far larger is not one.
    static constexpr std::size_t MaxBytes = 64 * 1024;
    static constexpr std::size_t MaxLineBytes = 1000;

    struct Origin {
        std::string deviceText;
        std::string firmwareText;
        std::string date;
    };

    struct Parsed {
        std::optional<UnitSettings> settings;
        int line = 0;  // the bad line, counted from 1; 0 when the problem is the whole file
        std::string problem;
    };

    static std::string Format(const UnitSettings& settings, const Origin& origin);
    static Parsed Parse(const std::string& text);

    // The whole file, or false with the problem in words.
    static bool Read(const std::string& path, std::string& text, std::string& problem);
    // Writes a temporary file beside `path` and renames it over `path`: the file is there
    // whole or not changed at all.
    static bool WriteWhole(const std::string& path, const std::string& text, std::string& problem);
};
