#pragma once

#include <QString>
#include <QStringList>

namespace morvane {

// The font every Japanese Windows desktop has; the first fallback for a font
// name that is not installed.
QString StandardJapaneseFontName();

// Japanese sans-serif families found on other desktops, best first.
QStringList JapaneseSansSerifFamilies();

// The family to use for wanted among the installed families: wanted itself
// when installed, else the standard Japanese font, else the first installed
// Japanese sans-serif, else fallback (the platform's general font). Names
// compare without regard to case, as font names do.
QString UsableFontFamily(const QString& wanted, const QStringList& installed,
                         const QString& fallback);

// The same against the fonts of this desktop.
QString UsableFontFamily(const QString& wanted);

} // namespace morvane
