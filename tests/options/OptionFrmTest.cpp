#include "options/OptionFrm.h"

#include "RecordingTarget.h"
#include "context/AppContext.h"
#include "options/OptionPreview.h"
#include "ui_toolkit/ColorDialog.h"
#include "ui_toolkit/FileDialog.h"
#include "ui_toolkit/MsgBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <functional>

namespace morvane {

// The options window offscreen, on Tuesday 8 December 2026, applying to a
// recording stand-in for the calendar.
class OptionFrmTest : public QObject
{
    Q_OBJECT

private:
    struct Window
    {
        explicit Window(const std::function<void(Settings&)>& stored = {})
            : clock(QDateTime(QDate(2026, 12, 8), QTime(9, 5))), context(clock, QString())
        {
            if (stored)
                stored(context.settings());
            context.setDisplayMonth(QDate(2026, 12, 1));
            frm = new OptionFrm(context, target);
            frm->setLayeringAvailable(true);
            frm->Form_Load();
            frm->show();
        }
        ~Window() { delete frm; }

        FixedClock clock;
        AppContext context;
        RecordingTarget target;
        OptionFrm* frm = nullptr;
    };

private slots:
    void init()
    {
        ColorDialog::resetScript();
        FileDialog::resetScript();
    }

    void loadsWithTenTabsAndApplyButtonsOff()
    {
        Window w;
        QCOMPARE(w.frm->windowTitle(), QStringLiteral("オプション設定"));
        QCOMPARE(w.frm->TabStrip1->count(), 10);
        QCOMPARE(w.frm->TabStrip1->tabText(9), QStringLiteral("常駐"));
        QCOMPARE(w.frm->TabStrip1->tabToolTip(4), QStringLiteral("カレンダ、フォントサイズ"));
        QVERIFY(!w.frm->Command1[0]->isEnabled());
        QVERIFY(!w.frm->Command1[1]->isEnabled());
        QCOMPARE(w.frm->Combo6->count(), 11);
        QCOMPARE(w.frm->Combo6->itemText(0), QStringLiteral("2026年12月"));
        QCOMPARE(w.frm->Combo7->count(), 16);
        QVERIFY(!w.frm->controls().ColorsChanged);
    }

    // The box shows the desktop's entry, not the stored copy, and after an
    // apply whatever the entry then is.
    void loginBoxShowsTheRealEntry()
    {
        Window w([](Settings& s) { s.StartAtLogin = false; });
        w.target.loginEntry = true;
        w.frm->Form_Load();
        QVERIFY(w.frm->CheckLogin->isChecked());
        QCOMPARE(w.frm->CheckLogin->text(), QStringLiteral("ログイン時にモルヴァを起動する"));

        w.frm->CheckLogin->click();
        QVERIFY(w.frm->Command1[1]->isEnabled());
        w.frm->Command1[1]->click();
        QVERIFY(!w.target.loginEntry);
        QVERIFY(!w.context.settings().StartAtLogin);

        w.target.loginEntryFails = true;
        w.frm->CheckLogin->click();
        w.frm->Command1[1]->click();
        QVERIFY2(!w.frm->CheckLogin->isChecked(), "the box went back to the entry");
    }

    void everyEditEnablesApply_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("picture position") << 0;
        QTest::newRow("typed picture path") << 1;
        QTest::newRow("typed sound path") << 2;
        QTest::newRow("size slider") << 3;
        QTest::newRow("given colour") << 4;
    }

    void everyEditEnablesApply()
    {
        QFETCH(int, which);
        Window w([](Settings& s) {
            s.PictureFile = QStringLiteral("/pictures/a.png");
            s.SoundFlg = true;
        });
        QVERIFY(!w.frm->Command1[0]->isEnabled());
        switch (which) {
        case 0:
            w.frm->Combo2->setCurrentIndex(1);
            break;
        case 1:
            QTest::keyClicks(w.frm->Text1, "x");
            break;
        case 2:
            QTest::keyClicks(w.frm->Text3, "/a.wav");
            break;
        case 3:
            w.frm->Slider2->setValue(10);
            break;
        case 4:
            w.frm->Option1->click();
            QVERIFY(w.frm->controls().ColorsChanged);
            break;
        }
        QVERIFY(w.frm->Command1[0]->isEnabled());
        QVERIFY(w.frm->Command1[1]->isEnabled());
    }

