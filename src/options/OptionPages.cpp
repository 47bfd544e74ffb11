// The pages of the options window: controls, captions and what each
// edit changes in the working copy.
#include "context/AppContext.h"
#include "options/OptionFrm.h"
#include "options/SyncPage.h"
#include "ui_toolkit/MsgBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

namespace morvane {

namespace {

QCheckBox* Box(QWidget* page, QLayout* layout, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, page);
    box->setObjectName(QString::fromLatin1(name));
    layout->addWidget(box);
    return box;
}

QComboBox* List(QWidget* page, const char* name)
{
    auto* list = new QComboBox(page);
    list->setObjectName(QString::fromLatin1(name));
    return list;
}

QPushButton* ColorButton(QWidget* page, const QString& name, const QString& tip = {})
{
    auto* button = new QPushButton(page);
    button->setObjectName(name);
    button->setFixedSize(36, 20);
    button->setToolTip(tip);
    return button;
}

// A slider over the full width with its scale words under it, each under
// the slider's place it names: "不透明" under the lowest value at the left
// end, "半透明" under the middle, "透明" under the highest at the right end.
// The returned widget holds the words, so it greys with the slider.
QWidget* SliderWithScale(QWidget* page, QVBoxLayout* column, QSlider* slider, const char* name)
{
    column->addWidget(slider);
    auto* scale = new QWidget(page);
    scale->setObjectName(QString::fromLatin1(name));
    auto* grid = new QGridLayout(scale);
    grid->setContentsMargins(0, 0, 0, 0);
    const char* words[] = {"不透明", "半透明", "透明"};
    const Qt::Alignment places[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    int endWidth = 0;
    for (int i = 0; i < 3; ++i) {
        auto* word = new QLabel(QString::fromUtf8(words[i]), scale);
        word->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(i));
        grid->addWidget(word, 0, i, places[i] | Qt::AlignTop);
        grid->setColumnStretch(i, 1);
        if (i != 1)
            endWidth = std::max(endWidth, word->sizeHint().width());
    }
    // Equal end columns keep the middle word on the slider's middle.
    grid->setColumnMinimumWidth(0, endWidth);
    grid->setColumnMinimumWidth(2, endWidth);
    column->addWidget(scale);
    return scale;
}

QSlider* Slider(QWidget* page, const char* name, int low, int high, int step)
{
    auto* slider = new QSlider(Qt::Horizontal, page);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(low, high);
    slider->setPageStep(step);
    slider->setTickPosition(QSlider::TicksBelow);
    return slider;
}

} // namespace

