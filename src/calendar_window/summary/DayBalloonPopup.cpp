#include "calendar_window/summary/DayBalloonPopup.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>

namespace morvane {

namespace {

bool IsSeparatorLine(const QString& line)
{
    static const QRegularExpression rule(QStringLiteral("^\u2500+$"));
    return rule.match(line).hasMatch();
}

} // namespace

DayBalloonPopup::DayBalloonPopup()
    : QFrame(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_icon(new QLabel(this)), m_title(new QLabel(this)), m_body(new QWidget(this)),
      m_bodyLayout(new QVBoxLayout(m_body))
{
    setObjectName(QStringLiteral("DayBalloon"));
    // Task lists and screen readers name the balloon after the program.
    setWindowTitle(QStringLiteral(u"モルヴァ"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setPalette(QToolTip::palette());
    setAutoFillBackground(true);

    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(iconSize));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setObjectName(QStringLiteral("BalloonTitle"));
    m_bodyLayout->setContentsMargins(0, 0, 0, 0);
    m_bodyLayout->setSpacing(3);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 6, 10, 8);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(5);
    layout->addWidget(m_icon, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(m_title, 0, 1);
    layout->addWidget(m_body, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
}

void DayBalloonPopup::setText(const DayBalloonText& text)
{
    const bool titled = !text.title.isEmpty();
    m_icon->setVisible(titled);
    m_title->setVisible(titled);
    m_title->setText(text.title);

    while (QLayoutItem* item = m_bodyLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    QString body = text.body;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QChar('\r'), QChar('\n'));
    QStringList block;
    const auto flush = [&] {
        auto* label = new QLabel(block.join(QChar('\n')), m_body);
        label->setTextFormat(Qt::PlainText);
        label->setObjectName(QStringLiteral("BalloonBlock"));
        m_bodyLayout->addWidget(label);
        block.clear();
    };
    for (const QString& line : body.split(QChar('\n'))) {
        if (IsSeparatorLine(line)) {
            flush();
            auto* rule = new QFrame(m_body);
            rule->setFrameStyle(QFrame::HLine | QFrame::Plain);
            rule->setObjectName(QStringLiteral("BalloonSeparator"));
            m_bodyLayout->addWidget(rule);
        } else {
            block << line;
        }
    }
    flush();
    adjustSize();
}

QStringList DayBalloonPopup::blocks() const
{
    QStringList texts;
    for (const QLabel* label : m_body->findChildren<QLabel*>(QStringLiteral("BalloonBlock"))) {
        texts << label->text();
    }
    return texts;
}

void DayBalloonPopup::showAt(const QPoint& globalPos)
{
    adjustSize();
    QPoint place = globalPos + QPoint(2, 20);
    if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        if (place.x() + width() > area.right()) {
            place.setX(std::max(area.left(), area.right() - width()));
        }
        if (place.y() + height() > area.bottom()) {
            place.setY(std::max(area.top(), globalPos.y() - height() - 4));
        }
    }
    move(place);
    show();
    raise();
}

} // namespace morvane
