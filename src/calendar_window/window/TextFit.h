#pragma once

#include <QFont>
#include <QHash>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <algorithm>

namespace morvane {

class CellLabel;

// The pixels texts cover when a label draws them, remembered by font,
// label kind, width and text: the title is fitted again on every tick of
// its clock, and drawing the same texts again to find their ink each time
// would cost far more than the tick itself.
class TextInkCache
{
public:
    // As CellLabel::textInk(rect, texts).
    QRect ink(const CellLabel& label, const QRect& rect, const QStringList& texts);
    int size() const { return static_cast<int>(m_inks.size()); }

private:
    QHash<QString, QRect> m_inks; // relative to the rect's top-left
};

// Clear pixels kept between neighbouring texts of one line (day numbers side
// by side, the title and an icon) whose ink is inkHeight pixels high: a
// sixth of it, and never less than two, so that "28" "29" never read as
// "2829".
int ClearPixelsAcross(int inkHeight);
// Clear pixels kept between a text and the one under it.
inline constexpr int ClearPixelsDown = 1;

bool ApartAcross(const QRect& left, const QRect& right, int gap);
bool ApartDown(const QRect& upper, const QRect& lower);

// Narrower than this, the synthesised condensing makes digits hard to read.
inline constexpr int NarrowestStretch = 70;

// chosen at pixelSize and stretch (100: the font's own width).
QFont SizedFont(const QFont& chosen, int pixelSize, int stretch);

// The first font, from the chosen one down, with which fits() holds once
// apply() has put it in place: at the chosen size as wide as widest(size)
// allows, then narrower down to narrowest, then the same at each smaller
// size, down to under a third of the chosen size (and never below six
// pixels). Without any, the smallest tried stays.
template <typename Widest, typename Apply, typename Fits>
void FitFont(const QFont& chosen, int narrowest, Widest widest, Apply apply, Fits fits);

// The day numbers' font for a calendar of windowTwips: the chosen one, or
// narrowed and made smaller just so far that every number keeps GapAcross
// from its neighbours in the week and ClearPixelsDown from the week below, shadows
// included. The calendar and the options preview both use it.
QFont FitDayNumberFont(const QFont& chosen, QSize windowTwips, TextInkCache& inks);

// Where a week cell's face and shadow labels lie (pixels) for a day font.
struct DayCellRects
{
    QRect face;
    QRect shadow;
};
DayCellRects DayCellPixels(QSize windowTwips, QSize cellTwips, int cell);

// The size (twips) of every grid cell: the widest day number of font.
QSize DayCellSize(const QFont& font);

// --- Template ---------------------------------------------------------------

namespace text_fit_detail {
int SmallestPixelSize(int chosenSize);
int ChosenPixelSize(const QFont& chosen);
} // namespace text_fit_detail

template <typename Widest, typename Apply, typename Fits>
void FitFont(const QFont& chosen, int narrowest, Widest widest, Apply apply, Fits fits)
{
    const int chosenSize = text_fit_detail::ChosenPixelSize(chosen);
    const int smallest = text_fit_detail::SmallestPixelSize(chosenSize);
    const auto fitsWith = [&](int pixelSize, int stretch) {
        apply(SizedFont(chosen, pixelSize, stretch));
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

} // namespace morvane