QWidget* OptionFrm::buildDisplayPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    Check7 = Box(page, v, "Check7", QStringLiteral("モルヴァの表示(&P)"));
    Check4 = Box(page, v, "Check4", QStringLiteral("起動時にタイトル表示(&S)"));
    Check4->setToolTip(QStringLiteral("モルヴァ起動時にタイトル(Morvane)とプログレスバーを表示"));
    Check12 = Box(page, v, "Check12", QStringLiteral("常に手前に表示(&T)"));
    Check5 = Box(page, v, "Check5", QStringLiteral("常に最下位に表示(&B)"));
    Check11 = Box(page, v, "Check11", QStringLiteral("カレンダの角を丸くする(&W)"));
    Check2 = Box(page, v, "Check2", QStringLiteral("カレンダの枠を表示(&X)"));
    Check3 = Box(page, v, "Check3", QStringLiteral("[前月][次月]アイコンの表示(&I)"));
    Check8 = Box(page, v, "Check8", QStringLiteral("[ジャンプ指定]アイコンの表示(&J)"));
    Check17 = Box(page, v, "Check17", QStringLiteral("[メモ一覧]アイコンを表示(&M)"));
    auto* label = new QLabel(QStringLiteral("年月表示タイプ(&V)"), page);
    Combo6 = List(page, "Combo6");
    label->setBuddy(Combo6);
    v->addWidget(label);
    v->addWidget(Combo6);
    Command10 = new QPushButton(QStringLiteral("表示位置を元に戻す"), page);
    Command10->setObjectName(QStringLiteral("Command10"));
    v->addWidget(Command10);
    v->addStretch();

    auto toggle = [this](QCheckBox* box, void (*set)(OptionControls&, bool)) {
        connect(box, &QCheckBox::toggled, this,
                [this, set](bool on) { edit([&](OptionControls& c) { set(c, on); }); });
    };
    connect(Check7, &QCheckBox::toggled, this,
            [this](bool on) { edit([on](OptionControls& c) { c.Check7 = on; }); });
    connect(Check4, &QCheckBox::toggled, this,
            [this](bool on) { edit([on](OptionControls& c) { c.Check4 = on; }); });
    toggle(Check12, SetTopView);
    toggle(Check5, SetBottomView);
    toggle(Check11, SetRoundCorners);
    toggle(Check2, SetFrame);
    connect(Check3, &QCheckBox::toggled, this,
            [this](bool on) { edit([on](OptionControls& c) { c.Check3 = on; }); });
    toggle(Check8, SetJumpIcon);
    toggle(Check17, SetMemoIcon);
    connect(Combo6, &QComboBox::currentIndexChanged, this,
            [this](int i) { edit([i](OptionControls& c) { c.Combo6 = std::max(0, i); }); });
    connect(Command10, &QPushButton::clicked, this,
            [this] { emit m_context.events().calendarMoveRequested(QPoint(0, 0)); });
    return page;
}

QWidget* OptionFrm::buildFontPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    TabStrip2 = new QTabBar(page);
    TabStrip2->setObjectName(QStringLiteral("TabStrip2"));
    TabStrip2->addTab(QStringLiteral("年/月/曜日"));
    TabStrip2->addTab(QStringLiteral("日"));
    v->addWidget(TabStrip2);
    auto* form = new QFormLayout;
    Combo1 = List(page, "Combo1");
    Combo3 = List(page, "Combo3");
    Combo4 = List(page, "Combo4");
    for (QComboBox* list : {Combo3, Combo4})
        list->addItems({QStringLiteral("なし"), QStringLiteral("あり")});
    form->addRow(QStringLiteral("フォント名(&F):"), Combo1);
    form->addRow(QStringLiteral("斜体文字(&I):"), Combo3);
    form->addRow(QStringLiteral("太文字(&B):"), Combo4);
    v->addLayout(form);
    Command5 = new QPushButton(QStringLiteral("標準設定"), page);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command5->setToolTip(QStringLiteral("初期の設定に戻す"));
    v->addWidget(Command5, 0, Qt::AlignLeft);
    v->addStretch();

    auto font = [this]() -> PreviewFont& {
        return m_fontTarget == 1 ? m_c.titleFont : m_c.dayFont;
    };
    connect(Combo1, &QComboBox::currentTextChanged, this, [this, font](const QString& name) {
        edit([&](OptionControls&) { font().name = name; });
    });
    connect(Combo3, &QComboBox::currentIndexChanged, this,
            [this, font](int i) { edit([&](OptionControls&) { font().italic = i == 1; }); });
    connect(Combo4, &QComboBox::currentIndexChanged, this,
            [this, font](int i) { edit([&](OptionControls&) { font().bold = i == 1; }); });
    connect(TabStrip2, &QTabBar::currentChanged, this, [this](int i) {
        m_fontTarget = i + 1;
        // Showing a target puts back what is stored for it.
        SelectFontTarget(m_c, m_fontTarget, m_context.settings());
        syncWidgets();
    });
    connect(Command5, &QPushButton::clicked, this, [this] {
        edit([this](OptionControls& c) { DefaultFont(c, m_fontTarget, m_screenFonts); });
    });
    return page;
}

