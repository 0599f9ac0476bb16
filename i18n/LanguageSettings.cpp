#include "LanguageSettings.h"

#include "LanguageFile.h"

std::vector<std::string> LanguageSettings::languageFiles(const std::string& bytes) {
    const std::vector<std::string> lines = language_file::SplitLines(bytes);
    std::vector<std::string> files;
    for (std::size_t line = 0; line + 1 < lines.size(); ++line) {
        if (lines[line] == Section) {
            files.push_back(lines[line + 1]);
        }
    }
    return files;
}

std::string LanguageSettings::fileText(const std::string& languageFile) {
    return std::string(Section) + "\r\n" + languageFile + "\r\n" + "\r\n";
}
