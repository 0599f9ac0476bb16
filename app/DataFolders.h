// The program's data folders CONFIG, TMP, HELP, LANGUAGE and TEAMVIEWER, laid out beside the
// folder the program was started in. Each path is absolute and ends with "/".
#pragma once

#include <QString>

struct DataFolders {
    QString StartFolder;
    QString BaseFolder;
    QString ConfigFolder;
    QString TmpFolder;
    QString HelpFolder;
    QString LanguageFolder;
    QString TeamViewerFolder;

    // Creates what is missing; a folder that cannot be made falls back to the start folder.
    // The working folder is the same afterwards as before.
    static DataFolders LayOut();
};
