// The insert list: the names of the items in the file dialog's store folder, newest first, kept
// in the file ~INDEX.LST of that folder. Plain C++ without Qt, so that its fuzz target links it
// without the GUI.
//
// The file is 8-bit text, one name per line (no path), lines ended by CR LF, at most
// MaximumNames lines. Names are kept as the bytes that stand in the file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class InsertListFile {
  public:
    static constexpr const char* FileName = "~INDEX.LST";
    static constexpr std::size_t MaximumNames = 10;
    // Readers take at most this much of a file; ten names never need more.
    static constexpr std::size_t MaximumFileBytes = 64 * 1024;

    // A name the list may hold: one element of a path inside the store folder, so not empty,
    // not "." or "..", without '/' or NUL, and without a line feed, which would split its line.
    // The list file's own name is no item: storing one would overwrite the list. Blanks and
    // other bytes are part of a name wherever they stand.
    static bool isSafeName(std::string_view name);
    // Lines end at LF, a CR before it belongs to the break; the last line may lack its break.
    // Lines that are no safe name are skipped; the first MaximumNames safe ones are taken.
    static std::vector<std::string> parse(std::string_view bytes);
    // Each name followed by CR LF, in the given order.
    static std::string serialise(const std::vector<std::string>& names);
};
