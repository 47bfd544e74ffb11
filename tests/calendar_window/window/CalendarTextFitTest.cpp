#include "calendar_window/input/CalendarInput.h"
#include "calendar_window/window/CalendarHarness.h"
#include "core/Settings.h"

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <array>

using morvane::testing_support::CalendarHarness;

namespace morvane {

namespace {

// The pixels a cell's text covers on the surface, shadow and face together,
// with every other text, mark and icon left out. Any touch of antialiasing
// counts: that is what makes neighbouring numbers run together on screen.
class InkProbe
{
public:
    explicit InkProbe(CalendarFrm& window) : m_window(window)
    {
        for (int cell = 0; cell < CellCount; ++cell) {
            m_captions[cell] = window.LB_B[cell].caption();
            window.LB_A[cell].setCaption(QString());
            window.LB_B[cell].setCaption(QString());
            window.LB_C[cell].setCaption(QString());
            window.LB_C[cell].opaque = false;
        }
        for (int number = 1; number <= 4; ++number)
            window.icon(number).visible = false;
    }

    QRect ink(int cell, const QString& text)
    {
        if (cell == 0) {
            m_window.setTitle(text); // the title goes the way the month drawing sends it
        } else {
            m_window.LB_A[cell].setCaption(text);
            m_window.LB_B[cell].setCaption(text);
        }
        QImage image(m_window.Picture1->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            m_window.paintCells(painter);
        }
        m_window.LB_A[cell].setCaption(QString());
        m_window.LB_B[cell].setCaption(QString());
        return Bounds(image);
    }

    QString caption(int cell) const { return m_captions[cell]; }

private:
    static QRect Bounds(const QImage& image)
    {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(line[x]) != 0)
                    bounds |= QRect(x, y, 1, 1);
            }
        }
        return bounds;
    }

    CalendarFrm& m_window;
    std::array<QString, CellCount> m_captions;
};

QStringList DayNumbers()
{
    QStringList days;
    for (int day = 1; day <= 31; ++day)
        days << QString::number(day);
    return days;
}

// Clear pixels between two inks, the first left of (or above) the second.
int GapAcross(const QRect& left, const QRect& right)
{
    return right.left() - left.right() - 1;
}
int GapDown(const QRect& upper, const QRect& lower)
{
    return lower.top() - upper.bottom() - 1;
}

} // namespace

class CalendarTextFitTest : public QObject
{
    Q_OBJECT

private slots:
    void textsKeepApartOnTheGrid_data();
    void textsKeepApartOnTheGrid();
    void dayNumbersKeepAVisibleGapAtEverySize_data();
    void dayNumbersKeepAVisibleGapAtEverySize();
    void clockTitleKeepsClearOfTheIcons_data();
    void clockTitleKeepsClearOfTheIcons();
    void clockTicksMeasureNoNewInk();
};

void CalendarTextFitTest::textsKeepApartOnTheGrid_data()
{
    QTest::addColumn<int>("calendarSize");
    QTest::addColumn<bool>("zoomed");
    for (int size = 1; size <= 12; ++size) {
        QTest::addRow("size %d, first-run fonts", size) << size << false;
        QTest::addRow("size %d, zoomed fonts", size) << size << true;
    }
}

// Whatever the size and the installed fonts (wider digits and taller lines
// than the grid was laid out for), day numbers never touch their neighbours
// across or down, the weekday names never touch the first week, and the
// title never touches the weekday names.
void CalendarTextFitTest::textsKeepApartOnTheGrid()
{
    QFETCH(int, calendarSize);
    QFETCH(bool, zoomed);

    CalendarHarness harness;
    Settings& s = harness.settings();
    s.MonthIcon = true;
    if (zoomed) {
        // Reached the way the user gets there: a Ctrl + wheel notch.
        s.CalendarSize = static_cast<qint16>(calendarSize == 1 ? 2 : calendarSize - 1);
        s.FontSize = 10;
        s.DayFontSize = 11;
        s.MarkSize = 13;
    } else {
        s.CalendarSize = static_cast<qint16>(calendarSize);
    }
    CalendarFrm& window = harness.load(QStringLiteral("2026/12/01"));
    if (zoomed) {
        window.input().zoom(calendarSize != 1);
        QCOMPARE(s.DayFontSize, calendarSize + 6);
    }
    QCOMPARE(int(s.CalendarSize), calendarSize);

    InkProbe probe(window);
    const QStringList days = DayNumbers();

    // Across: the columns of one week, every day number in every column.
    constexpr int week = 3;
    std::array<QRect, 8> column; // 1 to 7
    for (int c = 1; c <= 7; ++c) {
        for (const QString& day : days)
            column[c] |= probe.ink(week * 7 + c, day);
    }
    for (int c = 1; c < 7; ++c) {
        QVERIFY2(GapAcross(column[c], column[c + 1]) >= 1,
                 qPrintable(QStringLiteral("columns %1 and %2: %3 px apart")
                                .arg(c)
                                .arg(c + 1)
                                .arg(GapAcross(column[c], column[c + 1]))));
    }

    // Down: the weekday names over the six weeks.
    std::array<QRect, 7> row; // 0 the weekday names, 1 to 6 the weeks
    for (int c = 1; c <= 7; ++c)
        row[0] |= probe.ink(1, probe.caption(c));
    for (int r = 1; r <= 6; ++r) {
        for (const QString& day : days)
            row[r] |= probe.ink(r * 7 + 1, day);
    }
    for (int r = 0; r < 6; ++r) {
        QVERIFY2(GapDown(row[r], row[r + 1]) >= 1,
                 qPrintable(QStringLiteral("rows %1 and %2: %3 px apart")
                                .arg(r)
                                .arg(r + 1)
                                .arg(GapDown(row[r], row[r + 1]))));
    }

    // The title over the weekday names, in the title's usual shapes.
    for (const QString& title :
         {QStringLiteral(u"2026年12月"), QStringLiteral(u"26年12月 13:16"),
          QStringLiteral(u"令和8年12月"), QStringLiteral("2026/12"), QStringLiteral("AM 08:05")}) {
        const QRect ink = probe.ink(0, title);
        QVERIFY2(GapDown(ink, row[0]) >= 1,
                 qPrintable(QStringLiteral("title \"%1\": %2 px over the weekday names")
                                .arg(title)
                                .arg(GapDown(ink, row[0]))));
    }
}

