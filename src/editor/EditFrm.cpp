#include "editor/EditFrm.h"

#include "calendar_window/dialogs/AboutFrm.h"
#include "calendar_window/dialogs/HelpWindow.h"
#include "context/AppContext.h"
#include "data/records/ScheduleCodes.h"
#include "ui_toolkit/CalendarImages.h"
#include "ui_toolkit/DateTimePicker.h"
#include "ui_toolkit/MsgBox.h"
#include "ui_toolkit/Twips.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <tuple>
#include <utility>

namespace morvane {

namespace {

// The light cream of the list, the text box and the input fields.
const QColor kFieldBackground(255, 255, 245);

// Twips of the toolbar above the body: body controls are placed by their
// position in the window's client area less this.
constexpr int kToolbarTwips = 360;
constexpr int kControlHeightTwips = 300;
// The layout was drawn for a compact 9-point bitmap font; the scalable
// Japanese fonts of today need about a fifth more room at the same size.
constexpr double kLayoutScale = 1.2;
// What the window opens wider than its drawn layout, all of it given to
// the list.
constexpr int kListExtraTwips = 1800;
// The rows of the first and last day below the drawn panel, added to the
// panel, the list beside it and the window.
constexpr int kBoundRowsTwips = 720;
// Room beside a cell's text for the item's margins.
constexpr int kCellMargin = 16;

QRect Scaled(int left, int top, int width, int height)
{
    return TwipsToPixels(QRect(int(left * kLayoutScale), int(top * kLayoutScale),
                               int(width * kLayoutScale), int(height * kLayoutScale)));
}

QRect BodyRect(int left, int top, int width, int height)
{
    return Scaled(left, top - kToolbarTwips, width, height);
}

QRect PanelRect(int left, int top, int width, int height = kControlHeightTwips)
{
    return Scaled(left, top, width, height);
}

void Cream(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, kFieldBackground);
    widget->setPalette(palette);
}

QComboBox* NewCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    Cream(combo);
    return combo;
}

QCheckBox* NewCheck(QWidget* parent, const char* name, const QString& caption)
{
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(QLatin1String(name));
    return check;
}

DateTimePicker* NewTimePicker(QWidget* parent, const QString& name)
{
    auto* picker = new DateTimePicker(QStringLiteral("HH:mm"), parent);
    picker->setObjectName(name);
    picker->setCalendarBackColor(kFieldBackground);
    Cream(picker->editor());
    return picker;
}

} // namespace

EditFrm::EditFrm(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_editor(context)
{
    setObjectName(QStringLiteral("EditFrm"));
    setWindowTitle(EditorTitle);
    QFont small = font();
    small.setPointSize(9);
    setFont(small);

    m_editor.setAsk([this](const QString& text, int style, const QString& title) {
        return MsgBox(text, style, title, this);
    });
    m_editor.setTextRefusedHandler([this] { selectWholeText(); });

    buildMenus();
    buildToolbar();
    buildBody();
    buildPanel();
    buildStatusBar();
    connectControls();
    connectPanel();

    m_dateDelay.setSingleShot(true);
    m_dateDelay.setInterval(1000);
    connect(&m_dateDelay, &QTimer::timeout, this, &EditFrm::dateDelayElapsed);
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &EditFrm::updateClock);

    // The drawn layout is the smallest size; the window opens wider, so
    // that the list shows usual texts whole, and can be made larger still.
    const QSize client = Scaled(0, 0, 6480, 4500 + kBoundRowsTwips - kToolbarTwips).size();
    centralWidget()->setMinimumSize(client);
    centralWidget()->installEventFilter(this);
    adjustSize();
    resize(size() + QSize(TwipsToPixelsX(kListExtraTwips * kLayoutScale), 0));
    placeBody();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    m_editor.SetEditFrm(context.clock().today(), false);
    refresh();
}

EditFrm::~EditFrm()
{
    delete m_about;
    delete m_help;
}

void EditFrm::buildMenus()
{
    const auto item = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    MNU_F = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    MNU_F->setObjectName(QStringLiteral("MNU_F"));
    MNU_F_N_Action = item(MNU_F, "MNU_F_N", QStringLiteral("新規作成(&N)"));
    MNU_F_S_Action = item(MNU_F, "MNU_F_S", QStringLiteral("保存(&S)"));
    MNU_F_A_Action = item(MNU_F, "MNU_F_A", QStringLiteral("保存して閉じる(&A)"));
    MNU_F_C_Action = item(MNU_F, "MNU_F_C", QStringLiteral("閉じる(&C)"));
    MNU_E = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    MNU_E->setObjectName(QStringLiteral("MNU_E"));
    MNU_E_D_Action = item(MNU_E, "MNU_E_D", QStringLiteral("削除(&D)"));
    MNU_H = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    MNU_H->setObjectName(QStringLiteral("MNU_H"));
    MNU_H_C_Action = item(MNU_H, "MNU_H_C", QStringLiteral("目次(C)..."));
    MNU_H_A_Action = item(MNU_H, "MNU_H_A", QStringLiteral("バージョン情報(&A)..."));
}

