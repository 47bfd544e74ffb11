#include "ui_toolkit/MsgBox.h"

#include "ui_toolkit/MousePointer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace morvane;

namespace {

// Runs action on the next modal message box once it is on screen.
void whenBoxShows(std::function<void(QMessageBox*)> action)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        action(box);
    });
    poll->start(10);
}

QPushButton* buttonLabelled(QMessageBox* box, const QString& label)
{
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == label)
            return qobject_cast<QPushButton*>(button);
    }
    return nullptr;
}

} // namespace

class MsgBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void scriptAnswersInOrderAndRecordsWhatWouldShow()
    {
        MsgBoxScript script;
        script.answer({MsgBoxResult::No, MsgBoxResult::Cancel});

        const int first =
            MsgBox(QStringLiteral("予定を削除してよろしいですか？"),
                   MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2,
                   QStringLiteral("予定の削除"));
        const int second =
            MsgBox(QStringLiteral("変更を保存しますか？"),
                   MsgBoxStyle::YesNoCancel + MsgBoxStyle::Exclamation, QStringLiteral("予定編集"));
        // Queue used up: the box's default button answers.
        const int third = MsgBox(QStringLiteral("既に起動されています"), MsgBoxStyle::Information);

        QCOMPARE(first, MsgBoxResult::No);
        QCOMPARE(second, MsgBoxResult::Cancel);
        QCOMPARE(third, MsgBoxResult::Ok);
        QCOMPARE(script.pendingAnswers(), 0);
        QCOMPARE(script.calls().size(), std::size_t(3));
        QCOMPARE(script.calls()[0].style, 4 + 32 + 256);
        QCOMPARE(script.calls()[0].title, QStringLiteral("予定の削除"));
        QCOMPARE(script.calls()[1].text, QStringLiteral("変更を保存しますか？"));
        QCOMPARE(script.calls()[1].result, MsgBoxResult::Cancel);
        // No title given: the application's name is the caption.
        QCOMPARE(script.lastCall().title, QStringLiteral("モルヴァ"));
        QCOMPARE(script.lastCall().style, 64);
    }

    void buttonSets_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<int>("defaultResult");
        QTest::addColumn<int>("escapeResult");
        QTest::newRow("OK") << 0 + 48 << QList<int>{1} << 1 << 1;
        QTest::newRow("OK, second default ignored") << 0 + 256 << QList<int>{1} << 1 << 1;
        QTest::newRow("OK/Cancel") << 1 + 32 << QList<int>{1, 2} << 1 << 2;
        QTest::newRow("Yes/No/Cancel") << 3 + 48 << QList<int>{6, 7, 2} << 6 << 2;
        QTest::newRow("Yes/No/Cancel, No default") << 3 + 256 << QList<int>{6, 7, 2} << 7 << 2;
        QTest::newRow("Yes/No/Cancel, Cancel default") << 3 + 512 << QList<int>{6, 7, 2} << 2 << 2;
        QTest::newRow("Yes/No") << 4 + 32 << QList<int>{6, 7} << 6 << 7;
        QTest::newRow("Yes/No, No default") << 4 + 32 + 256 << QList<int>{6, 7} << 7 << 7;
        QTest::newRow("unknown buttons as OK") << 5 + 16 << QList<int>{1} << 1 << 1;
    }

    void buttonSets()
    {
        QFETCH(int, style);
        QFETCH(QList<int>, results);
        QFETCH(int, defaultResult);
        QFETCH(int, escapeResult);

        const std::vector<int> possible = MsgBoxPossibleResults(style);
        QCOMPARE(QList<int>(possible.begin(), possible.end()), results);
        QCOMPARE(MsgBoxDefaultResult(style), defaultResult);
        QCOMPARE(MsgBoxEscapeResult(style), escapeResult);

        // Every button's answer comes back through the script unchanged.
        MsgBoxScript script;
        for (int result : results) {
            script.answer(result);
            QCOMPARE(MsgBox(QStringLiteral("?"), style, QStringLiteral("t")), result);
        }
    }

    void styleParts()
    {
        QCOMPARE(MsgBoxIcon(16), MsgBoxStyle::Critical);
        QCOMPARE(MsgBoxIcon(4 + 32 + 256), MsgBoxStyle::Question);
        QCOMPARE(MsgBoxIcon(48 + 3), MsgBoxStyle::Exclamation);
        QCOMPARE(MsgBoxIcon(64), MsgBoxStyle::Information);
        QCOMPARE(MsgBoxIcon(1), MsgBoxStyle::NoIcon);
        QCOMPARE(MsgBoxButtons(4 + 32 + 256), MsgBoxStyle::YesNo);
    }

    // The real dialog: each button, and Escape, gives its code.
    void realDialog_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("press"); // a button label, "Escape" or "Close"
        QTest::addColumn<int>("expected");
        QTest::newRow("OK") << 0 + 64 << "OK" << 1;
        QTest::newRow("OK by Escape") << 0 + 16 << "Escape" << 1;
        QTest::newRow("OK/Cancel: Cancel") << 1 << "キャンセル" << 2;
        QTest::newRow("OK/Cancel: Escape") << 1 << "Escape" << 2;
        QTest::newRow("Yes/No/Cancel: Yes") << 3 + 48 << "はい(&Y)" << 6;
        QTest::newRow("Yes/No/Cancel: No") << 3 + 48 << "いいえ(&N)" << 7;
        QTest::newRow("Yes/No/Cancel: Escape") << 3 + 48 << "Escape" << 2;
        QTest::newRow("Yes/No: Yes") << 4 + 32 + 256 << "はい(&Y)" << 6;
        QTest::newRow("Yes/No: Escape declines") << 4 + 32 << "Escape" << 7;
        QTest::newRow("Yes/No/Cancel: closed") << 3 << "Close" << 2;
        QTest::newRow("Yes/No: closed") << 4 << "Close" << 7;
    }

    void realDialog()
    {
        QFETCH(int, style);
        QFETCH(QString, press);
        QFETCH(int, expected);

        bool pressed = false;
        whenBoxShows([&](QMessageBox* box) {
            pressed = true;
            if (press == QLatin1String("Escape")) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else if (press == QLatin1String("Close")) {
                box->close(); // the title bar's close button
            } else if (QPushButton* button = buttonLabelled(box, press)) {
                button->click();
            } else {
                box->done(0); // a missing button fails below
            }
        });
        const int result = MsgBox(QStringLiteral("text"), style, QStringLiteral("title"));
        QVERIFY(pressed);
        QCOMPARE(result, expected);
    }

    // Texts of its own replace the named buttons' texts; the answers stay.
    void realDialogWithButtonTextsOfItsOwn()
    {
        const MsgBoxButtonTexts texts{{MsgBoxResult::Yes, QStringLiteral("この日だけ")},
                                      {MsgBoxResult::No, QStringLiteral("すべて")}};
        const int style =
            MsgBoxStyle::YesNoCancel + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton3;
        for (const auto& [press, expected] :
             {std::pair{QStringLiteral("この日だけ"), MsgBoxResult::Yes},
              std::pair{QStringLiteral("すべて"), MsgBoxResult::No},
              std::pair{QStringLiteral("キャンセル"), MsgBoxResult::Cancel}}) {
            QStringList labels;
            QString defaultLabel;
            whenBoxShows([&, press = press](QMessageBox* box) {
                for (QAbstractButton* button : box->buttons())
                    labels << button->text();
                defaultLabel = box->defaultButton() ? box->defaultButton()->text() : QString();
                if (QPushButton* button = buttonLabelled(box, press))
                    button->click();
                else
                    box->done(0);
            });
            QCOMPARE(MsgBox(QStringLiteral("text"), style, QStringLiteral("title"), texts),
                     expected);
            labels.sort();
            QStringList expectedLabels{QStringLiteral("この日だけ"), QStringLiteral("すべて"),
                                       QStringLiteral("キャンセル")};
            expectedLabels.sort();
            QCOMPARE(labels, expectedLabels);
            QCOMPARE(defaultLabel, QStringLiteral("キャンセル"));
        }
    }

    void realDialogShowsTheStyleAndPlainText()
    {
        QString title;
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString defaultLabel;
        bool onTop = false;
        Qt::CursorShape pointer = Qt::BlankCursor;
        BusyPointer busy; // asked in the middle of a long action
        whenBoxShows([&](QMessageBox* box) {
            pointer = QGuiApplication::overrideCursor()->shape();
            title = box->windowTitle();
            text = box->text();
            format = box->textFormat();
            icon = box->icon();
            defaultLabel = box->defaultButton() ? box->defaultButton()->text() : QString();
            onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box->defaultButton()->click();
        });
        const int result =
            MsgBox(QStringLiteral("「<b>予定</b>」\r\nを削除してもよろしいですか？"),
                   MsgBoxStyle::YesNo + MsgBoxStyle::Exclamation + MsgBoxStyle::DefaultButton2,
                   QStringLiteral("予定の削除"));

        QCOMPARE(result, MsgBoxResult::No);
        QCOMPARE(title, QStringLiteral("予定の削除"));
        // User text is never taken as markup; CR LF becomes one line break.
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(text, QStringLiteral("「<b>予定</b>」\nを削除してもよろしいですか？"));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(defaultLabel, QStringLiteral("いいえ(&N)"));
        QVERIFY(onTop);
        // The box shows the arrow; the action is busy again afterwards.
        QCOMPARE(pointer, Qt::ArrowCursor);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
};

QTEST_MAIN(MsgBoxTest)
#include "MsgBoxTest.moc"
