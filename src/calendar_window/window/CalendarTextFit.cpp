// Fitting the fonts to the fixed grid. The grid was laid out for the narrow
// digits and short lines of the classic Japanese UI fonts; the fonts found
// in their place (and large sizes on a small calendar) can be wider or
// taller, and the day numbers, weekday names and title would then run into
// each other. A font is therefore fitted where it is drawn: narrowed first,
// as far as digits still read well, and made smaller only when that is not
// enough, just so far that every text keeps a clear pixel to its neighbours,
// shadows included. A font that fits is drawn exactly as chosen.

#include "calendar_window/window/CalendarFrm.h"
#include "ui_toolkit/Twips.h"

#include <QFontInfo>
#include <algorithm>

namespace morvane {

namespace {

// Narrower than this, the synthesised condensing makes digits hard to read.
constexpr int NarrowestStretch = 70;
// The smallest share of the chosen size a fit may go down to.
constexpr int SmallestSizePercent = 50;
constexpr int SmallestPixelSize = 6;
// Pixels of background kept between neighbouring texts.
constexpr int ClearPixels = 1;

// The glyphs the title formats share (years, months, times): the title is
// fitted with them as well as with its caption, so its size stays the same
// from month to month and minute to minute. Only a caption that reaches
// lower (a slash, a descender) makes it smaller still.
const QString TitleSample = QStringLiteral(u"0123456789年月:");

const QStringList& DayNumberTexts()
{
    static const QStringList texts = [] {
        QStringList days;
        for (int day = 1; day <= 31; ++day)
            days << QString::number(day);
        return days;
    }();
    return texts;
}

bool ApartAcross(const QRect& left, const QRect& right)
{
    return left.isEmpty() || right.isEmpty() || right.left() - left.right() - 1 >= ClearPixels;
}

bool ApartDown(const QRect& upper, const QRect& lower)
{
    return upper.isEmpty() || lower.isEmpty() || lower.top() - upper.bottom() - 1 >= ClearPixels;
}

QFont Sized(const QFont& chosen, int pixelSize, int stretch)
{
    QFont font = chosen;
    if (pixelSize != QFontInfo(chosen).pixelSize())
        font.setPixelSize(pixelSize);
    font.setStretch(stretch >= 100 ? QFont::AnyStretch : stretch);
    return font;
}

// The first font, from the chosen one down, with which fits() holds once
// apply() has put it in place: at the chosen size as wide as widest(size)
// allows (100 is the font's own width), then narrower down to narrowest,
// then the same at each smaller size. Without any, the smallest tried stays.
template <typename Widest, typename Apply, typename Fits>
void FitFont(const QFont& chosen, int narrowest, Widest widest, Apply apply, Fits fits)
{
    const int chosenSize = QFontInfo(chosen).pixelSize();
    const int smallest =
        std::max(std::min(SmallestPixelSize, chosenSize), chosenSize * SmallestSizePercent / 100);
    const auto fitsWith = [&](int pixelSize, int stretch) {
        apply(Sized(chosen, pixelSize, stretch));
        return fits();
    };
    for (int size = chosenSize; size >= smallest; --size) {
        const int widestHere = std::clamp(widest(size), narrowest, 100);
        if (fitsWith(size, widestHere))
            return;
        // Narrowing helps only where the narrowest fits (a line too tall
        // stays too tall). Whole pixels make the fit go in steps, not always
        // one way, so each stretch is tried, widest first.
        if (widestHere == narrowest || !fitsWith(size, narrowest))
            continue;
        for (int stretch = widestHere - 1; stretch > narrowest; --stretch) {
            if (fitsWith(size, stretch))
                return;
        }
        fitsWith(size, narrowest);
        return;
    }
}

} // namespace

// The pixels the texts would cover in a cell, shadow and face together.
QRect CalendarFrm::textsInk(int cell, const QStringList& texts) const
{
    const QRect shadow = labelRectPixels(CalendarPart::ShadowLabel, cell);
    const QRect face = labelRectPixels(CalendarPart::FaceLabel, cell);
    return LB_A[cell].textInk(shadow, texts) | LB_B[cell].textInk(face, texts);
}

// Where any day number would cover pixels in a week cell, shadow and face
// together. Every week cell has the same font and size, so the numbers are
// measured once, in a face label at (0, 0), and moved to each cell.
QRect CalendarFrm::dayNumbersInk() const
{
    const QRect face = labelRectPixels(CalendarPart::FaceLabel, 30);
    return LB_B[30].textInk(QRect(QPoint(0, 0), face.size()), DayNumberTexts());
}

QRect CalendarFrm::dayNumbersInk(int cell, const QRect& measured) const
{
    return measured.translated(labelRectPixels(CalendarPart::FaceLabel, cell).topLeft()) |
           measured.translated(labelRectPixels(CalendarPart::ShadowLabel, cell).topLeft());
}

// Every day number in every column keeps apart from every one in the next
// column and the next week.
bool CalendarFrm::dayNumbersApart() const
{
    const QRect measured = dayNumbersInk();
    const auto ink = [&](int cell) {
        return dayNumbersInk(cell, measured);
    };
    constexpr int week = 3; // the columns are where they are in every week
    for (int column = 1; column < 7; ++column) {
        if (!ApartAcross(ink(week * 7 + column), ink(week * 7 + column + 1)))
            return false;
    }
    for (int row = 1; row < 6; ++row) {
        if (!ApartDown(ink(row * 7 + 1), ink((row + 1) * 7 + 1)))
            return false;
    }
    return true;
}

QRect CalendarFrm::weekdayNamesInk() const
{
    QRect names;
    for (int column = 1; column <= 7; ++column)
        names |= textsInk(column, {WeekdayNames()[column - 1]});
    return names;
}

// The weekday names keep apart from each other and from the first week's
// numbers.
bool CalendarFrm::weekdayNamesApart() const
{
    for (int column = 1; column < 7; ++column) {
        if (!ApartAcross(textsInk(column, {WeekdayNames()[column - 1]}),
                         textsInk(column + 1, {WeekdayNames()[column]})))
            return false;
    }
    return ApartDown(weekdayNamesInk(), dayNumbersInk(FirstWeekCell, dayNumbersInk()));
}

// The title's shadow is its lowest part; the face above it may be pressed.
bool CalendarFrm::titleApart() const
{
    const QRect shadow = labelRectPixels(CalendarPart::ShadowLabel, 0);
    return ApartDown(LB_A[0].textInk(shadow, {LB_A[0].caption(), TitleSample}), weekdayNamesInk());
}

void CalendarFrm::fitDayFont(QSize window)
{
    const auto apply = [&](const QFont& font) {
        for (int cell = FirstWeekCell; cell < CellCount; ++cell) {
            LB_A[cell].setFittedFont(font);
            LB_B[cell].setFittedFont(font);
        }
        placeCells(window);
    };
    const QFont& chosen = LB_B[30].givenFont();
    // The day numbers are first narrowed as they always were, until the
    // widest number's advance is a column less two pixels wide, so a grid
    // that was fine keeps its look; where the ink (with the shadow) still
    // touches, they are narrowed further.
    const auto columnWidth = [&](int size) {
        apply(Sized(chosen, size, 100));
        const int widest = TwipsToPixelsX(m_cellSize.width());
        const int room = TwipsToPixelsX(0.13 * window.width()) - 2;
        return widest > room && widest > 0 ? room * 100 / widest : 100;
    };
    FitFont(chosen, NarrowestStretch, columnWidth, apply, [&] { return dayNumbersApart(); });
}

void CalendarFrm::fitWeekdayFont()
{
    const auto apply = [&](const QFont& font) {
        for (int cell = 1; cell < FirstWeekCell; ++cell) {
            LB_A[cell].setFittedFont(font);
            LB_B[cell].setFittedFont(font);
        }
    };
    FitFont(
        LB_B[1].givenFont(), NarrowestStretch, [](int) { return 100; }, apply,
        [&] { return weekdayNamesApart(); });
}

// The title keeps its proportions: only the room under it is short.
void CalendarFrm::fitTitleFont()
{
    if (m_cellSize.isEmpty())
        return; // not laid out yet
    const auto apply = [&](const QFont& font) {
        LB_A[0].setFittedFont(font);
        LB_B[0].setFittedFont(font);
    };
    FitFont(
        LB_B[0].givenFont(), 100, [](int) { return 100; }, apply, [&] { return titleApart(); });
}

} // namespace morvane
