#include "options/OptionFrm.h"

#include "RecordingTarget.h"
#include "calendar_window/dialogs/HelpWindow.h"
#include "calendar_window/tray/PopupMenus.h"
#include "context/AppContext.h"
#include "options/OptionPreview.h"
#include "ui_toolkit/ColorDialog.h"
#include "ui_toolkit/FileDialog.h"
#include "ui_toolkit/MsgBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
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

    void loadsWithElevenTabsAndApplyButtonsOff()
    {
        Window w;
        QCOMPARE(w.frm->windowTitle(), QStringLiteral("オプション設定"));
        QCOMPARE(w.frm->TabStrip1->count(), 11);
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

    // Cancelling (or answering black in) the frame colour dialog chooses the
    // frame on both pages, so 更新 stores the frame the preview draws.
    void frameColourDialogCancelledStillChoosesTheFrame_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancel") << true;
        QTest::newRow("black") << false;
    }

    void frameColourDialogCancelledStillChoosesTheFrame()
    {
        QFETCH(bool, cancel);
        Window w([](Settings& s) { s.CalendarBox = false; });
        if (cancel)
            ColorDialog::setNextCancel();
        else
            ColorDialog::setNextColor(Qt::black);
        w.frm->Command4->click();
        QVERIFY(w.frm->Option3->isChecked());
        QVERIFY(w.frm->Check2->isChecked());
        QVERIFY(!w.frm->Check11->isChecked());
        QVERIFY(w.frm->Command1[1]->isEnabled());
        w.frm->Command1[1]->click();
        QVERIFY(w.context.settings().CalendarBox);
        QVERIFY(w.target.calls.contains("frame 1"));
    }

    // Nothing changed, nothing to apply: a cancelled colour dialog, black,
    // or the whole-window transparency refused leave 「&OK」 and 「更新」 off.
    void refusedEditsLeaveApplyOff_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("background colour cancelled") << 0;
        QTest::newRow("weekday colour black") << 1;
        QTest::newRow("today colour cancelled") << 2;
        QTest::newRow("frame colour cancelled, frame already on") << 3;
        QTest::newRow("whole-window transparency refused") << 4;
    }

    void refusedEditsLeaveApplyOff()
    {
        QFETCH(int, which);
        Window w([](Settings& s) {
            s.CalendarBox = true;
            s.CalendarWinRgn = false;
        });
        MsgBoxScript boxes;
        switch (which) {
        case 0:
            ColorDialog::setNextCancel();
            w.frm->Command2->click();
            break;
        case 1:
            ColorDialog::setNextColor(Qt::black);
            w.frm->Command3[0]->click();
            break;
        case 2:
            ColorDialog::setNextCancel();
            w.frm->Command3[5]->click();
            break;
        case 3:
            ColorDialog::setNextCancel();
            w.frm->Command4->click();
            break;
        case 4:
            w.frm->setLayeringAvailable(false);
            w.frm->Check10->click();
            QVERIFY(!w.frm->Check10->isChecked());
            break;
        }
        QVERIFY(!w.frm->Command1[0]->isEnabled());
        QVERIFY(!w.frm->Command1[1]->isEnabled());
    }

    // A today colour just picked shows in the preview at once.
    void pickedTodayColourShowsInThePreview()
    {
        Window w;
        const QColor picked(3, 200, 7);
        const auto countPicked = [&w, picked] {
            const QImage& box = w.frm->preview()->boxImage();
            int count = 0;
            for (int y = 0; y < box.height(); ++y)
                for (int x = 0; x < box.width(); ++x)
                    count += box.pixelColor(x, y) == picked ? 1 : 0;
            return count;
        };
        QCOMPARE(countPicked(), 0);
        ColorDialog::setNextColor(picked);
        w.frm->Command3[5]->click();
        QVERIFY2(countPicked() > 20, "the today cell is not in the picked colour");
    }

    // Strength 0 turns the pseudo transparency off at loading, also in the
    // settings when the dialog is then cancelled.
    void zeroStrengthTransparencyIsOffAfterCancel()
    {
        Window w([](Settings& s) {
            s.Transparency = true;
            s.Transparency_value = 0;
        });
        QVERIFY(!w.frm->Check1->isChecked());
        w.frm->Command1[2]->click(); // キャンセル
        QVERIFY(!w.context.settings().Transparency);
    }

    // The picture path can be typed key by key, also through paths that
    // cannot be loaded; only when the user is done with it (leaves the field,
    // presses Enter, or applies) is an unloadable path cleared.
    void picturePathCanBeTyped_data()
    {
        QTest::addColumn<int>("finish");
        QTest::newRow("Enter") << 0;
        QTest::newRow("leave the field") << 1;
        QTest::newRow("apply") << 2;
    }

    void picturePathCanBeTyped()
    {
        QFETCH(int, finish);
        QTemporaryDir dir;
        const QString picture = dir.filePath(QStringLiteral("sky.png"));
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(picture));
        Window w([&picture](Settings& s) { s.PictureFile = picture; });
        QVERIFY(w.frm->Check6->isChecked());
        w.frm->TabStrip1->setCurrentIndex(3);
        w.frm->activateWindow();
        w.frm->Text1->setFocus();
        QTRY_VERIFY(w.frm->Text1->hasFocus());

        // Typed to the end of the path: "sky.png" becomes "sky.png.jpg".
        w.frm->Text1->end(false);
        QTest::keyClicks(w.frm->Text1, ".jpg");
        const QString typed = picture + QStringLiteral(".jpg");
        QCOMPARE(w.frm->Text1->text(), typed);
        QCOMPARE(w.frm->controls().Text1, typed);
        // Back to the loadable path, key by key.
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(w.frm->Text1, Qt::Key_Backspace);
        QCOMPARE(w.frm->Text1->text(), picture);
        QTest::keyClicks(w.frm->Text1, ".jpg");
        QCOMPARE(w.frm->Text1->text(), typed);

        w.target.unreadablePicture = typed;
        switch (finish) {
        case 0:
            QTest::keyClick(w.frm->Text1, Qt::Key_Return);
            break;
        case 1:
            w.frm->Combo2->setFocus();
            QTRY_VERIFY(!w.frm->Text1->hasFocus());
            break;
        case 2:
            w.frm->Command1_Click(1);
            QVERIFY(w.target.calls.contains("picture " + typed));
            QVERIFY(w.context.settings().PictureFile.isEmpty());
            break;
        }
        QVERIFY(w.frm->Text1->text().isEmpty());
        QVERIFY(w.frm->controls().Text1.isEmpty());
    }

    // Every colour button's pick is stored under its own setting.
    void everyColourButtonStoresItsOwnSetting_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("setting");
        const char* const names[] = {"WeekdaysColor", "SaturdayColor", "SundayColor",
                                     "YearColor",     "ShadowColor",   "CursorColor"};
        for (int i = 0; i < 6; ++i)
            QTest::newRow(names[i]) << QStringLiteral("Command3_%1").arg(i) << i;
        QTest::newRow("CalendarBackColor") << QStringLiteral("Command2") << 6;
        QTest::newRow("BoxColor") << QStringLiteral("Command4") << 7;
    }

    void everyColourButtonStoresItsOwnSetting()
    {
        QFETCH(QString, button);
        QFETCH(int, setting);
        Window w;
        const auto stored = [](const Settings& s) {
            return std::array<qint32, 8>{s.WeekdaysColor,     s.SaturdayColor, s.SundayColor,
                                         s.YearColor,         s.ShadowColor,   s.CursorColor,
                                         s.CalendarBackColor, s.BoxColor};
        };
        const std::array<qint32, 8> before = stored(w.context.settings());
        const QColor picked(12, 34, 56);
        ColorDialog::setNextColor(picked);
        auto* clicked = w.frm->findChild<QPushButton*>(button);
        QVERIFY(clicked);
        clicked->click();
        w.frm->Command1[1]->click(); // 更新
        std::array<qint32, 8> expected = before;
        expected[std::size_t(setting)] = RgbValue(12, 34, 56);
        QCOMPARE(stored(w.context.settings()), expected);
        QVERIFY(w.target.calls.contains("colors"));
    }

    // Each colour button stands right after its own name, and far from the
    // next name: white on the weekday button never reads as 土曜日.
    void everyColourButtonSitsWithItsOwnName()
    {
        Window w;
        w.frm->TabStrip1->setCurrentIndex(2);
        const char* names[] = {"平日", "土曜日", "日曜日", "年月", "文字影", "今日"};
        const QList<QLabel*> labels = w.frm->TabStrip1->widget(2)->findChildren<QLabel*>();
        for (int i = 0; i < 6; ++i) {
            QPushButton* button = w.frm->Command3[std::size_t(i)];
            const QRect b(button->mapTo(w.frm, QPoint(0, 0)), button->size());
            const QLabel* own = nullptr;
            for (QLabel* label : labels) {
                if (!label->isVisible())
                    continue;
                const QRect l(label->mapTo(w.frm, QPoint(0, 0)), label->size());
                const bool sameRow = l.top() < b.bottom() && b.top() < l.bottom();
                if (!sameRow)
                    continue;
                if (l.right() < b.left() && (!own || l.left() > own->mapTo(w.frm, QPoint()).x()))
                    own = label;
                if (l.left() > b.right())
                    QVERIFY2(l.left() - b.right() >= 20,
                             qPrintable(label->text() + " crowds " + QString::fromUtf8(names[i])));
            }
            QVERIFY2(own, names[i]);
            QCOMPARE(own->text(), QString::fromUtf8(names[i]));
            QCOMPARE(own->buddy(), button);
            QVERIFY(b.left() - (own->mapTo(w.frm, QPoint()).x() + own->width()) <= 12);
        }
    }

    // The scale words stand under the slider places they name: the lowest
    // value, the middle and the highest.
    void scaleWordsStandUnderTheirSliderPlaces()
    {
        Window w;
        w.frm->TabStrip1->setCurrentIndex(6);
        for (QSlider* slider : {w.frm->Slider1, w.frm->Slider3}) {
            QWidget* scale = slider == w.frm->Slider1 ? w.frm->Label6 : w.frm->Label11;
            const QList<QLabel*> words = scale->findChildren<QLabel*>();
            QCOMPARE(words.size(), 3);
            const auto place = [&](int value) {
                QStyleOptionSlider option;
                option.initFrom(slider);
                option.orientation = slider->orientation();
                option.minimum = slider->minimum();
                option.maximum = slider->maximum();
                option.sliderPosition = option.sliderValue = value;
                option.tickPosition = slider->tickPosition();
                const QRect handle = slider->style()->subControlRect(
                    QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
                return slider->mapTo(w.frm, handle.center()).x();
            };
            // The lowest value, the middle of the track, the highest value.
            const int low = place(slider->minimum());
            const int high = place(slider->maximum());
            const int places[] = {low, (low + high) / 2, high};
            for (int i = 0; i < 3; ++i) {
                const int x = places[i];
                QLabel* word =
                    scale->findChild<QLabel*>(scale->objectName() + QStringLiteral("_%1").arg(i));
                QVERIFY(word);
                const int wordLeft = word->mapTo(w.frm, QPoint(0, 0)).x();
                const int textWidth = word->fontMetrics().horizontalAdvance(word->text());
                const int textLeft = word->alignment().testFlag(Qt::AlignRight)
                                         ? wordLeft + word->width() - textWidth
                                     : word->alignment().testFlag(Qt::AlignHCenter)
                                         ? wordLeft + (word->width() - textWidth) / 2
                                         : wordLeft;
                QVERIFY2(textLeft - 4 <= x && x <= textLeft + textWidth + 4,
                         qPrintable(QStringLiteral("%1 at %2..%3, slider place %4")
                                        .arg(word->text())
                                        .arg(textLeft)
                                        .arg(textLeft + textWidth)
                                        .arg(x)));
            }
        }
    }

    // Escape is キャンセル: the window closes and the edits are dropped.
    void escapeCancels()
    {
        Window w;
        QSignalSpy unloaded(w.frm, &OptionFrm::unloaded);
        w.frm->Check3->click();
        QTest::keyClick(w.frm, Qt::Key_Escape);
        QVERIFY(!w.frm->isVisible());
        QCOMPARE(unloaded.count(), 1);
        QVERIFY(w.context.settings().MonthIcon);
    }

    // Opened low on the screen, the window and its help come up wholly on
    // it; the help names the menu items as the menus show them and closes
    // with Escape.
    void windowAndHelpFitOnTheScreen()
    {
        Window w;
        const QRect screen = w.frm->screen()->availableGeometry();
        w.frm->hide();
        w.frm->move(screen.left() + 40, screen.bottom() - 60);
        w.frm->show();
        // Its top and bottom on the screen (the test screen is narrower than
        // the window's widest page, so only its left edge is asked for).
        const QRect frame = w.frm->frameGeometry();
        QVERIFY2(frame.top() >= screen.top() && frame.bottom() <= screen.bottom() &&
                     frame.left() >= screen.left(),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(frame.x())
                                .arg(frame.y())
                                .arg(frame.width())
                                .arg(frame.height())));

        QWidget owner;
        const PopupMenus menus = BuildPopupMenus(&owner);
        const QString trayItem = menus.MNU_O->text().remove(QLatin1Char('&'));
        for (int page = 0; page < w.frm->TabStrip1->count(); ++page) {
            w.frm->TabStrip1->setCurrentIndex(page);
            w.frm->Command1_Click(3);
            auto* help = w.frm->findChild<HelpWindow*>();
            QVERIFY(help);
            QVERIFY(help->isVisible());
            QVERIFY(screen.contains(help->frameGeometry()));
            const QString text = help->browser()->toPlainText();
            if (text.contains(QStringLiteral(u"タスクトレイのメニュー")))
                QVERIFY2(
                    text.contains(QStringLiteral(u"タスクトレイのメニュー「") + trayItem + u'」'),
                    qPrintable(text.left(120)));
            QTest::keyClick(help, Qt::Key_Escape);
            QVERIFY(!help->isVisible());
        }
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
