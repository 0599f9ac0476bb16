// Qt's own texts (the print dialog, the folder picker, the buttons of message boxes, Qt's
// warnings) in the desktop's language. Kalvio's own texts come from its language files and are
// set as they are: none passes through a translator.
#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>

class QtTranslation {
  public:
    // Installs Qt's translation for the locale into the running application. Returns it, to be
    // kept while the application runs (destroying it removes it again), or nothing where Qt
    // ships no translation for that language: Qt's texts then stay English.
    static std::unique_ptr<QTranslator> Install(const QLocale& locale);
};
