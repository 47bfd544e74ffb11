#include "alarms/AlarmMsgFrm.h"

#include "alarms/AlarmActions.h"
#include "alarms/AlarmCaption.h"
#include "alarms/AlarmRules.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "ui_toolkit/CalendarImages.h"
#include "ui_toolkit/DateTimePicker.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/MsgBox.h"
#include "ui_toolkit/Twips.h"
#include "ui_toolkit/WindowStacking.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace morvane {

namespace {

const QColor kPaper(255, 255, 245);

// Places a control on its rectangle in twips; a control that needs more
// room for its text than the rectangle gives keeps its natural size,
// centred on the rectangle's middle line.
void Place(QWidget* control, int left, int top, int width, int height)
{
    const QRect area = TwipsToPixels(QRect(left, top, width, height));
    const QSize natural = control->sizeHint();
    const int w = std::max(area.width(), natural.width());
    const int h = std::max(area.height(), natural.height());
    control->setGeometry(area.left(), area.center().y() - h / 2 + 1, w, h);
}

} // namespace

AlarmMsgFrm::AlarmMsgFrm(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Image1(new QLabel(this)), Label2(new QLabel(this)), Text1(new QPlainTextEdit(this)),
      DTPicker1(new DateTimePicker(QStringLiteral("HH:mm"), this)),
      DTPicker2(new DateTimePicker(QStringLiteral(u"yyyy年M月d日(ddd)"), this)),
      Command1(new QPushButton(QStringLiteral("&OK"), this)), m_context(context)
{
    setObjectName(QStringLiteral("AlarmMsgFrm"));
    setWindowTitle(QStringLiteral(u"モルヴァ - アラーム"));
    setModal(false);
    buildControls();
    Form_Load();
}

AlarmMsgFrm::~AlarmMsgFrm() = default;

void AlarmMsgFrm::buildControls()
{
    setFixedSize(TwipsToPixels(QSize(5250, 3375)));

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(TwipsToPixels(QRect(120, 30, 240, 240)));

    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(TwipsToPixels(QPoint(480, 50)));

    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(TwipsToPixels(QRect(120, 360, 5055, 1575)));
    QPalette paper = Text1->palette();
    paper.setColor(QPalette::Base, kPaper);
    Text1->setPalette(paper);
    Text1->installEventFilter(this);

    const QString captions[3] = {QStringLiteral(u"この予定を削除する"),
                                 QStringLiteral(u"設定した時刻に再アラーム"),
                                 QStringLiteral(u"予定日移動")};
    const QRect places[3] = {QRect(720, 2040, 2175, 180), QRect(720, 2340, 2415, 180),
                             QRect(960, 2640, 1275, 180)};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(captions[i], this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(i));
        const QRect& r = places[i];
        Place(box, r.left(), r.top(), r.width(), r.height());
        box->installEventFilter(this);
        connect(box, &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
        Check1[std::size_t(i)] = box;
    }

    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    Place(DTPicker1, 3480, 2280, 765, 300);
    DTPicker1->setCalendarBackColor(kPaper);
    DTPicker2->setObjectName(QStringLiteral("DTPicker2"));
    Place(DTPicker2, 2320, 2580, 1935, 300);
    DTPicker2->setCalendarBackColor(kPaper);

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(TwipsToPixels(QRect(2040, 3000, 1095, 300)));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &AlarmMsgFrm::Command1_Click);
}

// A fresh window: no box checked, only the delete box offered.
void AlarmMsgFrm::Form_Load()
{
    for (QCheckBox* box : Check1) {
        const QSignalBlocker quiet(box);
        box->setChecked(false);
    }
    Check1[1]->hide();
    Check1[2]->hide();
    DTPicker1->hide();
    DTPicker2->hide();
    Command1->setDefault(true);
}

bool AlarmMsgFrm::SetAlarmMsg(Showing how)
{
    AppEvents& events = m_context.events();
    emit events.alarmFlashRequested(false);

    AlarmState& alarms = m_context.alarms;
    ScheduleDatabase* database = m_context.database();
    if (!database || alarms.AlarmIndex < 0 || alarms.AlarmIndex > alarms.AlarmListMax())
        return false;
    const AlarmEntry entry = alarms.AlarmList[std::size_t(alarms.AlarmIndex)];
    Recordset& schedules = database->schedules();
    if (!entry.live() || schedules.RecordIdAt(entry.position) != entry.recordId) {
        // Not the record the alarm was raised for: look again instead.
        if (entry.live())
            alarms.AlarmList.erase(alarms.AlarmList.begin() + alarms.AlarmIndex);
        emit events.alarmScanRequested();
        return false;
    }
    schedules.SetAbsolutePosition(entry.position);
    const AlarmRecord record = ReadAlarmRecord(schedules);

    // Another schedule than the one on show gets a window of its own; the
    // same one (the tray clicked again) keeps what the user chose.
    if (!isVisible() || entry.recordId != m_recordId)
        Form_Load();
    m_recordId = entry.recordId;

    Label2->setText(AlarmCaptionLine(record.pattern, record.alarm));
    Label2->adjustSize();
    const int kind = record.pattern.type.value_or(-1);
    Image1->setPixmap(CalendarImageList().pixmap(TypeImageIndex(kind), 16, devicePixelRatioF()));
    Text1->setPlainText(schedules.GetValue(schedule_fields::Message).toString());

    const QTime now = m_context.clock().now().time();
    DTPicker1->setTime(DefaultRealarmTime(record.alarm, now));
    if (record.pattern.day)
        Check1[1]->show();
    if (IsDatedOneOff(record.pattern))
        Check1[2]->show();

    const bool opened = how == Showing::Opened;
    setAttribute(Qt::WA_ShowWithoutActivating, !opened);
    SetTopMost(this);
    show();
    raise();
    Command1->setFocus();
    if (opened) {
        activateWindow();
        // The user has the alarm in front of them now, so later alarms may
        // beep and play again (the activation itself may come later).
        Form_Activate();
    }
    return true;
}

