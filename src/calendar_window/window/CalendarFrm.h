#pragma once

#include "calendar_window/month/MonthModel.h"
#include "calendar_window/month/MonthView.h"
#include "calendar_window/window/CalendarHit.h"
#include "calendar_window/window/CellLabel.h"
#include "calendar_window/window/DesktopCapture.h"
#include "calendar_window/window/IconButton.h"
#include "calendar_window/window/TextFit.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <array>

class QTimer;

namespace morvane {

class AppContext;
class CalendarInput;
class CalendarSurface;
class CompositorWatch;

// The weekday header, Sunday first.
const QStringList& WeekdayNames();

// The calendar window: a small frameless window on the desktop, without a
// taskbar button, that paints the month itself. Its look follows the
// settings (size, fonts, colours, background picture or desktop copy,
// translucency, rounded outline, frame); its input is CalendarInput's.
//
// The cells keep the names of their three layers: LB_A the shadow text,
// LB_B the face text (which takes the clicks), LB_C the mark glyph and the
// today cursor; index 0 is the title, 1 to 7 the weekday header, 8 to 49 the
// weeks. Image1 to Image4 are the previous-month, next-month, jump and
// memo-list icons; Picture1 the visible surface; Picture2 the calendar's own
// background (colour and picture); Picture3 the picture as loaded.
class CalendarFrm : public QWidget, public MonthView
{
    Q_OBJECT

public:
    explicit CalendarFrm(AppContext& context, QWidget* parent = nullptr);
    ~CalendarFrm() override;

    AppContext& context() { return m_context; }
    CalendarInput& input() { return *m_input; }

    // Builds the window from the settings: usable font names (an unusable
    // one is replaced, also in the settings), the cells and their fonts and
    // colours, the layout, translucency, position and outline. Advances the
    // start-up progress from 0 to 70. Run once, before the first drawing.
    void Form_Load();

    // Sizes and places every cell and icon for CalendarSize, fits the fonts
    // the labels were given to the grid, sizes the window and rebuilds the
    // background picture, then draws the frame.
    void LayoutCalendar();
    // Moves the four icons to their places for the current size.
    void PlaceIconButtons();
    // The start-up placement of the title and which icons show: the title
    // at 150 beside the icons, or centred when no icon is shown.
    void PlaceTitleAndIcons();
    // Fonts of the title and header, of the day numbers and of the marks,
    // from the settings.
    void ApplyCalendarFonts();
    // The title's face label on its shadow's place, 16 twips up and left.
    void RestTitleFace();

    // Draws the frame and the rule under the title when CalendarBox is on.
    void DrawCalendarBox();
    // Clears the surface to the background colour.
    void ClearPicture1();
    // Repaints the surface: the desktop copy behind the window blended with
    // the calendar background (pseudo transparency), else the background
    // picture, then the frame. Where something composes the screen the
    // background is painted with an alpha instead and the desktop shows
    // through by itself. The window stays on screen throughout.
    void PaintCalendarBackground();
    // The same with a fresh copy of the desktop, for when what lies behind
    // the window has changed without the window moving.
    void RefreshDesktopCopy();
    DesktopCopy& desktopCopy() { return m_desktopCopy; }

    // Whether something composes the screen, so the window shows what lies
    // behind it by its pixels' alpha (else by the desktop copy). Follows the
    // compositor as it comes and goes, in the same native window.
    bool composited() const { return m_composited; }
    void setComposited(bool composited);
    // The opacity every pixel of the surface is drawn with: the
    // whole-window translucency where it is drawn into the pixels.
    qreal surfaceOpacity() const;

    // Window outline: rounded corners (an ellipse of 30 x 30 pixels) or the
    // plain rectangle, and the one the settings ask for.
    void SetRoundRegion();
    void SetRectRegion();
    void ApplyWindowOutline();
    // Whole-window translucency: opacity (255 - 16 * TransparencyEx_value) /
    // 255 when TransparencyEx is on; Reset makes the window opaque again.
    void ApplyLayeredAlpha();
    void ResetLayeredAlpha();
    // Stacking order. SendToBottom acts only with BottomView on and while no
    // dialog of the program is open.
    void SetTopMost();
    void SetNotTopMost();
    void SendToBottom();

