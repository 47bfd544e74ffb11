#include "calendar_window/dialogs/NewAppFrm.h"

#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/InitialScheduleSet.h"
#include "data/records/ScheduleCodes.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/UserMessage.h"
#include "ui_toolkit/CalendarImages.h"
#include "ui_toolkit/MsgBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

namespace morvane {

namespace {

// The entry a row stands for: its index in the offered list.
constexpr int kEntryRole = Qt::UserRole;

} // namespace

NewAppFrm::NewAppFrm(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_context(context)
{
    setObjectName(QStringLiteral("NewAppFrm"));
    setWindowTitle(AppTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    Label1 =
        new QLabel(QStringLiteral("スケジュールファイルを作成します。\n"
                                  "作成したい予定をチェックし、[作成]ボタンを押してください。"),
                   this);
    Label1->setObjectName(QStringLiteral("Label1"));

    Frame1 = new QGroupBox(QStringLiteral("作成する予定"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    ListView1 = new QTreeWidget(Frame1);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setHeaderLabels({QStringLiteral("予定内容"), QStringLiteral("予定日")});
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);

    const ImageList images = CalendarImageList();
    const QColor holidayRed = QColor::fromRgba(QBColor(HolidayColor)->argb());
    const auto entries = InitialScheduleEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const InitialScheduleEntry& entry = entries[i];
        auto* row = new QTreeWidgetItem(ListView1, {entry.text, entry.shownDate});
        row->setData(0, kEntryRole, int(i));
        row->setData(1, kEntryRole, entry.code);
        row->setIcon(0, images.icon(TypeImageKey(entry.kind)));
        if (entry.holiday) {
            row->setForeground(0, holidayRed);
            row->setForeground(1, holidayRed);
        }
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, entry.holiday ? Qt::Checked : Qt::Unchecked);
    }
    ListView1->resizeColumnToContents(0);
    ListView1->setColumnWidth(0, ListView1->columnWidth(0) + 24);
    ListView1->header()->setStretchLastSection(true);
    const int rowHeight = ListView1->sizeHintForRow(0);
    ListView1->setMinimumSize(ListView1->columnWidth(0) + 150, rowHeight * 14);

    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(ListView1);

    Command1[0] = new QPushButton(QStringLiteral("全て選択"), this);
    Command1[1] = new QPushButton(QStringLiteral("全て解除"), this);
    Command2[0] = new QPushButton(QStringLiteral("作成"), this);
    Command2[1] = new QPushButton(QStringLiteral("キャンセル"), this);
    Command1[0]->setObjectName(QStringLiteral("Command1_0"));
    Command1[1]->setObjectName(QStringLiteral("Command1_1"));
    Command2[0]->setObjectName(QStringLiteral("Command2_0"));
    Command2[1]->setObjectName(QStringLiteral("Command2_1"));
    Command2[0]->setDefault(true);
    connect(Command1[0], &QPushButton::clicked, this, [this] { selectAll(true); });
    connect(Command1[1], &QPushButton::clicked, this, [this] { selectAll(false); });
    connect(Command2[0], &QPushButton::clicked, this, [this] {
        createChecked();
        close();
    });
    connect(Command2[1], &QPushButton::clicked, this, &NewAppFrm::cancel);
    // However the window goes, the offer was answered; only a failed
    // "作成" leaves it for the next start. The window may outlive the
    // program's context (closed at the very end): the connection goes with
    // the context's events.
    connect(this, &QDialog::finished, &m_context.events(), [this] {
        ScheduleDatabase* database = m_context.database();
        if (m_createFailed || database == nullptr)
            return;
        try {
            SettleInitialSet(*database);
        } catch (const EngineError&) {
            // The offer comes back at the next start; nothing is lost.
        }
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1[0]);
    buttons->addWidget(Command1[1]);
    buttons->addStretch();
    buttons->addWidget(Command2[0]);
    buttons->addWidget(Command2[1]);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Frame1, 1);
    layout->addLayout(buttons);
}

void NewAppFrm::selectAll(bool ticked)
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        ListView1->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    }
}

int NewAppFrm::createChecked()
{
    const auto entries = InitialScheduleEntries();
    std::vector<InitialScheduleEntry> chosen;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = ListView1->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked) {
            chosen.push_back(entries[std::size_t(row->data(0, kEntryRole).toInt())]);
        }
    }
    int written = 0;
    if (ScheduleDatabase* database = m_context.database()) {
        try {
            written = CreateInitialSchedules(*database, chosen);
        } catch (const EngineError& error) {
            // Nothing was written; the next start offers the set again.
            m_createFailed = true;
            MsgBox(QStringLiteral("予定を作成できませんでした。\n") + error.message(),
                   MsgBoxStyle::Exclamation, AppTitle, this);
        }
    }
    m_context.events().drawCalendarRequested(FirstDayText(m_context.clock().today()));
    return written;
}

void NewAppFrm::cancel()
{
    MsgBox(InitialSetCancelledText(), MsgBoxStyle::Information, InitialSetCancelledTitle, this);
    close();
}

NewAppFrm* ShowNewAppFrm(AppContext& context)
{
    auto* window = new NewAppFrm(context);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace morvane
