// The calendar's fonts fitted to its grid (the fitting itself is TextFit's,
// shared with the options preview): the day numbers, the weekday names over
// the first week, and the title under which the weekday names lie and beside
// which the month, jump and memo icons sit.

#include "calendar_window/window/CalendarFrm.h"
#include "calendar_window/window/CalendarGeometry.h"
#include "calendar_window/window/TextFit.h"
#include "ui_toolkit/Twips.h"

#include <QFontMetrics>
#include <algorithm>

namespace morvane {

namespace {

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

// The caption with every digit as wide as the widest of the font, so the
// room the title takes across stays the same while its clock runs.
QString WidestDigitsText(const QString& caption, const QFont& font)
{
    const QFontMetrics metrics(font);
    QChar widest = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widest))
            widest = QLatin1Char(digit);
    }
    QString text = caption;
    for (QChar& c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = widest;
    }
    return text;
}

} // namespace

// The pixels the texts would cover in a cell, shadow and face together.
QRect CalendarFrm::textsInk(int cell, const QStringList& texts) const
{
    const QRect shadow = labelRectPixels(CalendarPart::ShadowLabel, cell);
    const QRect face = labelRectPixels(CalendarPart::FaceLabel, cell);
    return m_inks.ink(LB_A[cell], shadow, texts) | m_inks.ink(LB_B[cell], face, texts);
}

// Where any day number covers pixels in the first week's cells.
QRect CalendarFrm::firstWeekInk() const
{
    const QRect face = labelRectPixels(CalendarPart::FaceLabel, FirstWeekCell);
    const QRect shadow = labelRectPixels(CalendarPart::ShadowLabel, FirstWeekCell);
    const QRect measured =
        m_inks.ink(LB_B[FirstWeekCell], QRect(QPoint(0, 0), face.size()), DayNumberTexts());
    return measured.translated(face.topLeft()) | measured.translated(shadow.topLeft());
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
        const QRect left = textsInk(column, {WeekdayNames()[column - 1]});
        if (!ApartAcross(left, textsInk(column + 1, {WeekdayNames()[column]}),
                         ClearPixelsAcross(left.height())))
            return false;
    }
    return ApartDown(weekdayNamesInk(), firstWeekInk());
}

// The title's shadow is its lowest and rightmost part (the face above it may
// be pressed onto it). It keeps over the weekday names and left of every
// icon that shows on its right.
bool CalendarFrm::titleApart() const
{
    const QRect shadow = labelRectPixels(CalendarPart::ShadowLabel, 0);
    const QString caption = WidestDigitsText(LB_A[0].caption(), LB_A[0].font());
    if (!ApartDown(m_inks.ink(LB_A[0], shadow, {caption, TitleSample}), weekdayNamesInk()))
        return false;
    const QRect across = m_inks.ink(LB_A[0], shadow, {caption});
    if (across.isEmpty())
        return true;
    const int gap = ClearPixelsAcross(across.height());
    for (int number = 1; number <= 4; ++number) {
        const QRect icon = iconRectPixels(number);
        if (!this->icon(number).visible || icon.right() < across.left())
            continue;
        if (!ApartAcross(across, icon, gap))
            return false;
    }
    return true;
}

void CalendarFrm::fitDayFont(QSize window)
{
    const QFont font = FitDayNumberFont(LB_B[30].givenFont(), window, m_inks);
    for (int cell = FirstWeekCell; cell < CellCount; ++cell) {
        LB_A[cell].setFittedFont(font);
        LB_B[cell].setFittedFont(font);
    }
    placeCells(window);
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

// The title keeps its proportions: only its size gives way.
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