void CalendarTextFitTest::dayNumbersKeepAVisibleGapAtEverySize_data()
{
    QTest::addColumn<int>("calendarSize");
    QTest::addColumn<int>("fontSize");
    for (int size = 0; size <= 25; ++size) {
        // The sizes a zoom gives, within what the options offer (7 to 26).
        QTest::addRow("size %d", size) << size << std::clamp(size + 6, 7, 26);
    }
    QTest::addRow("size 0, largest font") << 0 << 26;
    QTest::addRow("size 25, smallest font") << 25 << 7;
}

// Neighbouring day numbers keep a gap of at least a sixth of their height
// (two pixels at the least), so that "28" "29" never read as "2829".
void CalendarTextFitTest::dayNumbersKeepAVisibleGapAtEverySize()
{
    QFETCH(int, calendarSize);
    QFETCH(int, fontSize);
    CalendarHarness harness;
    Settings& s = harness.settings();
    s.CalendarSize = static_cast<qint16>(calendarSize);
    s.DayFontSize = static_cast<qint16>(fontSize);
    CalendarFrm& window = harness.load(QStringLiteral("2026/12/01"));
    InkProbe probe(window);

    constexpr int week = 3;
    std::array<QRect, 8> column;
    for (int c = 1; c <= 7; ++c) {
        for (const QString& day : DayNumbers())
            column[c] |= probe.ink(week * 7 + c, day);
    }
    const int wanted = std::max(2, (column[1].height() + 5) / 6);
    for (int c = 1; c < 7; ++c) {
        QVERIFY2(GapAcross(column[c], column[c + 1]) >= wanted,
                 qPrintable(QStringLiteral("columns %1 and %2: %3 px apart, %4 wanted")
                                .arg(c)
                                .arg(c + 1)
                                .arg(GapAcross(column[c], column[c + 1]))
                                .arg(wanted)));
    }
}

void CalendarTextFitTest::clockTitleKeepsClearOfTheIcons_data()
{
    QTest::addColumn<int>("calendarSize");
    QTest::addColumn<int>("titleType");
    for (const int size : {0, 1, 3, 12, 25}) {
        for (const int type : {6, 7, 9, 10})
            QTest::addRow("size %d, title %d", size, type) << size << type;
    }
}

// With the jump icon on, the previous-month icon moves left, into the room
// of a long clock title: the title gives way, the icons stay readable.
void CalendarTextFitTest::clockTitleKeepsClearOfTheIcons()
{
    QFETCH(int, calendarSize);
    QFETCH(int, titleType);
    CalendarHarness harness;
    Settings& s = harness.settings();
    s.CalendarSize = static_cast<qint16>(calendarSize);
    s.FontSize = static_cast<qint16>(std::clamp(calendarSize + 6, 7, 26));
    s.TitleType = static_cast<qint16>(titleType);
    s.MonthIcon = true;
    s.JumpIcon = true;
    CalendarFrm& window = harness.load(QStringLiteral("2026/12/01"));
    window.input().titleClockTick();

    QImage image(window.Picture1->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const CellLabel& title = window.LB_A[0];
        const QRect rect = window.labelRectPixels(CalendarPart::ShadowLabel, 0);
        painter.setFont(title.font());
        painter.drawText(title.textOrigin(rect, title.caption()), title.caption());
    }
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                right = std::max(right, x);
        }
    }
    const QRect previous = window.iconRectPixels(1);
    QVERIFY(window.Image1.visible);
    QVERIFY2(previous.left() - right - 1 >= 2,
             qPrintable(QStringLiteral("\"%1\" ends at %2, the icon starts at %3")
                            .arg(window.LB_A[0].caption())
                            .arg(right)
                            .arg(previous.left())));
}

// The clock rewrites the title every second; once its texts have been
// measured, later ticks draw nothing to measure them again.
void CalendarTextFitTest::clockTicksMeasureNoNewInk()
{
    CalendarHarness harness;
    harness.settings().TitleType = 8;
    harness.settings().JumpIcon = true;
    CalendarFrm& window = harness.load(QStringLiteral("2026/12/01"));
    window.input().titleClockTick();
    const int measured = window.measuredTextCount();
    for (int minute = 0; minute < 30; ++minute) {
        harness.clock.set(QDateTime(QDate(2026, 9, 15), QTime(10, minute)));
        window.input().titleClockTick();
    }
    QCOMPARE(window.measuredTextCount(), measured);
}

} // namespace morvane

QTEST_MAIN(morvane::CalendarTextFitTest)
#include "CalendarTextFitTest.moc"
