#include "search/FindFrm.h"

#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleBounds.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "search/ResultOpening.h"
#include "search/ScheduleSearch.h"
#include "search/SearchCriteria.h"
#include "ui_toolkit/CalendarImages.h"
#include "ui_toolkit/DateTimePicker.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/MsgBox.h"
#include "ui_toolkit/Twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>

namespace morvane {

namespace {

// The layout was drawn for a compact 9-point bitmap font; the scalable
// Japanese fonts of today need about a fifth more room at the same size.
constexpr double kLayoutScale = 1.2;

// Client area as drawn: the window is 2000 twips high with only the
// criteria and 6000 with the results, of which the title bar and borders
// take about 405.
constexpr int kClientWidthTwips = 6855;
constexpr int kCriteriaHeightTwips = 2000 - 405;
constexpr int kResultsHeightTwips = 6000 - 405;

// Grey of the result list, so the coloured texts read on it.
const QColor kListBackground(240, 240, 240);

int ScaledX(double twips)
{
    return TwipsToPixelsX(twips * kLayoutScale);
}

int ScaledY(double twips)
{
    return TwipsToPixelsY(twips * kLayoutScale);
}

QRect Scaled(int left, int top, int width, int height)
{
    return QRect(ScaledX(left), ScaledY(top), ScaledX(width), ScaledY(height));
}

// Twips as drawn of a size in pixels.
int DrawnTwipsX(int pixels)
{
    return int(PixelsToTwipsX(pixels) / kLayoutScale);
}

int DrawnTwipsY(int pixels)
{
    return int(PixelsToTwipsY(pixels) / kLayoutScale);
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    // The caption's own line height where it exceeds the drawn one, around
    // the same middle.
    const int height = std::max(geometry.height(), label->fontMetrics().height());
    geometry.adjust(0, -(height - geometry.height()) / 2, 0, 0);
    geometry.setHeight(height);
    label->setGeometry(geometry);
    return label;
}

} // namespace

FindFrm::FindFrm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("FindFrm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(SearchTitle);
    setModal(false);
    setSizeGripEnabled(true);
    QFont small = font();
    small.setPointSize(9);
    setFont(small);

    buildCriteria();
    buildResults();
    Form_Load();
}

FindFrm::~FindFrm()
{
    m_context.search.visible = false;
    m_context.search.selectedScheduleText.clear();
}

void FindFrm::buildCriteria()
{
    Label2 = NewLabel(this, "Label2", QStringLiteral("予定内容："), Scaled(120, 150, 810, 180));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(Scaled(1200, 90, 3975, 270));

    Label1 = NewLabel(this, "Label1", QStringLiteral("対象範囲："), Scaled(120, 550, 810, 180));
    for (int i = 0; i < 2; ++i) {
        auto* picker = new DateTimePicker(QStringLiteral("yyyy/MM/dd"), this);
        picker->setObjectName(QStringLiteral("DTPicker1_%1").arg(i));
        picker->setShowCheckBox(true);
        DTPicker1[std::size_t(i)] = picker;
    }
    DTPicker1[0]->setGeometry(Scaled(1200, 465, 1815, 300));
    DTPicker1[0]->setDateRange(QDate(1950, 1, 1), QDate(2050, 12, 31));
    Label3 = NewLabel(this, "Label3", QStringLiteral("～"), Scaled(3120, 540, 180, 180));
    DTPicker1[1]->setGeometry(Scaled(3360, 465, 1815, 300));
    DTPicker1[1]->setDateRange(QDate(1950, 1, 1), QDate(2050, 12, 28));

    Label4 = NewLabel(this, "Label4", QStringLiteral("予定種別："), Scaled(120, 885, 810, 180));
    ImageCombo1 = new QComboBox(this);
    ImageCombo1->setObjectName(QStringLiteral("ImageCombo1"));
    ImageCombo1->setGeometry(Scaled(1200, 825, 1695, 315));
    ImageCombo1->setIconSize(QSize(16, 16));

    const std::array<QString, 2> captions{QStringLiteral("検索開始"), QStringLiteral("キャンセル")};
    const std::array<int, 2> tops{120, 600};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(captions[std::size_t(i)], this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setGeometry(Scaled(5280, tops[std::size_t(i)], 1335, 300));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1[std::size_t(i)] = button;
    }
    // Enter anywhere in the window searches.
    Command1[0]->setDefault(true);
}

void FindFrm::buildResults()
{
    Frame1 = new QGroupBox(QStringLiteral("検索結果"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Scaled(120, 1440, 6615, 3615));

    ListView1 = new QTreeWidget(Frame1);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(Scaled(120, 240, 6255, 3255));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->header()->setStretchLastSection(false);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { ListView1_DblClick(); });
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, &FindFrm::updateSearchLink);

