#include "app/ToolkitTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace morvane {

bool InstallToolkitTranslations(QCoreApplication& app, const QLocale& locale)
{
    auto* translator = new QTranslator(&app);
    // "qtbase_ja.qm" for a Japanese system; the locale's other UI languages
    // are tried in turn.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace morvane
