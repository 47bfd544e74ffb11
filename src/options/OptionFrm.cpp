#include "options/OptionFrm.h"

#include "calendar_window/dialogs/HelpWindow.h"
#include "calendar_window/month/MonthModel.h"
#include "calendar_window/month/SettingColor.h"
#include "calendar_window/summary/DaySchedulesSummary.h"
#include "context/AppContext.h"
#include "options/OptionApply.h"
#include "options/OptionPreview.h"
#include "options/SyncPage.h"
#include "ui_toolkit/ColorDialog.h"
#include "ui_toolkit/FileDialog.h"
#include "ui_toolkit/MousePointer.h"
#include "ui_toolkit/Twips.h"
#include "ui_toolkit/WindowFitting.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace morvane {

namespace {

struct TabInfo
{
    const char* caption;
    const char* tip;
};

constexpr TabInfo kTabs[] = {
    {"表示", "表示設定"},
    {"フォント", "フォント設定"},
    {"カラー", "色設定"},
    {"背景画", "背景画像設定"},
    {"サイズ", "カレンダ、フォントサイズ"},
    {"アラーム", "アラーム"},
    {"透明化", "透明化"},
    {"動作", "動作設定"},
    {"ログ", "ログファイル"},
    {"常駐", "常駐アイコン"},
    {"同期", "カレンダーサーバーとの同期"},
};
constexpr int kPageCount = int(std::size(kTabs));

void ShowColor(QPushButton* button, qint32 value)
{
    button->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                              .arg(SettingColor(value).name()));
}

qint32 StoredColor(const QColor& color)
{
    return RgbValue(color.red(), color.green(), color.blue());
}

template <typename Widget, typename Setter> void Quietly(Widget* widget, Setter set)
{
    const QSignalBlocker block(widget);
    set(widget);
}

} // namespace

const std::array<const char*, 11>& OptionHelpTopics()
{
    static const std::array<const char*, 11> topics{
        "html/mora76if.htm", "html/mora7tkk.htm", "html/mora1lwy.htm", "html/mora43or.htm",
        "html/mora0cpx.htm", "html/mora4lpp.htm", "html/mora0115.htm", "html/mora967i.htm",
        "html/mora4jzb.htm", "html/mora9hdh.htm", "html/morasync.htm"};
    return topics;
}