    setTabOrder(Text1, DTPicker1[0]);
    setTabOrder(DTPicker1[0], DTPicker1[1]);
    setTabOrder(DTPicker1[1], ImageCombo1);
    setTabOrder(ImageCombo1, Command1[0]);
    setTabOrder(Command1[0], Command1[1]);
    setTabOrder(Command1[1], ListView1);
}

void FindFrm::Form_Load()
{
    const ImageList images = CalendarImageList();
    for (const SearchKind& kind : SearchKinds())
        ImageCombo1->addItem(images.icon(kind.icon), kind.text);
    ImageCombo1->setCurrentIndex(0);

    // Both ends start cleared, showing this month's first day and today.
    const QDate today = m_context.clock().today();
    DTPicker1[0]->setDate(QDate(today.year(), today.month(), 1));
    DTPicker1[0]->setChecked(false);
    DTPicker1[1]->setDate(today);
    DTPicker1[1]->setChecked(false);

    ListView1->clear();
    ListView1->setColumnCount(2);
    ListView1->setHeaderLabels({QStringLiteral("予定日"), QStringLiteral("予定内容")});
    ListView1->setColumnWidth(0, ScaledX(2000));
    // The second column as drawn, or what the list has room for: a few
    // pixels more would only bring a horizontal scroll bar.
    ListView1->setColumnWidth(
        1, std::min(ScaledX(4300), ListView1->width() - ListView1->columnWidth(0) -
                                       ListView1->verticalScrollBar()->sizeHint().width() -
                                       2 * ListView1->frameWidth()));
    QPalette palette = ListView1->palette();
    palette.setColor(QPalette::Base, kListBackground);
    ListView1->setPalette(palette);
    Frame1->hide();
    ListView1->hide();

    setMinimumSize(ScaledX(kClientWidthTwips), ScaledY(kCriteriaHeightTwips));
    resize(ScaledX(kClientWidthTwips), ScaledY(kCriteriaHeightTwips));
    placeWindow();
}

void FindFrm::placeWindow()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame is not known before the window manager has it: the drawn
    // title bar and borders stand in until then.
    QSize outer = frameGeometry().size();
    if (outer == size())
        outer = size() + QSize(ScaledX(120), ScaledY(405));
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - outer.width()) / 2,
         area.top() + (area.height() - outer.height()) / 3);
}

void FindFrm::setClientHeightTwips(int twips)
{
    resize(width(), ScaledY(twips));
}

void FindFrm::Form_Resize()
{
    const int w = DrawnTwipsX(width());
    const int h = DrawnTwipsY(height());
    if (w > 7000) {
        for (QPushButton* button : Command1)
            button->move(ScaledX(w - 1600), button->y());
        Text1->resize(ScaledX(w - 1200 - 1800), Text1->height());
        Frame1->resize(ScaledX(w - 120 - 200), Frame1->height());
        ListView1->resize(ScaledX(w - 120 - 500), ListView1->height());
        ListView1->setColumnWidth(1, ListView1->width() - ListView1->columnWidth(0) - ScaledX(50));
    }
    if (h > 2500) {
        Frame1->resize(Frame1->width(), ScaledY(h - 1440 - 500));
        ListView1->resize(ListView1->width(), ScaledY(h - 240 - 2100));
    }
}

void FindFrm::Command1_Click(int index)
{
    if (index == 0)
        search();
    else
        close();
}

void FindFrm::reject()
{
    close();
}

Recordset* FindFrm::schedules() const
{
    ScheduleDatabase* database = m_context.database();
    return database ? &database->schedules() : nullptr;
}

