#include "calendar_window/dialogs/AboutFrm.h"

#include "calendar_window/dialogs/LinkLabel.h"
#include "calendar_window/dialogs/ShadowedTitle.h"
#include "calendar_window/dialogs/VersionText.h"
#include "calendar_window/tray/TrayIconArt.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/MemoBook.h"
#include "data/records/ScheduleDatabase.h"
#include "ui_toolkit/EventPump.h"
#include "ui_toolkit/ShellOpen.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace morvane {

namespace {

// The program icon, in points.
constexpr int kIconSize = 48;

// The colour of the copies under the white titles.
const QColor kTitleCopyColor(24, 52, 110);

// The band behind the titles, so that white text has something to stand on.
class TitleBand : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(rect().topLeft(), rect().bottomLeft());
        gradient.setColorAt(0, QColor(92, 140, 204));
        gradient.setColorAt(1, QColor(58, 104, 170));
        painter.fillRect(rect(), gradient);
    }
};

} // namespace

QString ScheduleCountText(int count)
{
    return "予定件数 ：  " + QString::number(count) + "件";
}

QString MemoCountText(int count)
{
    return "メモ件数 ：  " + QString::number(count) + "件";
}

QPixmap AboutFrm::ProgramIcon(qreal ratio)
{
    // Drawn for the screen's pixels, at least twice on a fractional ratio,
    // like the calendar's icons: a scaled bitmap would be soft.
    const qreal scale = ratio <= 1.0 ? 1.0 : std::ceil(ratio);
    QImage image = CalendarPageImage(false, static_cast<int>(std::lround(kIconSize * scale)));
    image.setDevicePixelRatio(scale);
    return QPixmap::fromImage(image);
}

QString AboutFrm::WebAddress()
{
    return QStringLiteral("https://quillstone.example/morvane/");
}

AboutFrm::AboutFrm(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_context(context)
{
    setObjectName(QStringLiteral("AboutFrm"));
    setWindowTitle(QStringLiteral("モルヴァのバージョン情報"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* band = new TitleBand(this);
    Label1 = new ShadowedTitle(QStringLiteral("Morvane"), kTitleCopyColor, 30, band);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont nameFont = Label1->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 2.2);
    nameFont.setBold(true);
    nameFont.setItalic(true);
    Label1->setFont(nameFont);
    Label2 = new ShadowedTitle(RunningVersionText(), kTitleCopyColor, 15, band);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont versionFont = Label2->font();
    versionFont.setPointSizeF(versionFont.pointSizeF() * 1.2);
    versionFont.setBold(true);
    Label2->setFont(versionFont);

    Image1 = new QLabel(band);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ProgramIcon(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0));

    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(Label1);
    titles->addWidget(Label2);
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(16, 12, 24, 12);
    bandLayout->setSpacing(14);
    bandLayout->addWidget(Image1, 0, Qt::AlignVCenter);
    bandLayout->addLayout(titles);
    bandLayout->addStretch();

    int schedules = 0;
    int memos = 0;
    if (ScheduleDatabase* database = context.database()) {
        try {
            schedules = database->schedules().RecordCount();
            memos = MemoBook(database->memos()).Count();
        } catch (const EngineError&) {
            // Counts are a courtesy here; a closed file shows zeros.
        }
    }
    Label6 = new QLabel(ScheduleCountText(schedules), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label7 = new QLabel(MemoCountText(memos), this);
    Label7->setObjectName(QStringLiteral("Label7"));

    auto* notice =
        new QLabel(QStringLiteral("デスクトップに常駐する月間カレンダーとスケジュール帳です。\n"
                                  "最新版とご意見の窓口は下記のホームページへどうぞ。"),
                   this);
    notice->setObjectName(QStringLiteral("Notice"));
    Label4 = new LinkLabel(WebAddress(), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    connect(Label4, &LinkLabel::clicked, this, &AboutFrm::openWebAddress);

    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &AboutFrm::accept);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(20, 12, 20, 12);
    body->setSpacing(4);
    body->addWidget(Label6);
    body->addWidget(Label7);
    body->addSpacing(10);
    body->addWidget(notice);
    body->addWidget(Label4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    body->addSpacing(8);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutFrm::openWebAddress()
{
    hide();
    DoEvents();
    ShellOpen(Label4->address());
    done(Accepted);
}

void AboutFrm::done(int result)
{
    QDialog::done(result);
    if (!m_closed) {
        m_closed = true;
        m_context.events().sendToBottomRequested();
        deleteLater();
    }
}

} // namespace morvane
