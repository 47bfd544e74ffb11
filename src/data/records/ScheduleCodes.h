#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <span>

namespace morvane {

// Kinds of schedule stored in the Type field.
enum class ScheduleKind : int
{
    Ordinary = 0,
    Holiday = 1,
    Birthday = 2,
    Anniversary = 3,
    Event = 4,
    Diary = 5,
    EquinoxHoliday = 10, // a holiday on the computed equinox day of each year
    TvProgramme = 20,
    Magazine = 21,
};

// The eight kinds a user can choose, in the order every kind picker and the
// viewer's tree list them, which is also the order of their icons in the
// shared image list. EquinoxHoliday is not among them: it has no name of its
// own and is only created by the initial set and imports.
std::span<const ScheduleKind> ListedScheduleKinds();

// True when code is one of the stored kind codes.
bool IsKnownKind(int code);

// The editor's name of a kind ("普通の予定", "祝日", ...); "" for
// EquinoxHoliday and for codes outside the table.
QString KindName(int code);

// The image key of a kind's icon ("normal_item", ...); "" for unknown codes.
QString KindImageKey(int code);

// A colour of the 16-colour QuickBASIC palette. argb() gives the value in
// the 0xAARRGGBB layout QColor and QRgb use, with full opacity.
struct PaletteColor
{
    int red = 0;
    int green = 0;
    int blue = 0;

    constexpr quint32 argb() const
    {
        return 0xff000000u | (quint32(red) << 16) | (quint32(green) << 8) | quint32(blue);
    }
    friend constexpr bool operator==(const PaletteColor&, const PaletteColor&) = default;
};

// The palette colour of index 0 to 15; nothing for any other index (stored
// colour codes from imported data can be anything).
std::optional<PaletteColor> QBColor(int index);

// The colour codes the editor offers, in its combo box order, with names.
struct ColorChoice
{
    int code;
    QString name;
};
std::span<const ColorChoice> EditorColorChoices();

// The name of an editor colour code ("青", ...); "" for 0 and other codes.
QString ColorName(int code);

// The palette index a schedule's text is drawn in for a stored Color: 14
// (yellow, unreadable on white) as dark yellow 6, 15 (white) as black 0, any
// other palette index as itself; nothing for a code outside the palette.
std::optional<int> ListTextColorIndex(int code);

inline constexpr int NoColor = 0;
inline constexpr int HolidayColor = 12; // 赤

// Marks: code k in 0..14 shows a glyph; -1 means a mark was chosen without a
// glyph; a Null Mark means the day number itself is coloured instead.
inline constexpr int MarkCount = 15;
inline constexpr int MarkChosenWithoutGlyph = -1;

// The glyph of mark code k (0 "●" ... 14 "〓"); "" for -1 and other codes.
QString MarkGlyph(int code);

// The sixteen entries of the mark symbol table: index 0 empty, index k + 1
// the glyph of mark code k.
std::span<const QString> MarkSymbols();

} // namespace morvane
