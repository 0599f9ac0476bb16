#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

std::unique_ptr<QTranslator> QtTranslation::Install(const QLocale& locale) {
    auto translator = std::make_unique<QTranslator>();
    // qtbase holds every text of Qt's widgets, dialogs and print support.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return nullptr;
    }
    return translator;
}
