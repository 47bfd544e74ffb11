#pragma once

class QCoreApplication;
class QLocale;

namespace morvane {

// The toolkit's own texts (the file and colour dialogs, the standard
// buttons) in the language of locale, from the translations installed with
// the toolkit. The program's own texts are Japanese already and pass
// through no translation. True when a translation was found and installed;
// it lives as long as app.
bool InstallToolkitTranslations(QCoreApplication& app, const QLocale& locale);

} // namespace morvane
