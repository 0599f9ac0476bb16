// libFuzzer entry for the Kalvio.ini reader: any bytes give whole lines as language files, and a
// file the program writes names its language file first, whatever follows it.
#include <cstdint>
#include <string>

#include "LanguageSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string& file : LanguageSettings::languageFiles(bytes)) {
        if (file.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
            __builtin_trap();
        }
        const std::vector<std::string> written =
            LanguageSettings::languageFiles(LanguageSettings::fileText(file) + bytes);
        if (written.empty() || written.front() != file) {
            __builtin_trap();
        }
    }
    return 0;
}
