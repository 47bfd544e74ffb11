#include "calendar_window/window/StartingFrm.h"

#include "calendar_window/window/DesktopCapture.h"
#include "calendar_window/window/FontFallback.h"
#include "context/AppEvents.h"
#include "core/Version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QScreen>
#include <algorithm>

namespace morvane {

namespace {

constexpr QSize kWindowSize(380, 150);
constexpr qreal kPanelRadius = 14.0;

QFont TitleFont(int pixelSize, bool bold)
{
    QFont font(UsableFontFamily(StandardJapaneseFontName()));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// A leaf of a wall calendar: red binding, white page, a day in red.
void PaintCalendarLeaf(QPainter& painter, const QRectF& leaf)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(leaf.translated(2, 3), 7, 7);

    QPainterPath page;
    page.addRoundedRect(leaf, 7, 7);
    painter.setBrush(QColor(252, 252, 248));
    painter.drawPath(page);

    const QRectF band(leaf.left(), leaf.top(), leaf.width(), leaf.height() * 0.28);
    painter.save();
    painter.setClipPath(page);
    QLinearGradient red(band.topLeft(), band.bottomLeft());
    red.setColorAt(0, QColor(235, 70, 60));
    red.setColorAt(1, QColor(200, 35, 35));
    painter.fillRect(band, red);
    painter.restore();

    // Rings of the binding.
    painter.setBrush(QColor(70, 70, 80));
    for (const qreal x : {leaf.left() + leaf.width() * 0.3, leaf.left() + leaf.width() * 0.7})
        painter.drawRoundedRect(QRectF(x - 2.5, leaf.top() - 6, 5, 12), 2.5, 2.5);

    painter.setPen(QColor(255, 255, 255));
    painter.setFont(TitleFont(static_cast<int>(band.height() * 0.55), true));
    painter.drawText(band, Qt::AlignCenter, QStringLiteral("MON"));

    const QRectF body(leaf.left(), band.bottom(), leaf.width(), leaf.bottom() - band.bottom());
    painter.setPen(QColor(200, 35, 35));
    painter.setFont(TitleFont(static_cast<int>(body.height() * 0.62), true));
    painter.drawText(body, Qt::AlignCenter, QStringLiteral("17"));
}

} // namespace

void PaintStartingTitle(QPainter& painter, const QRect& rect, const QString& versionText)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF panel = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(panel.topLeft(), panel.bottomLeft());
    fill.setColorAt(0, QColor(28, 44, 78, 235));
    fill.setColorAt(1, QColor(14, 24, 46, 235));
    painter.setPen(QPen(QColor(255, 255, 255, 70), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(panel, kPanelRadius, kPanelRadius);

    const qreal leafSize = rect.height() * 0.5;
    const QRectF leaf(rect.left() + 26, rect.top() + 26, leafSize * 0.9, leafSize);
    PaintCalendarLeaf(painter, leaf);

    const qreal textLeft = leaf.right() + 24;
    const QRectF nameRect(textLeft, rect.top() + 18, rect.right() - textLeft - 16, 44);
    painter.setFont(TitleFont(34, true));
    painter.setPen(QColor(0, 0, 0, 120));
    painter.drawText(nameRect.translated(1.5, 1.5), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral(u"モルヴァ"));
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral(u"モルヴァ"));

    const QRectF versionRect(textLeft, nameRect.bottom() + 26, nameRect.width(), 18);
    painter.setFont(TitleFont(12, false));
    painter.setPen(QColor(190, 205, 230));
    painter.drawText(versionRect, Qt::AlignLeft | Qt::AlignVCenter, versionText);
    painter.restore();
}

StartingFrm::StartingFrm(AppEvents* events, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint),
      m_version(VersionText(RunningVersion()))
{
    setObjectName(QStringLiteral("StartingFrm"));
    setWindowTitle(QStringLiteral(u"モルヴァ"));
    setFixedSize(kWindowSize);

    // The product name under the big Japanese one.
    Label1 = new QLabel(QStringLiteral("Morvane"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont nameFont = TitleFont(15, false);
    nameFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    Label1->setFont(nameFont);
    Label1->setStyleSheet(QStringLiteral("color: rgb(215, 225, 245); background: transparent;"));
    Label1->setGeometry(26 + 68 + 24, 62, 200, 22);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(26, kWindowSize.height() - 26, kWindowSize.width() - 52, 6);
    ProgressBar1->setStyleSheet(QStringLiteral(
        "QProgressBar { border: none; border-radius: 3px; background: rgba(255,255,255,40); }"
        "QProgressBar::chunk { border-radius: 3px; background: qlineargradient(x1:0, y1:0, "
        "x2:1, y2:0, stop:0 rgb(90,170,255), stop:1 rgb(120,230,200)); }"));

    if (events) {
        connect(events, &AppEvents::startupProgress, this,
                [this](int value) { setProgress(value); });
    }
}

QString StartingFrm::VersionText(const QString& version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    const int major = parts.value(0).toInt();
    const int minor = parts.value(1).toInt();
    const int revision = parts.value(2).toInt();
    QString text = QStringLiteral("Version %1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
    if (revision != 0)
        text += QStringLiteral(".%1").arg(revision);
    return text;
}

void StartingFrm::showOverDesktop()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    Picture1 = GrabDesktop(geometry());
    show();
    repaint();
}

void StartingFrm::setProgress(int value)
{
    ProgressBar1->setValue(std::clamp(value, 0, 100));
    if (isVisible())
        ProgressBar1->repaint();
}

void StartingFrm::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (Picture1.isNull())
        painter.fillRect(rect(), QColor(14, 24, 46));
    else
        painter.drawImage(QPoint(0, 0), Picture1);
    PaintStartingTitle(painter, rect(), m_version);
}

} // namespace morvane
