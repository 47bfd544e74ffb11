#include "core/TextCollation.h"

#include <QCollator>
#include <QLocale>

namespace morvane {

int CompareJapaneseText(const QString& a, const QString& b)
{
    // One collator per thread: building one loads the locale's rules.
    thread_local const QCollator collator = [] {
        QCollator made(QLocale(QLocale::Japanese, QLocale::Japan));
        made.setNumericMode(true);
        return made;
    }();
    const int compared = collator.compare(a, b);
    // Texts the collation holds equal still get a fixed order.
    return compared != 0 ? compared : QString::compare(a, b);
}

} // namespace morvane