QWidget* OptionFrm::buildColorPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* back = new QGroupBox(QStringLiteral("背景"), page);
    auto* backLayout = new QHBoxLayout(back);
    Option1 = new QRadioButton(QStringLiteral("指定"), back);
    Option1->setObjectName(QStringLiteral("Option1"));
    Command2 = ColorButton(back, QStringLiteral("Command2"), QStringLiteral("背景色を指定"));
    Option2 = new QRadioButton(QStringLiteral("デスクトップカラー"), back);
    Option2->setObjectName(QStringLiteral("Option2"));
    backLayout->addWidget(Option1);
    backLayout->addWidget(Command2);
    backLayout->addSpacing(24);
    backLayout->addWidget(Option2);
    backLayout->addStretch();
    v->addWidget(back);
    auto* note = new QLabel(QStringLiteral("※背景画像を指定している場合は表示されません"), page);
    note->setObjectName(QStringLiteral("Label2"));
    v->addWidget(note);

    // Each colour's name stands right before its own button, and a wide gap
    // parts a button from the next name, so no button reads as the next
    // colour's.
    auto* days = new QGroupBox(QStringLiteral("日付"), page);
    auto* grid = new QGridLayout(days);
    grid->setHorizontalSpacing(6);
    const char* labels[] = {"平日", "土曜日", "日曜日", "年月", "文字影", "今日"};
    constexpr int kPerRow = 2;
    for (int i = 0; i < 6; ++i) {
        const auto k = std::size_t(i);
        Command3[k] = ColorButton(days, QStringLiteral("Command3_%1").arg(i));
        auto* label = new QLabel(QString::fromUtf8(labels[i]), days);
        label->setObjectName(QStringLiteral("Label3_%1").arg(i));
        label->setBuddy(Command3[k]);
        const int row = i / kPerRow;
        const int column = (i % kPerRow) * 3;
        grid->addWidget(label, row, column, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(Command3[k], row, column + 1, Qt::AlignLeft | Qt::AlignVCenter);
        if (i % kPerRow < kPerRow - 1)
            grid->setColumnMinimumWidth(column + 2, 28);
    }
    grid->setColumnStretch(kPerRow * 3 - 1, 1);
    v->addWidget(days);

    auto* frame = new QGroupBox(QStringLiteral("枠"), page);
    auto* frameLayout = new QHBoxLayout(frame);
    Option3 = new QRadioButton(QStringLiteral("表示"), frame);
    Option3->setObjectName(QStringLiteral("Option3"));
    Option4 = new QRadioButton(QStringLiteral("表示しない"), frame);
    Option4->setObjectName(QStringLiteral("Option4"));
    Command4 =
        ColorButton(frame, QStringLiteral("Command4"), QStringLiteral("カレンダ枠の色を指定"));
    frameLayout->addWidget(Option3);
    frameLayout->addWidget(Command4);
    frameLayout->addSpacing(24);
    frameLayout->addWidget(Option4);
    frameLayout->addStretch();
    v->addWidget(frame);
    Command6 = new QPushButton(QStringLiteral("標準設定"), page);
    Command6->setObjectName(QStringLiteral("Command6"));
    v->addWidget(Command6, 0, Qt::AlignLeft);
    v->addStretch();

    connect(Option1, &QRadioButton::clicked, this,
            [this] { edit([](OptionControls& c) { ChooseGivenColor(c); }); });
    connect(Option2, &QRadioButton::clicked, this,
            [this] { edit([](OptionControls& c) { ChooseDesktopColor(c); }); });
    connect(Option3, &QRadioButton::clicked, this,
            [this] { edit([](OptionControls& c) { SetFrame(c, true); }); });
    connect(Option4, &QRadioButton::clicked, this,
            [this] { edit([](OptionControls& c) { SetFrame(c, false); }); });
    connect(Command2, &QPushButton::clicked, this, [this] {
        pickColor(Command2, [this](qint32 color) { return PickBackColor(m_c, color); });
    });
    for (int i = 0; i < 6; ++i) {
        connect(Command3[std::size_t(i)], &QPushButton::clicked, this, [this, i] {
            pickColor(Command3[std::size_t(i)],
                      [this, i](qint32 color) { return PickDayColor(m_c, i, color); });
        });
    }
    connect(Command4, &QPushButton::clicked, this, [this] {
        pickColor(Command4, [this](qint32 color) { return PickBoxColor(m_c, color); });
    });
    connect(Command6, &QPushButton::clicked, this,
            [this] { edit([](OptionControls& c) { DefaultColors(c); }); });
    return page;
}