void AlarmMsgFrm::Check1_Click(int index)
{
    BusyPointer busy(this, MousePointer::ArrowHourglass);
    QCheckBox* box = Check1[std::size_t(index)];
    const QDateTime now = m_context.clock().now();
    switch (index) {
    case 0:
        if (box->isChecked()) {
            Check1[1]->setChecked(false);
            Check1[2]->setChecked(false);
        }
        break;
    case 1:
        if (box->isChecked()) {
            ScheduleDatabase* database = m_context.database();
            if (database) {
                Recordset& schedules = database->schedules();
                const int position = schedules.PositionOfRecordId(m_recordId);
                if (position >= 0) {
                    schedules.SetAbsolutePosition(position);
                    if (RingAgainSuggestsMove(ReadSchedulePattern(schedules), now.date()))
                        Check1[2]->setChecked(true);
                }
            }
            Check1[0]->setChecked(false);
            DTPicker1->show();
            DTPicker1->setTime(RingAgainTime(now.time()));
        } else {
            DTPicker1->hide();
        }
        break;
    case 2:
        if (box->isChecked()) {
            Check1[1]->setChecked(true);
            DTPicker2->show();
            ScheduleDatabase* database = m_context.database();
            const int position =
                database ? database->schedules().PositionOfRecordId(m_recordId) : -1;
            if (position >= 0) {
                Recordset& schedules = database->schedules();
                schedules.SetAbsolutePosition(position);
                const AlarmRecord record = ReadAlarmRecord(schedules);
                DTPicker2->setDate(DefaultMoveDate(record.pattern, now.date()));
                DTPicker1->setTime(MoveAlarmTime(record.alarm));
            }
        } else {
            DTPicker2->hide();
        }
        break;
    default:
        break;
    }
}

void AlarmMsgFrm::Command1_Click()
{
    Command1->setFocus(); // an edit in a picker is committed first
    AlarmOkInput input;
    input.deleteSchedule = Check1[0]->isChecked();
    input.ringAgain = Check1[1]->isChecked();
    input.ringAgainTime = QTime(DTPicker1->hour(), DTPicker1->minute());
    input.moveDate = Check1[2]->isChecked();
    input.moveTo = DTPicker2->shownDateTime().date();
    input.text = Text1->toPlainText();
    input.caption = Label2->text();

    const auto confirm = [this] {
        return MsgBox(RecurringAlarmQuestion(), MsgBoxStyle::YesNo + MsgBoxStyle::Exclamation,
                      AlarmQuestionTitle, this) == MsgBoxResult::Yes;
    };
    const AlarmOkResult result = AlarmOk(m_context, m_recordId, input, confirm);
    if (!result.message.text.isEmpty()) {
        MsgBox(result.message.text, int(result.message.icon), result.message.title, this);
    }
    switch (result.outcome) {
    case AlarmOkOutcome::Done:
    case AlarmOkOutcome::RecordGone:
        unload();
        break;
    case AlarmOkOutcome::TextTooLong:
        Text1->selectAll();
        Text1->setFocus();
        break;
    case AlarmOkOutcome::Declined:
    case AlarmOkOutcome::Failed:
        break;
    }
}

void AlarmMsgFrm::Form_Activate()
{
    m_context.alarms.AlarmBeeped = false;
    m_context.alarms.AlarmSounded = false;
}

void AlarmMsgFrm::Form_Unload()
{
    AppEvents& events = m_context.events();
    emit events.alarmFlashRequested(false);
    emit events.trayIconRefreshRequested();
}

void AlarmMsgFrm::unload()
{
    hide();
    Form_Load();
    Form_Unload();
    // A window raised without the keys may be answered without ever being
    // activated; the user has dealt with it all the same.
    Form_Activate();
}

bool AlarmMsgFrm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

bool AlarmMsgFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // Enter makes a new line in the text and presses OK elsewhere.
        if (watched == Text1)
            Command1->setDefault(false);
        else if (std::find(Check1.begin(), Check1.end(), watched) != Check1.end())
            Command1->setDefault(true);
    }
    return QDialog::eventFilter(watched, event);
}

void AlarmMsgFrm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // OK is also the cancel button.
        Command1->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The close box acts on nothing: the alarm stays unacknowledged and is
// raised again at the next tick.
void AlarmMsgFrm::closeEvent(QCloseEvent* event)
{
    event->accept();
    unload();
}

} // namespace morvane