OptionFrm::OptionFrm(AppContext& context, OptionsTarget& target, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(context), m_target(target)
{
    setObjectName(QStringLiteral("OptionFrm"));
    setWindowTitle(QStringLiteral("オプション設定"));
    m_screenFonts = QFontDatabase::families();

    TabStrip1 = new QTabWidget(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    QWidget* pages[] = {buildDisplayPage(),      buildFontPage(),      buildColorPage(),
                        buildPicturePage(),      buildSizePage(),      buildAlarmPage(),
                        buildTransparencyPage(), buildBehaviourPage(), buildLogPage(),
                        buildTrayPage(),         buildSyncPage()};
    for (int i = 0; i < kPageCount; ++i) {
        pages[i]->setObjectName(QStringLiteral("Picture1_%1").arg(i));
        TabStrip1->addTab(pages[i], QString::fromUtf8(kTabs[i].caption));
        TabStrip1->setTabToolTip(i, QString::fromUtf8(kTabs[i].tip));
    }
    TabStrip1->setUsesScrollButtons(true);

    auto* frame = new QGroupBox(QStringLiteral("プレビュー"), this);
    auto* frameLayout = new QVBoxLayout(frame);
    m_preview = new OptionPreview(m_c, frame);
    m_preview->setObjectName(QStringLiteral("DesktopPic"));
    m_preview->setMinimumSize(TwipsToPixels(QSize(2700, 2700)));
    frameLayout->addWidget(m_preview);

    auto* top = new QHBoxLayout;
    top->addWidget(TabStrip1, 3);
    top->addWidget(frame, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const char* captions[] = {"&OK", "更新", "キャンセル", "ヘルプ(&H)"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(captions[i]), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons->addWidget(button);
        Command1[std::size_t(i)] = button;
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addLayout(buttons);
    resize(TwipsToPixels(QSize(6880, 4200)).expandedTo(QSize(720, 440)));
}

OptionFrm::~OptionFrm()
{
    // The picture field loses the focus while the dialog is torn down, and
    // its end of typing must not reach a dialog that is half gone.
    if (Text1)
        Text1->disconnect(this);
}

void OptionFrm::Form_Load()
{
    m_loading = true;
    m_typingPicture = false;
    SettleLoadedSettings(m_context.settings());
    const Settings& s = m_context.settings();
    m_c = LoadControls(s, m_layering);
    // The desktop's entry, not the stored copy: the user may have removed it
    // in the desktop's own settings.
    m_c.CheckLogin = m_target.startsAtLogin();
    m_fontTarget = 1;
    Quietly(TabStrip2, [](QTabBar* bar) { bar->setCurrentIndex(0); });
    Quietly(Combo1, [this](QComboBox* list) {
        list->clear();
        list->addItems(m_screenFonts);
    });
    fillTitleSamples();
    fillTipSamples();
    m_syncPage->load();
    TabStrip1->setCurrentIndex(0);
    syncWidgets();
    Command1[0]->setEnabled(false);
    Command1[1]->setEnabled(false);
    m_c.ColorsChanged = false;
    m_loading = false;
}

void OptionFrm::fillTitleSamples()
{
    const QDateTime now = m_context.clock().now();
    Quietly(Combo6, [&](QComboBox* list) {
        list->clear();
        for (int type = 0; type < kTitleTypeCount; ++type)
            list->addItem(TitleText(type, now.date(), now));
    });
}

void OptionFrm::fillTipSamples()
{
    Quietly(Combo7, [&](QComboBox* list) {
        list->clear();
        for (int type = 0; type < kTipTypeCount; ++type) {
            QString tip;
            try {
                tip = getToolTipTextByDate(m_context, type);
            } catch (...) {
                tip = QString::number(type);
            }
            list->addItem(
                tip.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r')));
        }
    });
}

void OptionFrm::Form_Activate()
{
    BusyPointer busy;
    m_preview->setWallpaper(ReadDesktopWallpaper());
    if (m_preview->wallpaper().isNull() && m_desktopFallback)
        m_preview->setWallpaper(m_desktopFallback());
    m_preview->refresh();
}

void OptionFrm::showEvent(QShowEvent* event)
{
    // Wholly on the screen, title bar and buttons included, before the
    // desktop maps it.
    if (!event->spontaneous())
        FitOnScreen(this);
    QWidget::showEvent(event);
    Form_Activate();
}

void OptionFrm::keyPressEvent(QKeyEvent* event)
{
    // Escape is "キャンセル", as in every dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Command1_Click(2);
        return;
    }
    QWidget::keyPressEvent(event);
}

void OptionFrm::closeEvent(QCloseEvent* event)
{
    // Closing the window is "キャンセル".
    event->accept();
    emit m_context.events().sendToBottomRequested();
    emit unloaded();
}

void OptionFrm::edit(const std::function<void(OptionControls&)>& change)
{
    const OptionControls before = m_c;
    change(m_c);
    syncWidgets();
    if (m_loading)
        return;
    m_preview->refresh();
    if (m_preview->pictureFailed() && !m_typingPicture) {
        // A picture that cannot be shown is not kept as the choice; a path
        // still being typed is left alone until the user is done with it.
        m_c.Text1.clear();
        syncWidgets();
    }
    // Only a real change can be applied: a cancelled colour dialog or a
    // refused box leaves the buttons as they were.
    if (m_c == before)
        return;
    Command1[0]->setEnabled(true);
    Command1[1]->setEnabled(true);
}

void OptionFrm::pictureTyped(const QString& text)
{
    m_typingPicture = true;
    edit([&](OptionControls& c) { c.Text1 = text; });
}

void OptionFrm::pictureTypingFinished()
{
    if (!m_typingPicture)
        return;
    m_typingPicture = false;
    edit([](OptionControls&) {});
}

void OptionFrm::syncWidgets()
{
    auto check = [](QCheckBox* box, bool on) {
        Quietly(box, [on](QCheckBox* b) { b->setChecked(on); });
    };
    auto index = [](QComboBox* list, int i) {
        Quietly(list, [i](QComboBox* l) { l->setCurrentIndex(i); });
    };
    check(Check7, m_c.Check7);
    check(Check4, m_c.Check4);
    check(Check12, m_c.Check12);
    check(Check5, m_c.Check5);
    check(Check11, m_c.Check11);
    check(Check2, m_c.Check2);
    check(Check3, m_c.Check3);
    check(Check8, m_c.Check8);
    check(Check17, m_c.Check17);
    index(Combo6, m_c.Combo6);

    const PreviewFont& font = m_fontTarget == 1 ? m_c.titleFont : m_c.dayFont;
    Quietly(Combo1, [&](QComboBox* list) {
        if (list->findText(font.name) < 0)
            list->insertItem(0, font.name);
        list->setCurrentIndex(list->findText(font.name));
    });
    index(Combo3, font.italic ? 1 : 0);
    index(Combo4, font.bold ? 1 : 0);

    Quietly(Option1, [&](QRadioButton* b) { b->setChecked(!m_c.Option2); });
    Quietly(Option2, [&](QRadioButton* b) { b->setChecked(m_c.Option2); });
    Quietly(Option3, [&](QRadioButton* b) { b->setChecked(m_c.Option3); });
    Quietly(Option4, [&](QRadioButton* b) { b->setChecked(!m_c.Option3); });
    ShowColor(Command2, m_c.Command2);
    for (int i = 0; i < 6; ++i)
        ShowColor(Command3[std::size_t(i)], m_c.Command3[std::size_t(i)]);
    ShowColor(Command4, m_c.Command4);

    check(Check6, m_c.Check6);
    Quietly(Text1, [&](QLineEdit* t) {
        if (t->text() != m_c.Text1)
            t->setText(m_c.Text1);
        t->setEnabled(m_c.Check6);
    });
    Command7->setEnabled(m_c.Check6);
    Combo2->setEnabled(m_c.Check6);
    index(Combo2, m_c.Combo2);

    Quietly(Slider2, [&](QSlider* s) { s->setValue(m_c.Slider2); });
    index(Combo5[0], m_c.titleFont.size - kSizeListFirst);
    index(Combo5[1], m_c.dayFont.size - kSizeListFirst);
    index(Combo5[2], m_c.markSize - kSizeListFirst);

    for (int i = 0; i < 3; ++i)
        check(Check9[std::size_t(i)], m_c.Check9[std::size_t(i)]);
    Quietly(Text3, [&](QLineEdit* t) {
        if (t->text() != m_c.Text3)
            t->setText(m_c.Text3);
        t->setEnabled(m_c.Check9[2]);
    });
    Command9->setEnabled(m_c.Check9[2]);

    check(Check1, m_c.Check1);
    Quietly(Slider1, [&](QSlider* s) { s->setValue(m_c.Slider1); });
    Slider1->setEnabled(m_c.Check1);
    Label6->setEnabled(m_c.Check1);
    check(Check10, m_c.Check10);
    Quietly(Slider3, [&](QSlider* s) { s->setValue(m_c.Slider3); });
    Slider3->setEnabled(m_c.Check10);
    Label11->setEnabled(m_c.Check10);

    for (int i = 0; i < 3; ++i)
        check(Check13[std::size_t(i)], m_c.Check13[std::size_t(i)]);
    check(CheckLogin, m_c.CheckLogin);
    for (int i = 0; i < 2; ++i)
        check(Check14[std::size_t(i)], m_c.Check14[std::size_t(i)]);

    index(Combo7, m_c.Combo7);
    check(Check16, m_c.Check16);
    check(Check15, m_c.Check15);
    for (int i = 0; i < 2; ++i) {
        const auto k = std::size_t(i);
        Quietly(Text2[k], [&](QLineEdit* t) {
            if (t->text() != m_c.Text2[k])
                t->setText(m_c.Text2[k]);
        });
        Label15[k]->setEnabled(m_c.Check15);
        Text2[k]->setEnabled(m_c.Check15);
        Command8[k]->setEnabled(m_c.Check15);
    }
    m_preview->setTitle(Combo6->currentText());
}

void OptionFrm::pickColor(QPushButton* button, const std::function<bool(qint32)>& take)
{
    const std::optional<QColor> color =
        ColorDialog::getColor(this, button->palette().button().color());
    // Black is what a cancelled dialog answers: it changes nothing.
    const qint32 value = color ? StoredColor(*color) : 0;
    edit([&](OptionControls&) { take(value); });
}

void OptionFrm::pickPicture()
{
    FileDialogOptions options;
    options.title = QStringLiteral("イメージファイルを開く");
    options.filter = QStringLiteral(
        "イメージ(bmp,gif,jpg,jpeg,ico,cur,rle,wmf,emf)|*.bmp;*.gif;*.jpg;*.jpeg;*.ico;*.cur;*.rle;"
        "*.wmf;*.emf|ビットマップ(*.bmp)|*.bmp|GIFファイル(*.gif)|*.gif|JPEGファイル(*.jpg,*.jpeg)|"
        "*.jpg;"
        "*.jpeg");
    options.defaultExtension = QStringLiteral("bmp");
    const std::optional<QString> path = FileDialog::getOpenFileName(this, options);
    if (!path) {
        edit([](OptionControls& c) { c.Check6 = false; });
        return;
    }
    edit([&](OptionControls& c) {
        c.Check6 = true;
        c.Text1 = *path;
    });
    if (Text1->isEnabled())
        Text1->setFocus();
}

void OptionFrm::pickSound()
{
    FileDialogOptions options;
    options.title = QStringLiteral("サウンドファイルファイルを開く");
    options.filter = QStringLiteral(
        "サウンドファイル(mid,wav,mp2,mp3)|*.mid;*.wav;*.mp2;*.mp3|すべてのファイル(*.*)|*.*");
    options.defaultExtension = QStringLiteral("wav");
    const std::optional<QString> path = FileDialog::getOpenFileName(this, options);
    if (!path) {
        edit([](OptionControls& c) { c.Check9[2] = false; });
        return;
    }
    edit([&](OptionControls& c) { c.Text3 = *path; });
}

void OptionFrm::pickIcon(int index)
{
    FileDialogOptions options;
    options.title = QStringLiteral("アイコンファイルを開く");
    options.filter = QStringLiteral("アイコン(ico)|*.ico");
    options.defaultExtension = QStringLiteral("ico");
    const std::optional<QString> path = FileDialog::getOpenFileName(this, options);
    if (path)
        edit([&](OptionControls& c) { c.Text2[std::size_t(index)] = *path; });
}

void OptionFrm::setSettingsStore(QSettings* store)
{
    m_syncPage->setStore(store);
}

bool OptionFrm::applyEdits()
{
    m_typingPicture = false;
    ApplyOptions(m_c, m_context.settings(), m_target,
                 [](const QString& file) { return QFileInfo(file).isFile(); });
    // A picture the calendar could not take is not kept in the field.
    if (m_c.Check6 && m_context.settings().PictureFile.isEmpty())
        m_c.Text1.clear();
    // The title list shows the stored type again (an unknown one became 0),
    // the login box the entry as it now is.
    m_c.Combo6 = m_context.settings().TitleType;
    m_c.CheckLogin = m_context.settings().StartAtLogin;
    syncWidgets();
    if (m_syncPage->apply())
        return true;
    // The page shows why; its options wait to be applied again.
    TabStrip1->setCurrentWidget(m_syncPage);
    Command1[0]->setEnabled(m_syncPage->edited());
    Command1[1]->setEnabled(m_syncPage->edited());
    return false;
}

void OptionFrm::Command1_Click(int index)
{
    BusyPointer busy;
    switch (index) {
    case 0:
        Command1[1]->setEnabled(false);
        if (!applyEdits())
            break;
        hide();
        emit m_context.events().sendToBottomRequested();
        break;
    case 1:
        Command1[1]->setEnabled(false);
        applyEdits();
        break;
    case 2:
        close();
        break;
    case 3: {
        Command1[1]->setEnabled(false);
        if (!m_help)
            m_help = new HelpWindow(this);
        const int page = std::clamp(TabStrip1->currentIndex(), 0, kPageCount - 1);
        m_help->showTopic(QString::fromLatin1(OptionHelpTopics()[std::size_t(page)]));
        break;
    }
    default:
        break;
    }
}

} // namespace morvane