QWidget* OptionFrm::buildPicturePage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    Check6 = Box(page, v, "Check6", QStringLiteral("カレンダ背景に画像を使用(&P)"));
    auto* row = new QHBoxLayout;
    Text1 = new QLineEdit(page);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setToolTip(QStringLiteral("画像ファイル名（フルパス）"));
    Command7 = new QPushButton(QStringLiteral("..."), page);
    Command7->setObjectName(QStringLiteral("Command7"));
    Command7->setToolTip(QStringLiteral("画像ファイルを開く"));
    row->addWidget(Text1);
    row->addWidget(Command7);
    v->addLayout(row);
    Combo2 = List(page, "Combo2");
    Combo2->setToolTip(QStringLiteral("画像ファイルの表示方法を指定"));
    Combo2->addItems(
        {QStringLiteral("中央に等倍で表示"), QStringLiteral("カレンダサイズに合わせて表示")});
    v->addWidget(Combo2);
    auto* note =
        new QLabel(QStringLiteral("※ファイルサイズが大きくなると、表示処理が遅くなります。"), page);
    note->setWordWrap(true);
    v->addWidget(note);
    v->addStretch();

    connect(Check6, &QCheckBox::toggled, this, [this](bool on) {
        edit([on](OptionControls& c) { c.Check6 = on; });
        if (on && !m_loading && m_c.Text1.trimmed().isEmpty())
            pickPicture();
    });
    connect(Text1, &QLineEdit::textEdited, this, &OptionFrm::pictureTyped);
    connect(Text1, &QLineEdit::editingFinished, this, &OptionFrm::pictureTypingFinished);
    connect(Command7, &QPushButton::clicked, this, &OptionFrm::pickPicture);
    connect(Combo2, &QComboBox::currentIndexChanged, this,
            [this](int i) { edit([i](OptionControls& c) { c.Combo2 = std::max(0, i); }); });
    return page;
}

QWidget* OptionFrm::buildSizePage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* sizeLabel = new QLabel(QStringLiteral("カレンダサイズ(&C)"), page);
    v->addWidget(sizeLabel);
    auto* row = new QHBoxLayout;
    Slider2 = Slider(page, "Slider2", 0, kCalendarSizeMax, 5);
    sizeLabel->setBuddy(Slider2);
    row->addWidget(new QLabel(QStringLiteral("小"), page));
    row->addWidget(Slider2);
    row->addWidget(new QLabel(QStringLiteral("大"), page));
    v->addLayout(row);
    auto* form = new QFormLayout;
    const char* labels[] = {
        "年/月/曜日のフォントサイズ(&Y):", "日のフォントサイズ(&D):", "マークのサイズ(&M):"};
    for (int i = 0; i < 3; ++i) {
        QComboBox* list = List(page, "Combo5");
        list->setObjectName(QStringLiteral("Combo5_%1").arg(i));
        for (int size = kSizeListFirst; size <= kSizeListLast; ++size)
            list->addItem(QString::number(size));
        form->addRow(QString::fromUtf8(labels[i]), list);
        Combo5[std::size_t(i)] = list;
        connect(list, &QComboBox::currentIndexChanged, this, [this, i](int index) {
            const int size = kSizeListFirst + std::max(0, index);
            edit([i, size](OptionControls& c) {
                (i == 0 ? c.titleFont.size : i == 1 ? c.dayFont.size : c.markSize) = size;
            });
        });
    }
    v->addLayout(form);
    v->addStretch();
    connect(Slider2, &QSlider::valueChanged, this,
            [this](int value) { edit([value](OptionControls& c) { c.Slider2 = value; }); });
    return page;
}