    // Press looks: the face label or icon moves 16 twips right and down
    // while pressed and comes back to its resting place.
    void PressFaceLabel(int index);
    void RestFaceLabel(int index);
    bool IsFacePressed(int index) const;
    void PressIcon(int number);
    void RestIcon(int number);

    // Moves the window (twips are the caller's to convert): the drag and
    // the "back to the corner" command.
    void moveWindow(QPoint pixels);

    IconButton& icon(int number);
    const IconButton& icon(int number) const;

    // Where things are on the surface, in pixels.
    QRect labelRectPixels(CalendarPart layer, int index) const;
    QRect iconRectPixels(int number) const;
    CalendarHit hitTest(QPoint surfacePos) const;

    // The date a face label stands for (displayed month, its caption), or
    // an invalid date for a blank, header or title cell.
    QDate dateOfCell(int index) const;

    // MonthView.
    void showMonth(const MonthModel& model) override;
    void showTodayCursor(int cell) override;
    void setTitle(const QString& title) override;
    void setTitleClock(bool running) override;
    void paintCalendarBackground() override;

    // The surface's painting of the labels and icons over its background.
    void paintCells(class QPainter& painter) const;
    const QImage& surfaceImage() const { return m_surfaceImage; }
    // How many texts' ink the fitting has drawn to measure so far.
    int measuredTextCount() const { return m_inks.size(); }

    std::array<CellLabel, CellCount> LB_A;
    std::array<CellLabel, CellCount> LB_B;
    std::array<CellLabel, CellCount> LB_C;
    IconButton Image1;
    IconButton Image2;
    IconButton Image3;
    IconButton Image4;
    CalendarSurface* Picture1 = nullptr;
    QImage Picture2;
    QImage Picture3;
    // The alarm and date-change tick (started by the start-up) and the title
    // clock.
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

signals:
    // The window system asks the window to close (log-off, shut-down).
    void queryUnload();
    // The pointer rests on a day cell (or the title, with an invalid date):
    // the day balloon may be built for it.
    void dayBalloonRequested(int cell, QDate date, QPoint globalPos);
    // The pointer left the day cells: any balloon goes.
    void dayBalloonDismissed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void connectRequests();
    void createCells();
    void createIcons();
    // Fonts too large for the fixed grid (wide digits, a tall face, a large
    // size on a small calendar) are narrowed or made smaller just enough
    // that no text touches its neighbour (CalendarTextFit.cpp).
    void fitDayFont(QSize windowTwips);
    void fitWeekdayFont();
    void fitTitleFont();
    bool weekdayNamesApart() const;
    bool titleApart() const;
    QRect textsInk(int cell, const QStringList& texts) const;
    QRect firstWeekInk() const;
    QRect weekdayNamesInk() const;
    void placeCells(QSize windowTwips);
    void resizeSurface(QSize pixels);
    void loadBackgroundPicture();
    void setCalendarVisible(bool visible);
    void paintBackground();
    void paintCopiedBackground();
    void paintTranslucentBackground();
    QImage ownBackground(QSize devicePixels) const;
    QSize deviceSize() const;
    void showAt(QPoint place);
    QRect labelTwipsToPixels(const QRect& twips) const;

    AppContext& m_context;
    CalendarInput* m_input = nullptr;
    QImage m_surfaceImage;   // the surface's persistent background
    QSize m_cellSize;        // twips, of every grid cell (cell 30's measure)
    bool m_painting = false; // a background repaint is running
    bool m_repaintAgain = false;
    DesktopCopy m_desktopCopy;
    CompositorWatch* m_compositor = nullptr;
    bool m_composited = false;
    mutable TextInkCache m_inks;
    QPoint m_holdPlace; // where a window shown again belongs
    QDeadlineTimer m_holdPlaceUntil{0};
};

} // namespace morvane
