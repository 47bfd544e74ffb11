#pragma once

#include <QString>

namespace morvane {

// The data file keeps line breaks as CR LF; text boxes hand out and show
// LF. Every break (CR LF, a lone LF or a lone CR) becomes CR LF.
QString StoredLineBreaks(const QString& text);

// Every break of a stored text (CR LF, or a lone CR or LF) as LF, the way a
// text box shows it.
QString ShownLineBreaks(const QString& text);

} // namespace morvane