QWidget* OptionFrm::buildAlarmPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    Check9[0] = Box(page, v, "Check9_0", QStringLiteral("アラームをBEEP音で通知する"));
    Check9[1] = Box(page, v, "Check9_1", QStringLiteral("システムトレイのアイコンを点滅して通知"));
    Check9[2] = Box(page, v, "Check9_2", QStringLiteral("アラームをサウンドファイルで通知する"));
    auto* row = new QHBoxLayout;
    Text3 = new QLineEdit(page);
    Text3->setObjectName(QStringLiteral("Text3"));
    Command9 = new QPushButton(QStringLiteral("..."), page);
    Command9->setObjectName(QStringLiteral("Command9"));
    row->addWidget(Text3);
    row->addWidget(Command9);
    v->addLayout(row);
    v->addStretch();
    connect(Check9[0], &QCheckBox::toggled, this,
            [this](bool on) { edit([on](OptionControls& c) { SetBeep(c, on); }); });
    connect(Check9[1], &QCheckBox::toggled, this,
            [this](bool on) { edit([on](OptionControls& c) { c.Check9[1] = on; }); });
    connect(Check9[2], &QCheckBox::toggled, this, [this](bool on) {
        edit([on](OptionControls& c) { SetSoundFile(c, on); });
        if (on && !m_loading && m_c.Text3.trimmed().isEmpty())
            pickSound();
    });
    connect(Text3, &QLineEdit::textEdited, this,
            [this](const QString& text) { edit([&](OptionControls& c) { c.Text3 = text; }); });
    connect(Command9, &QPushButton::clicked, this, &OptionFrm::pickSound);
    return page;
}

QWidget* OptionFrm::buildTransparencyPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    Check1 = Box(page, v, "Check1", QStringLiteral("カレンダ背景を擬似透明化(&B)"));
    Slider1 = Slider(page, "Slider1", 1, kTransparencyMax, 4);
    Label6 = SliderWithScale(page, v, Slider1, "Label6");
    v->addSpacing(12);
    Check10 = Box(page, v, "Check10", QStringLiteral("カレンダ全体の透明化(&A)"));
    Check10->setToolTip(
        QStringLiteral("Windows2000,XPの機能を使って半透明化（プレビュー表示されません）"));
    Slider3 = Slider(page, "Slider3", 1, kTransparencyExMax, 4);
    Label11 = SliderWithScale(page, v, Slider3, "Label11");
    v->addStretch();
    connect(Check1, &QCheckBox::toggled, this,
            [this](bool on) { edit([on](OptionControls& c) { SetPseudoTransparency(c, on); }); });
    connect(Slider1, &QSlider::valueChanged, this, [this](int value) {
        edit([value](OptionControls& c) { MoveTransparencySlider(c, value); });
    });
    connect(Check10, &QCheckBox::toggled, this, [this](bool on) {
        bool refused = false;
        edit([&](OptionControls& c) { refused = !SetWholeTransparency(c, on, m_layering); });
        if (refused && !m_loading) {
            MsgBox(QStringLiteral(
                       "この「カレンダ全体の透明化」機能は\r\nWindows2000,XP専用の機能です。"),
                   MsgBoxStyle::Information, QStringLiteral("モルヴァ - オプション設定"), this);
        }
    });
    connect(Slider3, &QSlider::valueChanged, this,
            [this](int value) { edit([value](OptionControls& c) { c.Slider3 = value; }); });
    return page;
}

