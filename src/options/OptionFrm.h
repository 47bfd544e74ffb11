#pragma once

#include "options/OptionControls.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSettings;
class QSlider;
class QTabBar;
class QTabWidget;

namespace morvane {

class AppContext;
class HelpWindow;
class OptionPreview;
class OptionsTarget;
class SyncPage;

// The help page of each option tab, in tab order.
const std::array<const char*, 11>& OptionHelpTopics();

// "オプション設定": eleven pages of controls over the working copy of the
// settings (OptionControls), a live preview, and the four buttons. Nothing
// reaches the settings until "&OK" or "更新"; "キャンセル" closes the window
// and the next opening starts from the settings again.
class OptionFrm : public QWidget
{
    Q_OBJECT

public:
    OptionFrm(AppContext& context, OptionsTarget& target, QWidget* parent = nullptr);
    ~OptionFrm() override;

    // Fills every control from the settings (runs once per loading).
    void Form_Load();
    // Reads the wallpaper and repaints the preview (every opening).
    void Form_Activate();

    const OptionControls& controls() const { return m_c; }
    OptionPreview* preview() const { return m_preview; }
    SyncPage* syncPage() const { return m_syncPage; }
    // The settings store the sync options are written to (the calendar's
    // own settings go through the target).
    void setSettingsStore(QSettings* store);
    // Whether layered windows (whole-window translucency) are available.
    void setLayeringAvailable(bool available) { m_layering = available; }
    // The installed screen fonts, in the font system's order.
    void setScreenFonts(const QStringList& fonts) { m_screenFonts = fonts; }

    // The picture behind the preview when the desktop does not tell its
    // wallpaper (the calendar's copy of the desktop).
    void setDesktopFallback(std::function<QImage()> fallback)
    {
        m_desktopFallback = std::move(fallback);
    }

    // The buttons: 0 "&OK", 1 "更新", 2 "キャンセル", 3 "ヘルプ(&H)".
    void Command1_Click(int index);

signals:
    // After "キャンセル": the window may be deleted.
    void unloaded();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildDisplayPage();
    QWidget* buildFontPage();
    QWidget* buildColorPage();
    QWidget* buildPicturePage();
    QWidget* buildSizePage();
    QWidget* buildAlarmPage();
    QWidget* buildTransparencyPage();
    QWidget* buildBehaviourPage();
    QWidget* buildLogPage();
    QWidget* buildTrayPage();
    QWidget* buildSyncPage();

    // Edits: change the working copy, then show it everywhere.
    void edit(const std::function<void(OptionControls&)>& change);
    void syncWidgets();
    void fillTitleSamples();
    void fillTipSamples();
    // The picture path typed key by key, and the user done with it (the
    // field left or Enter): only then is an unloadable path cleared.
    void pictureTyped(const QString& text);
    void pictureTypingFinished();
    void pickColor(QPushButton* button, const std::function<bool(qint32)>& take);
    void pickPicture();
    void pickSound();
    void pickIcon(int index);
    // False when the sync page refused its options or has something to
    // tell: its message says what.
    bool applyEdits();

    AppContext& m_context;
    OptionsTarget& m_target;
    OptionControls m_c;
    bool m_loading = false;
    bool m_typingPicture = false;
    bool m_layering = false;
    QStringList m_screenFonts;
    int m_fontTarget = 1;
    QPointer<HelpWindow> m_help;
    std::function<QImage()> m_desktopFallback;

public:
    // Controls, named as the settings dialog has always named them.
    QTabWidget* TabStrip1 = nullptr;
    QCheckBox *Check7, *Check4, *Check12, *Check5, *Check11, *Check2, *Check3, *Check8, *Check17;
    QComboBox* Combo6 = nullptr;
    QPushButton* Command10 = nullptr;
    QTabBar* TabStrip2 = nullptr;
    QComboBox *Combo1, *Combo3, *Combo4;
    QPushButton* Command5 = nullptr;
    QRadioButton *Option1, *Option2, *Option3, *Option4;
    QPushButton* Command2 = nullptr;
    std::array<QPushButton*, 6> Command3{};
    QPushButton *Command4, *Command6;
    QCheckBox* Check6 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command7 = nullptr;
    QComboBox* Combo2 = nullptr;
    QSlider* Slider2 = nullptr;
    std::array<QComboBox*, 3> Combo5{};
    std::array<QCheckBox*, 3> Check9{};
    QLineEdit* Text3 = nullptr;
    QPushButton* Command9 = nullptr;
    QCheckBox* Check1 = nullptr;
    QSlider* Slider1 = nullptr;
    QWidget* Label6 = nullptr; // the scale words under Slider1
    QCheckBox* Check10 = nullptr;
    QSlider* Slider3 = nullptr;
    QWidget* Label11 = nullptr; // the scale words under Slider3
    std::array<QCheckBox*, 3> Check13{};
    QCheckBox* CheckLogin = nullptr;
    std::array<QCheckBox*, 2> Check14{};
    QComboBox* Combo7 = nullptr;
    QCheckBox *Check16, *Check15;
    std::array<QLabel*, 2> Label15{};
    std::array<QLineEdit*, 2> Text2{};
    std::array<QPushButton*, 2> Command8{};
    std::array<QPushButton*, 4> Command1{};

private:
    OptionPreview* m_preview = nullptr;
    SyncPage* m_syncPage = nullptr;
};

} // namespace morvane
