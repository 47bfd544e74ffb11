#include "calendar_window/window/CalendarFrm.h"

#include "calendar_window/input/CalendarInput.h"
#include "calendar_window/month/DrawCalendar.h"
#include "calendar_window/month/SettingColor.h"
#include "calendar_window/window/BackgroundPicture.h"
#include "calendar_window/window/CalendarGeometry.h"
#include "calendar_window/window/CalendarSurface.h"
#include "calendar_window/window/FontFallback.h"
#include "calendar_window/window/IconArt.h"
#include "context/AppContext.h"
#include "ui_toolkit/ScreenPlacement.h"
#include "ui_toolkit/Twips.h"
#include "ui_toolkit/WindowStacking.h"
#include "ui_toolkit/platform/Compositing.h"
#include "ui_toolkit/platform/DesktopLayer.h"
#include "ui_toolkit/platform/Workspaces.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>

namespace morvane {

namespace {

// Where the title sits until the start-up places it.
constexpr QPoint kTitlePlace(150, 50);

QFont CalendarFont(const QString& family, int pointSize, bool bold, bool italic)
{
    QFont font(family);
    font.setPointSize(std::max(1, pointSize));
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Icons are drawn for the screen's pixel ratio, at least twice on a
// fractional one, so they stay sharp.
qreal IconScale()
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    return ratio <= 1.0 ? 1.0 : std::ceil(ratio);
}

} // namespace

const QStringList& WeekdayNames()
{
    static const QStringList names = {
        QStringLiteral(u"日"), QStringLiteral(u"月"), QStringLiteral(u"火"), QStringLiteral(u"水"),
        QStringLiteral(u"木"), QStringLiteral(u"金"), QStringLiteral(u"土")};
    return names;
}

CalendarFrm::CalendarFrm(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::NoDropShadowWindowHint),
      m_context(context)
{
    setObjectName(QStringLiteral("CalendarFrm"));
    setWindowTitle(QStringLiteral(u"モルヴァ"));
    // A window with an alpha channel from its first moment: a compositor
    // that comes later then shows it translucent without a new window, and
    // without one the pixels are simply opaque.
    const bool argb = ArgbWindowsAvailable();
    if (argb)
        setAttribute(Qt::WA_TranslucentBackground);
    m_compositor = new CompositorWatch(this);
    m_composited = argb && m_compositor->composited();
    connect(m_compositor, &CompositorWatch::compositedChanged, this,
            [this, argb](bool composited) { setComposited(argb && composited); });
    connect(m_compositor, &CompositorWatch::wallpaperChanged, this, [this] {
        if (!m_composited && m_context.settings().Transparency)
            RefreshDesktopCopy();
    });
    m_desktopCopy.setGrabber([this](const QRect& place) {
        // Taken at the screen's own pixels, so that nothing is scaled.
        const qreal ratio = devicePixelRatioF();
        const QRect device((QPointF(place.topLeft()) * ratio).toPoint(),
                           (QSizeF(place.size()) * ratio).toSize());
        QImage image = GrabDesktopBackground(device);
        image.setDevicePixelRatio(ratio);
        return image;
    });
    Picture1 = new CalendarSurface(*this, this);
    // Keys reach the surface as soon as the window is activated.
    setFocusProxy(Picture1);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    createCells();
    createIcons();
    m_input = new CalendarInput(*this);
    connectRequests();
    // Where the Wayland compositor offers its desktop layers, the calendar
    // stands on them, below the windows, at its saved place.
    KeepOnDesktopLayer(this, false);
}

CalendarFrm::~CalendarFrm()
{
    // The surface outlives this part of the window (QWidget deletes it), and
    // the input must not see its last events through a window whose members
    // are already gone.
    Picture1->removeEventFilter(m_input);
}

void CalendarFrm::createCells()
{
    for (int index = 0; index < CellCount; ++index) {
        LB_C[index].setCaption(QString());
        LB_B[index].mousePointer = 0;
    }
    for (int column = 1; column <= 7; ++column) {
        LB_A[column].setCaption(WeekdayNames()[column - 1]);
        LB_B[column].setCaption(WeekdayNames()[column - 1]);
    }
    LB_A[0].setAutoSize(true);
    LB_B[0].setAutoSize(true);
    LB_A[0].move(kTitlePlace.x(), kTitlePlace.y());
    RestTitleFace();
}

void CalendarFrm::createIcons()
{
    const qreal scale = IconScale();
    Image1.picture = PreviousMonthIcon(scale);
    Image1.sizePixels = QSize(10, 10);
    Image1.toolTip = QStringLiteral(u"前月");
    Image2.picture = NextMonthIcon(scale);
    Image2.sizePixels = QSize(10, 10);
    Image2.toolTip = QStringLiteral(u"次月");
    Image3.picture = JumpIcon(scale);
    Image3.sizePixels = QSize(16, 16);
    Image3.toolTip = QStringLiteral(u"ジャンプ指定");
    Image4.picture = MemoIcon(scale);
    Image4.sizePixels = QSize(16, 16);
}

void CalendarFrm::connectRequests()
{
    AppEvents& events = m_context.events();
    connect(&events, &AppEvents::drawCalendarRequested, this,
            [this](const QString& firstDay) { DrawCalendar(m_context, *this, firstDay); });
    connect(&events, &AppEvents::paintBackgroundRequested, this,
            [this] { PaintCalendarBackground(); });
    connect(&events, &AppEvents::calendarVisibilityRequested, this,
            [this](bool visible) { setCalendarVisible(visible); });
    connect(&events, &AppEvents::topMostRequested, this, [this](bool topMost) {
        if (topMost)
            SetTopMost();
        else
            SetNotTopMost();
    });
    connect(&events, &AppEvents::raiseCalendarRequested, this, [this] { BringToFront(this); });
    connect(&events, &AppEvents::calendarMoveRequested, this, [this](QPoint twips) {
        moveWindow(TwipsToPixels(twips));
        // The background belongs to the new place.
        PaintCalendarBackground();
    });
    connect(&events, &AppEvents::sendToBottomRequested, this, [this] { SendToBottom(); });
}

void CalendarFrm::Form_Load()
{
    Settings& settings = m_context.settings();

    const QColor shadow = SettingColor(settings.ShadowColor);
    for (int cell = 0; cell < CellCount; ++cell) {
        LB_A[cell].foreColor = shadow;
        if (cell >= 1)
            emit m_context.events().startupProgress(cell * 70 / 49);
    }
    LB_B[0].foreColor = SettingColor(settings.YearColor);
    LB_B[0].mousePointer = CustomPointer;
    ApplyCalendarFonts();

    LayoutCalendar();
    ApplyLayeredAlpha();
    // A stored place off every screen (a removed monitor, an edited file)
    // would leave the calendar where no one can reach it. Where the window
    // system places windows itself the stored place is kept for a desktop
    // that honours it.
    const QPoint stored(TwipsToPixelsX(settings.Left), TwipsToPixelsY(settings.Top));
    const QPoint place = KeepReachableOnDesktop(stored, size());
    if (place != stored && ProgramPlacesWindows()) {
        settings.Left = PixelsToTwipsX(place.x());
        settings.Top = PixelsToTwipsY(place.y());
    }
    move(place);
    ApplyWindowOutline();
}

void CalendarFrm::ApplyCalendarFonts()
{
    const Settings& settings = m_context.settings();
    // A font missing today (a network font, a removed package) only changes
    // the drawing: the stored name stays, so the user's choice comes back
    // with the font.
    const QFont titleFont = CalendarFont(UsableFontFamily(settings.FontName), settings.FontSize,
                                         settings.FontBold, settings.FontItalic);
    const QFont dayFont = CalendarFont(UsableFontFamily(settings.DayFontName), settings.DayFontSize,
                                       settings.DayFontBold, settings.DayFontItalic);
    const QFont markFont =
        CalendarFont(UsableFontFamily(StandardJapaneseFontName()), settings.MarkSize, false, false);
    for (int cell = 0; cell < CellCount; ++cell) {
        const QFont& font = cell <= 7 ? titleFont : dayFont;
        LB_A[cell].setFont(font);
        LB_B[cell].setFont(font);
        LB_C[cell].setFont(markFont);
    }
}

void CalendarFrm::placeCells(QSize window)
{
    // Every cell is as large as the widest day number, so the grid does not
    // shift from month to month.
    m_cellSize = DayCellSize(LB_B[30].font());
    for (int cell = 1; cell < CellCount; ++cell) {
        const QPoint shadow = ShadowCellPosition(window, cell);
        LB_A[cell].setAutoSize(false);
        LB_B[cell].setAutoSize(false);
        LB_A[cell].move(shadow.x(), shadow.y(), m_cellSize.width(), m_cellSize.height());
        const QPoint face = shadow - QPoint(FaceOffset, FaceOffset);
        LB_B[cell].move(face.x(), face.y(), m_cellSize.width(), m_cellSize.height());
        const QRect mark = MarkCellRect(face, m_cellSize);
        LB_C[cell].move(mark.x(), mark.y(), mark.width(), mark.height());
    }
}

void CalendarFrm::LayoutCalendar()
{
    Settings& settings = m_context.settings();
    const QSize window = CalendarWindowSize(settings.CalendarSize);

    fitDayFont(window); // places the cells for the font it settles on
    fitWeekdayFont();
    PlaceIconButtons();
    fitTitleFont(); // beside the icons

    const QSize pixels = TwipsToPixels(window);
    setFixedSize(pixels);
    Picture1->setGeometry(QRect(QPoint(0, 0), pixels));
    resizeSurface(pixels);
    loadBackgroundPicture();
    if (m_composited)
        paintTranslucentBackground(); // the outline is in the pixels
    else
        DrawCalendarBox();
    Picture1->update();
}

void CalendarFrm::loadBackgroundPicture()
{
    Settings& settings = m_context.settings();
    Picture3 = QImage();
    const QString file = settings.PictureFile.trimmed();
    if (!file.isEmpty()) {
        Picture3 = QImage(file);
        // A picture that cannot be read is dropped without a word.
        if (Picture3.isNull())
            settings.PictureFile.clear();
    }
    const QSize window = CalendarWindowSize(settings.CalendarSize);
    Picture2 = ComposeCalendarBackground(TwipsToPixels(window + QSize(30, 30)),
                                         SettingColor(settings.CalendarBackColor), Picture3,
                                         settings.PicturePosition);
}

void CalendarFrm::PlaceIconButtons()
{
    const Settings& settings = m_context.settings();
    const IconPlaces places =
        IconButtonPlaces(settings.CalendarSize, settings.JumpIcon || settings.MemoIcon);
    Image1.position = places.previousMonth;
    Image2.position = places.nextMonth;
    Image3.position = places.jump;
    Image4.position = places.memo;
    Picture1->update();
}

void CalendarFrm::PlaceTitleAndIcons()
{
    const Settings& settings = m_context.settings();
    Image1.visible = settings.MonthIcon;
    Image2.visible = settings.MonthIcon;
    Image3.visible = settings.JumpIcon;
    Image4.visible = settings.MemoIcon;
    const int windowWidth = CalendarWindowSize(settings.CalendarSize).width();
    const QPoint title = StartupTitlePosition(windowWidth, LB_A[0].width(), settings.MonthIcon,
                                              settings.JumpIcon, settings.MemoIcon);
    LB_A[0].move(title.x(), title.y());
    RestTitleFace();
    fitTitleFont();
    Picture1->update();
}

void CalendarFrm::RestTitleFace()
{
    LB_B[0].move(LB_A[0].left() - FaceOffset, LB_A[0].top() - FaceOffset);
}

IconButton& CalendarFrm::icon(int number)
{
    switch (number) {
    case 1:
        return Image1;
    case 2:
        return Image2;
    case 3:
        return Image3;
    default:
        return Image4;
    }
}

const IconButton& CalendarFrm::icon(int number) const
{
    return const_cast<CalendarFrm*>(this)->icon(number);
}

void CalendarFrm::PressFaceLabel(int index)
{
    if (IsFacePressed(index))
        RestFaceLabel(index);
    LB_B[index].move(LB_B[index].left() + PressOffset, LB_B[index].top() + PressOffset);
    Picture1->repaint();
}

void CalendarFrm::RestFaceLabel(int index)
{
    LB_B[index].move(LB_A[index].left() - FaceOffset, LB_A[index].top() - FaceOffset);
    Picture1->update();
}

bool CalendarFrm::IsFacePressed(int index) const
{
    return LB_B[index].left() > LB_A[index].left() - FaceOffset;
}

void CalendarFrm::PressIcon(int number)
{
    PlaceIconButtons();
    IconButton& button = icon(number);
    button.position += QPoint(PressOffset, PressOffset);
    Picture1->repaint();
}

void CalendarFrm::RestIcon(int /*number*/)
{
    PlaceIconButtons();
}

QDate CalendarFrm::dateOfCell(int index) const
{
    if (index < FirstWeekCell || index > LastCell)
        return {};
    bool isNumber = false;
    const int day = LB_B[index].caption().trimmed().toInt(&isNumber);
    const QDate month = m_context.displayMonthDate();
    if (!isNumber || !month.isValid())
        return {};
    return QDate(month.year(), month.month(), day);
}

void CalendarFrm::showMonth(const MonthModel& model)
{
    for (int cell = 1; cell < CellCount; ++cell) {
        const DayCell& day = model.cells[cell];
        if (cell >= FirstWeekCell) {
            const QString caption = day.day ? QString::number(*day.day) : QString();
            LB_A[cell].setCaption(caption);
            LB_B[cell].setCaption(caption);
        }
        LB_B[cell].foreColor = day.textColor;
        LB_B[cell].mousePointer = cell >= FirstWeekCell ? day.pointer : DefaultPointer;
        LB_C[cell].setCaption(day.markGlyph);
        LB_C[cell].foreColor = day.markColor;
    }
    setTitle(model.title);
    Picture1->update();
}

void CalendarFrm::showTodayCursor(int cell)
{
    for (int index = FirstWeekCell; index <= LastCell; ++index)
        LB_C[index].opaque = false;
    if (cell >= FirstWeekCell && cell <= LastCell) {
        CellLabel& cursor = LB_C[cell];
        cursor.opaque = true;
        cursor.backColor = SettingColor(m_context.settings().CursorColor);
        if (cursor.caption().isEmpty())
            cursor.setCaption(QStringLiteral(u"\u3000"));
        const QRect mark =
            MarkCellRect(LB_B[cell].geometry().topLeft(), LB_B[30].geometry().size());
        cursor.move(mark.x(), mark.y(), mark.width(), mark.height());
    }
    Picture1->update();
}

void CalendarFrm::setTitle(const QString& title)
{
    LB_A[0].setCaption(title);
    LB_B[0].setCaption(title);
    fitTitleFont();
    Picture1->update();
}

void CalendarFrm::setTitleClock(bool running)
{
    if (running)
        Timer2->start(1000);
    else
        Timer2->stop();
}

void CalendarFrm::paintCalendarBackground()
{
    PaintCalendarBackground();
}

void CalendarFrm::setCalendarVisible(bool visible)
{
    if (!visible) {
        hide();
        // What lies behind may change while the calendar is away.
        m_desktopCopy.forget();
        return;
    }
    if (isVisible())
        return;
    if (m_context.settings().Transparency)
        paintBackground(); // painted before the window shows, so it shows no stale picture
    showAt(pos());
}

void CalendarFrm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // On every workspace, like the tray icon: set before the window is
    // mapped, and asked again once it is, for managers that reset it.
    ShowOnAllWorkspaces(this);
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            ShowOnAllWorkspaces(this);
    });
}

void CalendarFrm::closeEvent(QCloseEvent* event)
{
    emit queryUnload();
    event->accept();
}

} // namespace morvane