QWidget* OptionFrm::buildBehaviourPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    Check13[0] = Box(
        page, v, "Check13_0",
        QStringLiteral("システムトレイのアイコンを左クリックした時、モルヴァの表示/非表示をする"));
    Check13[1] = Box(page, v, "Check13_1", QStringLiteral("予定内容をバルーンヘルプで表示する"));
    Check13[2] =
        Box(page, v, "Check13_2",
            QStringLiteral(
                "マウスホイールの上下スクロールで前月、次月を表示する。[Ctrl]キーとマウスホイール"
                "の上下でカレンダを拡大・縮小する"));
    CheckLogin = Box(page, v, "CheckLogin", QStringLiteral("ログイン時にモルヴァを起動する"));
    connect(CheckLogin, &QCheckBox::toggled, this,
            [this](bool on) { edit([on](OptionControls& c) { c.CheckLogin = on; }); });
    v->addStretch();
    for (int i = 0; i < 3; ++i) {
        connect(Check13[std::size_t(i)], &QCheckBox::toggled, this, [this, i](bool on) {
            edit([i, on](OptionControls& c) { c.Check13[std::size_t(i)] = on; });
        });
    }
    return page;
}

QWidget* OptionFrm::buildLogPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    Check14[0] = Box(page, v, "Check14_0", QStringLiteral("起動時の日時をログ出力"));
    Check14[1] = Box(page, v, "Check14_1", QStringLiteral("終了時の日時をログ出力"));
    v->addStretch();
    for (int i = 0; i < 2; ++i) {
        connect(Check14[std::size_t(i)], &QCheckBox::toggled, this, [this, i](bool on) {
            edit([i, on](OptionControls& c) { c.Check14[std::size_t(i)] = on; });
        });
    }
    return page;
}

QWidget* OptionFrm::buildTrayPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* label = new QLabel(QStringLiteral("常駐アイコンのツールチップ表示タイプ(&N)"), page);
    Combo7 = List(page, "Combo7");
    label->setBuddy(Combo7);
    v->addWidget(label);
    v->addWidget(Combo7);
    Check16 = Box(page, v, "Check16", QStringLiteral("常駐アイコンに日付を表示する"));
    Check15 = Box(page, v, "Check15", QStringLiteral("常駐アイコンを変更する"));
    const char* labels[] = {"通常の常駐アイコン", "アラーム点灯時の常駐アイコン"};
    for (int i = 0; i < 2; ++i) {
        const auto k = std::size_t(i);
        Label15[k] = new QLabel(QString::fromUtf8(labels[i]), page);
        Text2[k] = new QLineEdit(page);
        Text2[k]->setObjectName(QStringLiteral("Text2_%1").arg(i));
        Command8[k] = new QPushButton(QStringLiteral("..."), page);
        Command8[k]->setObjectName(QStringLiteral("Command8_%1").arg(i));
        v->addWidget(Label15[k]);
        auto* row = new QHBoxLayout;
        row->addWidget(Text2[k]);
        row->addWidget(Command8[k]);
        v->addLayout(row);
        connect(Text2[k], &QLineEdit::textEdited, this,
                [this, k](const QString& t) { edit([&](OptionControls& c) { c.Text2[k] = t; }); });
        connect(Command8[k], &QPushButton::clicked, this, [this, i] { pickIcon(i); });
    }
    v->addStretch();
    connect(Combo7, &QComboBox::currentIndexChanged, this,
            [this](int i) { edit([i](OptionControls& c) { c.Combo7 = std::max(0, i); }); });
    connect(Check16, &QCheckBox::toggled, this,
            [this](bool on) { edit([on](OptionControls& c) { SetDayIcon(c, on); }); });
    connect(Check15, &QCheckBox::toggled, this,
            [this](bool on) { edit([on](OptionControls& c) { SetOwnIcons(c, on); }); });
    return page;
}

// The sync page keeps its own options apart from the calendar's; an edit
// there makes the dialog's apply buttons usable like any other.
QWidget* OptionFrm::buildSyncPage()
{
    m_syncPage = new SyncPage(m_context);
    connect(m_syncPage, &SyncPage::changed, this, [this] {
        if (m_loading)
            return;
        Command1[0]->setEnabled(true);
        Command1[1]->setEnabled(true);
    });
    return m_syncPage;
}

} // namespace morvane