void EditFrm::buildToolbar()
{
    Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setContextMenuPolicy(Qt::PreventContextMenu);
    const auto button = [this](QStyle::StandardPixmap icon, const QString& tip) {
        QAction* action = Toolbar1->addAction(style()->standardIcon(icon), tip);
        action->setToolTip(tip);
        return action;
    };
    ToolNew = button(QStyle::SP_FileIcon, QStringLiteral("新規予定作成"));
    ToolSaveClose = button(QStyle::SP_DialogSaveButton, QStringLiteral("保存して閉じる"));
    ToolDelete = button(QStyle::SP_TrashIcon, QStringLiteral("予定の削除"));
}

void EditFrm::buildBody()
{
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("Body"));
    setCentralWidget(body);

    DTPicker1 = new DateTimePicker(QStringLiteral("yyyy年M月d日(ddd)"), body);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setDateRange(QDate(1951, 1, 1), QDate(2050, 12, 31));
    DTPicker1->setCalendarBackColor(kFieldBackground);
    DTPicker1->setGeometry(BodyRect(120, 480, 1935, kControlHeightTwips));

    Label2 = new QLabel(body);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(BodyRect(2160, 500, 1080, kControlHeightTwips));

    ListView1 = new QTreeWidget(body);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setColumnCount(2);
    ListView1->setHeaderLabels({QStringLiteral("内容"), QStringLiteral("予定日")});
    ListView1->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->header()->setStretchLastSection(false);
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Cream(ListView1);
    ListView1->viewport()->installEventFilter(this);

    Picture1 = new QFrame(body);
    Picture1->setObjectName(QStringLiteral("Picture1"));

    MirrorLabel = new QLabel(MirrorNote, body);
    MirrorLabel->setObjectName(QStringLiteral("MirrorLabel"));
    MirrorLabel->setWordWrap(true);
    MirrorLabel->setAlignment(Qt::AlignCenter);
    MirrorLabel->setFrameShape(QFrame::StyledPanel);
    MirrorLabel->setAutoFillBackground(true);
    MirrorLabel->setMargin(8);
    MirrorLabel->hide();

    Text1 = new QPlainTextEdit(body);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setTabChangesFocus(true);
    Cream(Text1);

    // The cancel button sits outside the window: Escape presses it.
    Command1 = new QPushButton(QStringLiteral("cancel"), body);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFocusPolicy(Qt::NoFocus);
    Command1->move(-Command1->sizeHint().width(), 0);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, Command1, &QPushButton::click);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
}

