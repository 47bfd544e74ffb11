#include "app/ToolkitTranslations.h"

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <QTranslator>
#include <algorithm>

namespace morvane {

// The toolkit's own dialogs follow the system language: Japanese on a
// Japanese system; elsewhere nothing of the program's own texts changes.
class ToolkitTranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    void japaneseSystemGetsJapaneseDialogs_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("ja_JP") << QStringLiteral("ja_JP");
        QTest::newRow("ja") << QStringLiteral("ja");
    }

    void japaneseSystemGetsJapaneseDialogs()
    {
        QFETCH(QString, locale);
        QVERIFY(InstallToolkitTranslations(*qApp, QLocale(locale)));
        // The file dialog's "Look in:" and the colour dialog's title and
        // basic colours.
        for (const auto& [context, text] :
             {std::pair{"QFileDialog", "Look in:"}, std::pair{"QFileDialog", "File &name:"},
              std::pair{"QColorDialog", "Select Color"},
              std::pair{"QColorDialog", "&Basic colors"}}) {
            const QString translated = QCoreApplication::translate(context, text);
            QVERIFY2(translated != QString::fromLatin1(text), text);
            QVERIFY2(std::any_of(translated.begin(), translated.end(),
                                 [](QChar c) { return c.unicode() > 0x3000; }),
                     qPrintable(translated));
        }
    }

    // An English system keeps the toolkit's texts as they are; nothing of
    // Japanese is put over them.
    void otherSystemsKeepTheirOwnTexts()
    {
        InstallToolkitTranslations(*qApp, QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"),
                 QStringLiteral("Look in:"));
        QCOMPARE(QCoreApplication::translate("QColorDialog", "Select Color"),
                 QStringLiteral("Select Color"));
    }
};

} // namespace morvane

QTEST_MAIN(morvane::ToolkitTranslationsTest)
#include "ToolkitTranslationsTest.moc"
