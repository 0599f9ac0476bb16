// Kalvio.ini, the file that keeps the chosen language file: a "[Sprache]" line, the language
// file's path on the next, and an empty line. Plain bytes here; reading and writing the file and
// decoding the path are the language holder's.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class LanguageSettings {
  public:
    static constexpr const char* FileName = "Kalvio.ini";
    static constexpr const char* Section = "[Sprache]";
    // Kalvio.ini holds three short lines; anything much larger is no settings file of ours.
    static constexpr std::size_t MaxFileBytes = 64 * 1024;

    // The line after each "[Sprache]" line, in file order: the language files to load. Lines
    // are split as in language files (CR LF, CR or LF; the text ends at the first NUL).
    static std::vector<std::string> languageFiles(const std::string& bytes);
    // The whole file naming languageFile, whose first language file it reads as.
    static std::string fileText(const std::string& languageFile);
};