void EditFrm::buildPanel()
{
    QWidget* p = Picture1;
    Label1 = new QLabel(QStringLiteral("予定種別"), p);
    Label1->setGeometry(PanelRect(120, 40, 840));

    ImageCombo1 = NewCombo(p, "ImageCombo1");
    ImageCombo1->setGeometry(PanelRect(960, 0, 2055));
    const ImageList images = CalendarImageList();
    for (const EditorKind& kind : EditorKinds())
        ImageCombo1->addItem(images.icon(kind.icon), kind.name);

    Combo1 = NewCombo(p, "Combo1");
    Combo1->setGeometry(PanelRect(120, 420, 855));
    Combo2 = NewCombo(p, "Combo2");
    Combo2->setGeometry(PanelRect(960, 420, 735));
    Combo3 = NewCombo(p, "Combo3");
    Combo3->setGeometry(PanelRect(1680, 420, 1335));

    DTPicker3 = new DateTimePicker(QStringLiteral("yyyy年"), p);
    DTPicker3->setObjectName(QStringLiteral("DTPicker3"));
    DTPicker3->setDateRange(QDate(1800, 1, 1), QDate(2100, 12, 31));
    Cream(DTPicker3->editor());
    DTPicker3->setGeometry(PanelRect(120, 760, 855));

    Check1 = NewCheck(p, "Check1", QStringLiteral("時間帯"));
    Check1->setGeometry(PanelRect(120, 1100, 1200));
    DTPicker2[0] = NewTimePicker(p, QStringLiteral("DTPicker2_0"));
    DTPicker2[0]->setGeometry(PanelRect(1320, 1100, 735));
    Label3 = new QLabel(QStringLiteral("～"), p);
    Label3->setGeometry(PanelRect(2100, 1100, 180));
    DTPicker2[1] = NewTimePicker(p, QStringLiteral("DTPicker2_1"));
    DTPicker2[1]->setGeometry(PanelRect(2280, 1100, 735));

    Check2 = NewCheck(p, "Check2", QStringLiteral("アラーム"));
    Check2->setGeometry(PanelRect(120, 1460, 1500));
    DTPicker2[2] = NewTimePicker(p, QStringLiteral("DTPicker2_2"));
    DTPicker2[2]->setGeometry(PanelRect(1680, 1460, 735));

    Check3 = NewCheck(p, "Check3", QStringLiteral("カラー"));
    Check3->setGeometry(PanelRect(120, 1820, 1560));
    ImageCombo2 = NewCombo(p, "ImageCombo2");
    ImageCombo2->setGeometry(PanelRect(1680, 1820, 855));
    for (const EditorColor& color : EditorColors()) {
        const QColor swatch = QColor::fromRgba(QBColor(color.code).value_or(PaletteColor{}).argb());
        ImageCombo2->addItem(ColorSwatchIcon(swatch), color.name);
    }

    Check4 = NewCheck(p, "Check4", QStringLiteral("マークを使用"));
    Check4->setGeometry(PanelRect(120, 2180, 1560));
    Combo5 = NewCombo(p, "Combo5");
    Combo5->setGeometry(PanelRect(1680, 2180, 615));
    const bool filled = !m_context.MarkSymbols[1].isEmpty();
    const MarkSymbolTable symbols = filled ? m_context.MarkSymbols : StandardMarkSymbols();
    for (std::size_t i = 1; i < symbols.size(); ++i)
        Combo5->addItem(symbols[i]);

    Label4 = new QLabel(QStringLiteral("誕生日の人"), p);
    Label4->setGeometry(PanelRect(120, 2560, 1200));
    Combo4 = NewCombo(p, "Combo4");
    Combo4->setEditable(true);
    Combo4->setInsertPolicy(QComboBox::NoInsert);
    Combo4->setGeometry(PanelRect(1320, 2540, 1695));

    const auto boundRow = [&](const char* name, const QString& caption, int top) {
        auto* label = new QLabel(caption, p);
        label->setGeometry(PanelRect(120, top + 40, 840));
        auto* picker = new DateTimePicker(QStringLiteral("yyyy年M月d日(ddd)"), p);
        picker->setObjectName(QLatin1String(name));
        picker->setShowCheckBox(true);
        picker->setDateRange(QDate(1951, 1, 1), QDate(2050, 12, 31));
        picker->setCalendarBackColor(kFieldBackground);
        Cream(picker->editor());
        picker->setGeometry(PanelRect(960, top, 2055));
        label->setBuddy(picker->editor());
        return std::pair{label, picker};
    };
    std::tie(Label5, DTPicker4) = boundRow("DTPicker4", QStringLiteral("開始日"), 2900);
    std::tie(Label6, DTPicker5) = boundRow("DTPicker5", QStringLiteral("終了日"), 3260);
}

void EditFrm::buildStatusBar()
{
    const std::array<const char16_t*, 5> tips{u"今日", u"現在時刻", u"予定件数", u"", u""};
    const std::array<int, 5> stretch{0, 0, 0, 1, 1};
    for (std::size_t i = 0; i < StatusPanels.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setToolTip(QString::fromUtf16(tips[i]));
        panel->setMinimumWidth(TwipsToPixelsX(i < 3 ? 900 : 1200));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(panel, stretch[i]);
        StatusPanels[i] = panel;
    }
    statusBar()->setSizeGripEnabled(true);
}

void EditFrm::placeBody()
{
    // What the window has beyond its drawn layout goes to the list (both
    // ways) and to the text box (its width); the panel keeps its size
    // beside the list.
    const QSize drawn = centralWidget()->minimumSize();
    const QSize extra = (centralWidget()->size() - drawn).expandedTo(QSize(0, 0));
    ListView1->setGeometry(BodyRect(120, 840, 3135, 2415 + kBoundRowsTwips)
                               .adjusted(0, 0, extra.width(), extra.height()));
    Picture1->setGeometry(
        BodyRect(3240, 360, 3135, 2895 + kBoundRowsTwips).translated(extra.width(), 0));
    MirrorLabel->setGeometry(Picture1->geometry());
    Text1->setGeometry(BodyRect(120, 3360 + kBoundRowsTwips, 6255, 1095)
                           .translated(0, extra.height())
                           .adjusted(0, 0, extra.width(), 0));
    resizeListColumns();
}

void EditFrm::resizeListColumns()
{
    // "予定日" as wide as its longest rule text, "内容" all the rest, so the
    // schedule texts get every pixel the list can give.
    const QFontMetrics metrics(ListView1->font());
    int dates = metrics.horizontalAdvance(ListView1->headerItem()->text(1)) + kCellMargin;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        dates = std::max(dates, metrics.horizontalAdvance(ListView1->topLevelItem(i)->text(1)) +
                                    kCellMargin);
    const int available = ListView1->viewport()->width();
    const int first = std::max(TwipsToPixelsX(1500 * kLayoutScale), available - dates);
    ListView1->setColumnWidth(0, first);
    ListView1->setColumnWidth(1, std::max(dates, available - first));
}

} // namespace morvane
