#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace morvane {

// Cal.ini, the data file of the program's first versions: a stream of
// fields in list-input form (separated by commas or line ends, each either
// bare, trimmed of surrounding blanks, or enclosed in double quotes and
// taken verbatim), four per schedule: date code, message, colour, alarm.

// The fields of text in list-input form, in order. Blank lines hold no field.
QStringList ReadListInputFields(const QString& text);

struct LegacyEntry
{
    QString code;
    QString message;
    QString color;
    QString alarm;
};

// The entries of a Cal.ini text (already decoded from code page 932). An
// incomplete last group of fields is not an entry.
std::vector<LegacyEntry> ParseLegacyEntries(const QString& text);

// The record fields one legacy date code stands for. Codes read
// yyyy/mm/rest: year "9999" = every year, month "99" = every month, rest a
// day, "Vernal"/"Autumnal", or a week digit and a weekday ("2mon"). Fields
// the code leaves unset stay empty (Null in the record).
struct LegacyDateFields
{
    std::optional<int> type;
    std::optional<int> year;
    std::optional<int> month;
    std::optional<int> day;
    std::optional<int> week;
    std::optional<int> dayOfTheWeek;
    // A weekday rule in the fifth week or later: the old program could not
    // keep these and the entry is not imported.
    bool fifthWeekOrLater = false;
};

// color is the entry's colour as it will be stored: an every-year entry of
// colour 12 (赤) is a holiday, any other an event.
LegacyDateFields ConvertLegacyDateCode(const QString& code, std::optional<int> color);

// The colour field as the Color code it becomes ("12", " 12 " and "12.0"
// all give 12); nothing when it is not a number.
std::optional<int> LegacyColorCode(const QString& color);

// The warning for a fifth-week entry that is left out, and the one warning
// for several: their count and the first kListedFifthWeekEntries of them.
// Each message shows at most kShownMessageLength characters.
inline constexpr qsizetype kShownMessageLength = 100;
inline constexpr qsizetype kListedFifthWeekEntries = 10;
QString FifthWeekWarningText(const QString& message);
QString FifthWeekWarningText(const QStringList& messages);
// `message` as a warning shows it: cut to kShownMessageLength characters
// with "…" when longer.
QString ShownPartOfMessage(const QString& message);

} // namespace morvane
