// Fitting fonts to the fixed grid. The grid was laid out for the narrow
// digits and short lines of the classic Japanese UI fonts; the fonts found
// in their place (and large sizes on a small calendar) can be wider or
// taller, and the day numbers, weekday names and title would then run into
// each other. A font is therefore fitted where it is drawn: narrowed first,
// as far as digits still read well, and made smaller only when that is not
// enough, just so far that every text keeps a clear gap to its neighbours,
// shadows included. A font that fits is drawn exactly as chosen.

#include "calendar_window/window/TextFit.h"

#include "calendar_window/window/CalendarGeometry.h"
#include "calendar_window/window/CellLabel.h"
#include "ui_toolkit/Twips.h"

#include <QFontInfo>
#include <cmath>

namespace morvane {

namespace {

// The smallest share of the chosen size a fit may go down to, in percent.
constexpr int SmallestSizePercent = 30;
constexpr int SmallestPixels = 6;
// Enough for every font and text of a run many times over; past it the
// cache starts again rather than grow without end.
constexpr int CacheLimit = 4096;

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

} // namespace

namespace text_fit_detail {

int ChosenPixelSize(const QFont& chosen)
{
    return QFontInfo(chosen).pixelSize();
}

int SmallestPixelSize(int chosenSize)
{
    return std::max(std::min(SmallestPixels, chosenSize), chosenSize * SmallestSizePercent / 100);
}

} // namespace text_fit_detail

QRect TextInkCache::ink(const CellLabel& label, const QRect& rect, const QStringList& texts)
{
    // Where the label puts a text depends only on the width of its rect
    // (centring) and whether it sizes itself; the ink moves with the rect.
    const QString key = label.font().toString() + QLatin1Char('|') +
                        QString::number(label.autoSize()) + QLatin1Char('|') +
                        QString::number(rect.width()) + QLatin1Char('|') + texts.join(QChar(0x1F));
    auto found = m_inks.constFind(key);
    if (found == m_inks.constEnd()) {
        if (m_inks.size() >= CacheLimit)
            m_inks.clear();
        found = m_inks.insert(key, label.textInk(QRect(QPoint(0, 0), rect.size()), texts));
    }
    return found->isEmpty() ? QRect() : found->translated(rect.topLeft());
}

int ClearPixelsAcross(int inkHeight)
{
    return std::max(2, static_cast<int>(std::ceil(inkHeight / 6.0)));
}

bool ApartAcross(const QRect& left, const QRect& right, int gap)
{
    return left.isEmpty() || right.isEmpty() || right.left() - left.right() - 1 >= gap;
}

bool ApartDown(const QRect& upper, const QRect& lower)
{
    return upper.isEmpty() || lower.isEmpty() ||
           lower.top() - upper.bottom() - 1 >= ClearPixelsDown;
}

QFont SizedFont(const QFont& chosen, int pixelSize, int stretch)
{
    QFont font = chosen;
    if (pixelSize != QFontInfo(chosen).pixelSize())
        font.setPixelSize(pixelSize);
    font.setStretch(stretch >= 100 ? QFont::AnyStretch : stretch);
    return font;
}

QSize DayCellSize(const QFont& font)
{
    QSize widest;
    for (int day = 10; day <= 31; ++day)
        widest = widest.expandedTo(CellLabel::measure(QString::number(day), font));
    return widest;
}

// The face is placed from the shadow's pixels so that the offset of 16
// twips always comes out as the same whole pixels.
DayCellRects DayCellPixels(QSize windowTwips, QSize cellTwips, int cell)
{
    const QRect shadowTwips(ShadowCellPosition(windowTwips, cell), cellTwips);
    const QRect shadow = TwipsToPixels(shadowTwips);
    const QRect face(shadow.topLeft() +
                         QPoint(TwipsToPixelsX(-FaceOffset), TwipsToPixelsY(-FaceOffset)),
                     shadow.size());
    return {face, shadow};
}

QFont FitDayNumberFont(const QFont& chosen, QSize windowTwips, TextInkCache& inks)
{
    CellLabel label;
    QSize cell;
    QFont fitted = chosen;
    const auto apply = [&](const QFont& font) {
        fitted = font;
        label.setFittedFont(font);
        cell = DayCellSize(font);
    };
    // Every week cell has the same font and size, so the numbers are
    // measured once and moved to each cell, face and shadow together.
    const auto apart = [&] {
        const QRect measured =
            inks.ink(label, QRect(QPoint(0, 0), TwipsToPixels(cell)), DayNumberTexts());
        if (measured.isEmpty())
            return true;
        const auto ink = [&](int index) {
            const DayCellRects rects = DayCellPixels(windowTwips, cell, index);
            return measured.translated(rects.face.topLeft()) |
                   measured.translated(rects.shadow.topLeft());
        };
        constexpr int week = 3; // the columns are where they are in every week
        const int gap = ClearPixelsAcross(ink(week * 7 + 1).height());
        for (int column = 1; column < 7; ++column) {
            if (!ApartAcross(ink(week * 7 + column), ink(week * 7 + column + 1), gap))
                return false;
        }
        for (int row = 1; row < 6; ++row) {
            if (!ApartDown(ink(row * 7 + 1), ink((row + 1) * 7 + 1)))
                return false;
        }
        return true;
    };
    // The day numbers are first narrowed as they always were, until the
    // widest number's advance is a column less two pixels wide, so a grid
    // that was fine keeps its look; where the ink (with the shadow) still
    // comes too close, they are narrowed further.
    const auto columnWidth = [&](int size) {
        apply(SizedFont(chosen, size, 100));
        const int widest = TwipsToPixelsX(cell.width());
        const int room = TwipsToPixelsX(0.13 * windowTwips.width()) - 2;
        return widest > room && widest > 0 ? room * 100 / widest : 100;
    };
    FitFont(chosen, NarrowestStretch, columnWidth, apply, apart);
    return fitted;
}

} // namespace morvane
