#include "calendar_window/window/FontFallback.h"

#include <QFontDatabase>

namespace morvane {

namespace {

bool Contains(const QStringList& installed, const QString& family)
{
    return !family.trimmed().isEmpty() && installed.contains(family, Qt::CaseInsensitive);
}

} // namespace

QString StandardJapaneseFontName()
{
    return QStringLiteral(u"ＭＳ Ｐゴシック");
}

QStringList JapaneseSansSerifFamilies()
{
    return {
        QStringLiteral("MS PGothic"),    QStringLiteral("Meiryo UI"),
        QStringLiteral("Yu Gothic UI"),  QStringLiteral("Noto Sans CJK JP"),
        QStringLiteral("Noto Sans JP"),  QStringLiteral("Source Han Sans JP"),
        QStringLiteral("IPAexGothic"),   QStringLiteral("IPAPGothic"),
        QStringLiteral("VL PGothic"),    QStringLiteral("TakaoPGothic"),
        QStringLiteral("Hiragino Sans"), QStringLiteral("Hiragino Kaku Gothic ProN"),
    };
}

QString UsableFontFamily(const QString& wanted, const QStringList& installed,
                         const QString& fallback)
{
    if (Contains(installed, wanted))
        return wanted;
    if (Contains(installed, StandardJapaneseFontName()))
        return StandardJapaneseFontName();
    for (const QString& family : JapaneseSansSerifFamilies()) {
        if (Contains(installed, family))
            return family;
    }
    return fallback;
}

QString UsableFontFamily(const QString& wanted)
{
    return UsableFontFamily(wanted, QFontDatabase::families(),
                            QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
}

} // namespace morvane
