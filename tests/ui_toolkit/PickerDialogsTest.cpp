#include "ui_toolkit/ColorDialog.h"
#include "ui_toolkit/FileDialog.h"

#include <QTest>

using namespace morvane;

class PickerDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        FileDialog::resetScript();
        ColorDialog::resetScript();
    }

    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("export")
            << "CSVファイル(csv)|*.csv|テキストファイル(*.txt)|*.txt|その他(*.*)|*.*"
            << QStringList{"CSVファイル(csv) (*.csv)", "テキストファイル(*.txt) (*.txt)",
                           "その他(*.*) (*.*)"};
        QTest::newRow("several patterns")
            << "JPEGファイル(*.jpg,*.jpeg)|*.jpg;*.jpeg"
            << QStringList{"JPEGファイル(*.jpg,*.jpeg) (*.jpg *.jpeg)"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("description without patterns") << "アイコン(ico)" << QStringList{};
    }

    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(FileDialog::nameFilters(filter), expected);
    }

    void defaultExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("expected");
        QTest::newRow("added") << "/tmp/morv"
                               << "csv"
                               << "/tmp/morv.csv";
        QTest::newRow("kept") << "/tmp/morv.txt"
                              << "csv"
                              << "/tmp/morv.txt";
        QTest::newRow("dot in folder") << "/tmp/a.b/morv"
                                       << "csv"
                                       << "/tmp/a.b/morv.csv";
        QTest::newRow("dotted extension") << "morv"
                                          << ".csv"
                                          << "morv.csv";
        QTest::newRow("no default") << "morv"
                                    << ""
                                    << "morv";
    }

    void defaultExtension()
    {
        QFETCH(QString, path);
        QFETCH(QString, extension);
        QFETCH(QString, expected);
        QCOMPARE(FileDialog::withDefaultExtension(path, extension), expected);
    }

    void scriptedFilePickers()
    {
        FileDialog::setNextFileName(QStringLiteral("/tmp/out/schedules"));
        FileDialog::setNextCancel();
        const FileDialogOptions save{QStringLiteral("エクスポートするファイル"),
                                     QStringLiteral("CSVファイル(csv)|*.csv"),
                                     QStringLiteral("csv"),
                                     QStringLiteral("morv.csv"),
                                     {}};
        QCOMPARE(FileDialog::getSaveFileName(nullptr, save),
                 std::optional<QString>(QStringLiteral("/tmp/out/schedules.csv")));
        QCOMPARE(FileDialog::getOpenFileName(nullptr, {QStringLiteral("アイコンファイルを開く"),
                                                       QStringLiteral("アイコン(ico)|*.ico"),
                                                       QStringLiteral("ico"),
                                                       {},
                                                       {}}),
                 std::nullopt);

        QCOMPARE(FileDialog::requests().size(), std::size_t(2));
        QCOMPARE(FileDialog::requests()[0].kind, FileDialog::Kind::Save);
        QCOMPARE(FileDialog::requests()[0].options.fileName, QStringLiteral("morv.csv"));
        QCOMPARE(FileDialog::requests()[1].kind, FileDialog::Kind::Open);
        QCOMPARE(FileDialog::requests()[1].options.title, QStringLiteral("アイコンファイルを開く"));
    }

    void scriptedColourPicker()
    {
        ColorDialog::setNextColor(QColor(10, 20, 30));
        ColorDialog::setNextCancel();
        QCOMPARE(ColorDialog::getColor(nullptr, Qt::white, QStringLiteral("色")),
                 std::optional<QColor>(QColor(10, 20, 30)));
        QCOMPARE(ColorDialog::getColor(nullptr, Qt::black), std::nullopt);
        QCOMPARE(ColorDialog::requests().size(), std::size_t(2));
        QCOMPARE(ColorDialog::requests()[0].initial, QColor(Qt::white));
        QCOMPARE(ColorDialog::requests()[0].title, QStringLiteral("色"));
    }
};

QTEST_MAIN(PickerDialogsTest)
#include "PickerDialogsTest.moc"