    void exclusionsShowOnTheBoxes()
    {
        Window w;
        w.frm->Check12->click();
        w.frm->Check5->click();
        QVERIFY(!w.frm->Check12->isChecked());
        w.frm->Check2->click(); // frame on: rounded corners off, "表示" chosen
        QVERIFY(!w.frm->Check11->isChecked());
        QVERIFY(w.frm->Option3->isChecked());
    }

    void blackColourChangesNothing()
    {
        Window w;
        ColorDialog::setNextColor(Qt::black);
        w.frm->Command3[0]->click();
        QVERIFY(!w.frm->controls().ColorsChanged);
        ColorDialog::setNextColor(QColor(10, 20, 30));
        w.frm->Command3[0]->click();
        QCOMPARE(w.frm->controls().Command3[0], RgbValue(10, 20, 30));
        QVERIFY(w.frm->Command1[0]->isEnabled());
    }

    void cancelledPicturePickerUnchecksThePicture()
    {
        Window w;
        FileDialog::setNextCancel();
        w.frm->Check6->click();
        QVERIFY(!w.frm->Check6->isChecked());
        QCOMPARE(FileDialog::requests().size(), std::size_t(1));
        QCOMPARE(FileDialog::requests()[0].options.defaultExtension, QStringLiteral("bmp"));
    }

    void applyRunsInOrderAndOkHides()
    {
        Window w;
        ColorDialog::setNextColor(QColor(200, 0, 0));
        w.frm->Command3[0]->click();
        w.frm->Slider2->setValue(12);
        w.frm->Check2->click();
        w.frm->Command1[1]->click(); // 更新
        QVERIFY(!w.frm->Command1[1]->isEnabled());
        QVERIFY(w.frm->isVisible());
        QCOMPARE(w.context.settings().WeekdaysColor, RgbValue(200, 0, 0));
        QCOMPARE(w.context.settings().CalendarSize, qint16(12));
        QVERIFY(w.context.settings().CalendarBox);
        const QStringList& calls = w.target.calls;
        QVERIFY(calls.indexOf("colors") < calls.indexOf("fonts"));
        QVERIFY(calls.indexOf("fonts") < calls.indexOf("layout"));
        QVERIFY(calls.indexOf("layout") < calls.indexOf("frame 1"));
        QCOMPARE(calls.last(), QStringLiteral("save"));

        w.target.calls.clear();
        w.frm->Check3->click();
        w.frm->Command1[0]->click(); // OK
        QVERIFY(!w.frm->isVisible());
        QVERIFY(!w.context.settings().MonthIcon);
        QVERIFY(w.target.calls.contains("icons"));
    }

    void previewBlendsTheBackgroundOverTheWallpaper()
    {
        Window w([](Settings& s) {
            s.CalendarBackColor = RgbValue(255, 0, 0);
            s.Transparency = true;
            s.Transparency_value = 16;
        });
        QImage wallpaper(400, 400, QImage::Format_RGB32);
        wallpaper.fill(QColor(0, 255, 0));
        w.frm->preview()->setWallpaper(wallpaper);
        w.frm->preview()->refresh();
        // Weight 256: only the wallpaper shows through.
        QCOMPARE(w.frm->preview()->boxImage().pixelColor(5, 40), QColor(0, 255, 0));
        w.frm->Slider1->setValue(1);
        const QColor mostlyRed = w.frm->preview()->boxImage().pixelColor(5, 40);
        QVERIFY2(mostlyRed.red() > 200 && mostlyRed.green() < 40, qPrintable(mostlyRed.name()));
        // Unchecked: the colour alone, no wallpaper behind it.
        w.frm->Check1->click();
        QCOMPARE(w.frm->preview()->boxImage().pixelColor(5, 40), QColor(255, 0, 0));
    }

    void unreadablePictureEmptiesTheFileName()
    {
        Window w([](Settings& s) { s.PictureFile = QStringLiteral("/nowhere/sky.png"); });
        QVERIFY(w.frm->Check6->isChecked());
        w.frm->Combo2->setCurrentIndex(1);
        QVERIFY(w.frm->Text1->text().isEmpty());
    }

    void fontTargetTabShowsThatTargetsFont()
    {
        Window w;
        w.frm->Combo4->setCurrentIndex(1); // title bold
        QVERIFY(w.frm->controls().titleFont.bold);
        w.frm->TabStrip2->setCurrentIndex(1);
        QCOMPARE(w.frm->Combo4->currentIndex(), w.context.settings().DayFontBold ? 1 : 0);
        QVERIFY(w.frm->controls().titleFont.bold);
    }
};

} // namespace morvane

QTEST_MAIN(morvane::OptionFrmTest)
#include "OptionFrmTest.moc"