void FindFrm::search()
{
    BusyPointer busy;
    QWidget* focused = focusWidget();
    ListView1->clear();
    m_rows.clear();
    updateSearchLink();
    Command1[0]->setEnabled(false);
    const auto done = [this, focused] {
        Command1[0]->setEnabled(true);
        if (focused && focused != Command1[0] && isActiveWindow())
            focused->setFocus();
    };

    const SearchRequest request{Text1->text(), DTPicker1[0]->date(), DTPicker1[1]->date(),
                                ImageCombo1->currentIndex()};
    if (!RangeInOrder(request)) {
        busy.release();
        MsgBox(RangeOrderMessage(), MsgBoxStyle::Exclamation, SearchTitle, this);
        Command1[0]->setEnabled(true);
        DTPicker1[0]->setFocus();
        return;
    }
    Recordset* rs = schedules();
    if (!rs) {
        done();
        return;
    }

    SearchOutcome outcome;
    try {
        outcome = RunScheduleSearch(*rs, request);
    } catch (const EngineError& error) {
        busy.release();
        MsgBox(QStringLiteral("予定を検索できませんでした。\n") + error.message(),
               MsgBoxStyle::Exclamation, SearchTitle, this);
        done();
        return;
    }
    m_rows = std::move(outcome.rows);
    showRows();

    if (outcome.removedBroken > 0) {
        // Positions after the removed records moved: the lists that keep
        // positions are rebuilt.
        AppEvents& events = m_context.events();
        emit events.alarmScanRequested();
        emit events.drawCalendarRequested(m_context.DisplayMonth);
        emit events.viewerRefreshRequested();
    }

    setWindowTitle(SearchResultCaption(outcome.count));
    if (outcome.count > 0 && Frame1->isHidden()) {
        Frame1->show();
        ListView1->show();
        setClientHeightTwips(kResultsHeightTwips);
    }
    done();
}

namespace {

// The texts, key, icon and colour of a result row on its list item.
void FillItem(QTreeWidgetItem& item, const SearchRow& row)
{
    static const ImageList images = CalendarImageList();
    item.setText(0, row.ruleText);
    item.setText(1, row.message);
    item.setData(0, Qt::UserRole, row.key);
    item.setIcon(0, row.icon > 0 ? images.icon(row.icon) : QIcon());
    if (row.messageColor)
        item.setForeground(1, QColor::fromRgb(*row.messageColor));
    else
        item.setData(1, Qt::ForegroundRole, QVariant());
}

} // namespace

void FindFrm::showRows()
{
    // The items are filled before they join the list and join it at once:
    // one by one, each would be announced to the view as it was added and
    // again for every value set on it.
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(m_rows.size()));
    for (const SearchRow& row : m_rows) {
        auto* item = new QTreeWidgetItem;
        FillItem(*item, row);
        items.append(item);
    }
    ListView1->addTopLevelItems(items);
    if (ListView1->topLevelItemCount() > 0)
        ListView1->setCurrentItem(ListView1->topLevelItem(0));
    updateSearchLink();
}

void FindFrm::showRow(int index)
{
    if (QTreeWidgetItem* item = ListView1->topLevelItem(index))
        FillItem(*item, m_rows[std::size_t(index)]);
}

void FindFrm::ListView1_DblClick()
{
    QTreeWidgetItem* item = ListView1->currentItem();
    if (ListView1->topLevelItemCount() == 0 || !item || !item->isSelected())
        return;
    const int index = ListView1->indexOfTopLevelItem(item);
    Recordset* rs = schedules();
    if (index < 0 || index >= int(m_rows.size()) || !rs)
        return;
    SearchRow& row = m_rows[std::size_t(index)];
    row.position = PositionOfSearchRowKey(row.key).value_or(-1);

    const std::optional<int> position = CurrentPositionOfRow(*rs, row);
    if (!position) {
        MsgBox(StaleResultMessage(), MsgBoxStyle::Exclamation, SearchTitle, this);
        return;
    }
    rs->SetAbsolutePosition(*position);
    const SchedulePattern record = ReadSchedulePattern(*rs);
    if (*position != row.position) {
        // The record moved since the search: the row follows it.
        row.position = *position;
        row.key = SearchRowKey(*position, index + 1);
    }
    // The editor picks its row by this text: the record's text of now.
    row.message = rs->GetValue(schedule_fields::Message).toString();
    showRow(index);
    updateSearchLink();

    emit m_context.events().editorRequested(
        ResultOpenDate(record, m_context.clock().today(), ReadScheduleBounds(*rs)), false);
}

void FindFrm::updateSearchLink()
{
    SearchLink& link = m_context.search;
    link.visible = isVisible();
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    link.selectedScheduleText = selected.isEmpty() ? QString() : selected.first()->text(1);
}

// The dialog's own close handling would go through reject(), which closes.
void FindFrm::closeEvent(QCloseEvent* event)
{
    event->accept();
}

void FindFrm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void FindFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    updateSearchLink();
}

void FindFrm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    m_context.search.visible = false;
}

} // namespace morvane
