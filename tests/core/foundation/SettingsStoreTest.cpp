#include "core/SettingsStore.h"

#include "core/ActivityLog.h"
#include "core/AnsiText.h"
#include "core/Clock.h"
#include "core/SettingsTable.h"
#include "core/Version.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <utility>
#include <vector>

namespace morvane {
namespace {

// Each test gets its own settings file in a temporary folder.
class SettingsStoreTest : public ::testing::Test
{
protected:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("Morvane.ini")); }
    QString folder() const { return m_dir.path(); }

    std::unique_ptr<QSettings> openStore() const
    {
        return std::make_unique<QSettings>(iniPath(), QSettings::IniFormat);
    }

    void store(const std::vector<std::pair<QString, QString>>& values) const
    {
        auto settings = openStore();
        for (const auto& [name, text] : values)
            settings->setValue(name, text);
    }

    Settings load(const SettingsEnvironment& environment = {}) const
    {
        return LoadSettings(*openStore(), environment);
    }

    void save(const Settings& settings) const
    {
        auto store = openStore();
        SaveSettings(*store, settings, folder(), m_clock);
    }

    QByteArray fileBytes(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    FixedClock m_clock{QDateTime(QDate(2024, 5, 1), QTime(9, 5, 7))};
};

// What a first run writes, value by value, in the stored text forms.
const std::map<QString, QString> kFirstRunTexts = {
    {"Left", "0"},
    {"Top", "0"},
    {"Transparency", "True"},
    {"Transparency_value", "8"},
    {"TransparencyEx", "False"},
    {"TransparencyEx_value", "6"},
    {"PictureFile", ""},
    {"PicturePosition", "0"},
    {"CalendarView", "True"},
    {"CalendarBox", "False"},
    {"CalendarWinRgn", "True"},
    {"MonthIcon", "True"},
    {"JumpIcon", "False"},
    {"MemoIcon", "False"},
    {"ShowTitle", "True"},
    {"TopView", "False"},
    {"BottomView", "False"},
    {"TitleType", "0"},
    {"TootTipType", "0"},
    {"CursorColor", "13172580"},
    {"CalendarBackColor", "0"},
    {"BoxColor", "-2147483643"},
    {"FontName", QStringLiteral(u"ＭＳ Ｐゴシック")},
    {"FontSize", "10"},
    {"FontItalic", "False"},
    {"FontBold", "False"},
    {"DayFontName", "Comic Sans MS"},
    {"DayFontSize", "11"},
    {"MarkSize", "13"},
    {"DayFontItalic", "False"},
    {"DayFontBold", "True"},
    {"SaturdayColor", "16750080"},
    {"SundayColor", "255"},
    {"WeekdaysColor", "16777215"},
    {"YearColor", "16777215"},
    {"ShadowColor", "4605510"},
    {"CalendarSize", "3"},
    {"BeepFlg", "False"},
    {"SoundFlg", "False"},
    {"SoundFile", ""},
    {"FlashIcon", "True"},
    {"ShowWait", "150"},
    {"ViewTop", "0"},
    {"ViewLeft", "0"},
    {"ViewWidth", "8000"},
    {"ViewHeight", "6000"},
    {"ViewLineX", "1900"},
    {"ViewLineY", "3600"},
    {"IconClickView", "False"},
    {"ToolTipView", "True"},
    {"MouseFlg", "False"},
    {"StartLog", "False"},
    {"EndLog", "False"},
    {"IconFile1", ""},
    {"IconFile2", ""},
    {"ShowDayIcon", "False"},
    {"StartAtLogin", "False"},
    {"Version", RunningVersion()},
};

TEST_F(SettingsStoreTest, FirstRunSavesEveryValueInItsStoredForm)
{
    const SettingsEnvironment withComic{{QStringLiteral("Arial"), QStringLiteral("Comic Sans MS")}};
    save(load(withComic));

    auto saved = openStore();
    QStringList keys = saved->childKeys();
    EXPECT_EQ(keys.size(), static_cast<qsizetype>(kFirstRunTexts.size()));
    for (const auto& [name, text] : kFirstRunTexts) {
        ASSERT_TRUE(saved->contains(name)) << name.toStdString();
        const QVariant value = saved->value(name);
        EXPECT_EQ(value.typeId(), QMetaType::QString) << name.toStdString();
        EXPECT_EQ(value.toString(), text) << name.toStdString();
    }
    // Plain text in the file itself, readable and editable by hand.
    const QByteArray file = fileBytes(iniPath());
    EXPECT_TRUE(file.contains("\nBoxColor=-2147483643\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("\nTransparency=True\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("\nPictureFile=\n")) << file.toStdString();
}

TEST_F(SettingsStoreTest, FirstRunKeepsTheDefaultBackground)
{
    const Settings settings = load({{QStringLiteral("comic sans ms")}});
    EXPECT_FALSE(settings.TransparencyEx);
    EXPECT_TRUE(settings.Transparency);
    // Only the exact font name counts.
    EXPECT_EQ(settings.DayFontName, QStringLiteral(u"ＭＳ Ｐゴシック"));
    EXPECT_EQ(settings, Settings{});
    EXPECT_FALSE(QFile::exists(iniPath())); // loading never creates the store
}

// The session (a compositor or none, Wayland or X11) decides how the
// background shows, never what is stored: a missing translucency setting is
// the plain default, and a stored choice stands.
TEST_F(SettingsStoreTest, TranslucencyIsTheUsersChoiceOnly)
{
    store({{"Transparency", "True"}});
    Settings settings = load();
    EXPECT_FALSE(settings.TransparencyEx);
    EXPECT_TRUE(settings.Transparency);

    store({{"TransparencyEx", "True"}, {"Transparency", "False"}});
    settings = load();
    EXPECT_TRUE(settings.TransparencyEx);
    EXPECT_FALSE(settings.Transparency);
}

struct ReadCase
{
    const char* why;
    std::vector<std::pair<QString, QString>> stored;
    std::function<void(Settings&)> expect; // changes from a first run without translucency
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.why;
}

class SettingsReadTest : public SettingsStoreTest, public ::testing::WithParamInterface<ReadCase>
{
};

TEST_P(SettingsReadTest, StoredTextBecomesTheValue)
{
    store(GetParam().stored);
    Settings expected;
    GetParam().expect(expected);
    EXPECT_EQ(load(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsReadTest,
    ::testing::Values(
        // "True" group: letter case counts.
        ReadCase{"exact True",
                 {{"CalendarBox", "True"}},
                 [](Settings& s) {
                     s.CalendarBox = true;
                 }},
        ReadCase{"lower-case true is False",
                 {{"Transparency", "true"}, {"CalendarBox", "TRUE"}},
                 [](Settings& s) {
                     s.Transparency = false;
                 }},
        ReadCase{"anything else is False",
                 {{"ShowTitle", "1"}, {"CalendarView", ""}},
                 [](Settings& s) {
                     s.ShowTitle = s.CalendarView = false;
                 }},
        // Bool group: any letter case, numbers, bad text keeps the default.
        ReadCase{"Bool ignores letter case",
                 {{"FontBold", "true"}, {"DayFontBold", "FALSE"}, {"FontItalic", "-1"}},
                 [](Settings& s) {
                     s.FontBold = s.FontItalic = true;
                     s.DayFontBold = false;
                 }},
        ReadCase{"Bool that does not convert",
                 {{"DayFontBold", "yes"}, {"FlashIcon", ""}},
                 [](Settings&) {
                 }},
        // Val group: the leading number, 0 when none.
        ReadCase{"Val takes the leading number",
                 {{"Left", "1200px"}, {"Top", "-300"}, {"TitleType", "3.5"}},
                 [](Settings& s) {
                     s.Left = 1200;
                     s.Top = -300;
                     s.TitleType = 4;
                 }},
        ReadCase{"Val of no number is 0, not the default",
                 {{"Transparency_value", "abc"}, {"TransparencyEx_value", ""}},
                 [](Settings& s) {
                     s.Transparency_value = s.TransparencyEx_value = 0;
                 }},
        ReadCase{"Val too large for the value keeps the default",
                 {{"Transparency_value", "40000"}, {"Left", "9999999999"}},
                 [](Settings&) {
                 }},
        // Int and Long groups: the whole text must be a number that fits.
        ReadCase{
            "Int and Long",
            {{"FontSize", " 12 "}, {"ViewWidth", "12000"}, {"CalendarBackColor", "-2147483643"}},
            [](Settings& s) {
                s.FontSize = 12;
                s.ViewWidth = 12000;
                s.CalendarBackColor = -2147483643;
            }},
        ReadCase{"bad numbers keep the defaults",
                 {{"FontSize", "abc"},
                  {"ViewHeight", "6000px"},
                  {"CalendarSize", ""},
                  {"ShowWait", "40000"},
                  {"CursorColor", "red"},
                  {"BoxColor", "2147483648"}},
                 [](Settings&) {
                 }},
        // Text group: as stored, empty included.
        ReadCase{"texts as stored",
                 {{"FontName", ""}, {"SoundFile", "C:\\Sounds\\chime, 2.wav"}},
                 [](Settings& s) {
                     s.FontName.clear();
                     s.SoundFile = QStringLiteral("C:\\Sounds\\chime, 2.wav");
                 }},
        ReadCase{"stored version is replaced by the running one",
                 {{"Version", "1.0.0"}},
                 [](Settings&) {
                 }},
        // Values settled by other values.
        ReadCase{"mark size follows a large day font up to 20",
                 {{"DayFontSize", "25"}},
                 [](Settings& s) {
                     s.DayFontSize = 25;
                     s.MarkSize = 20;
                 }},
        ReadCase{"mark size is day font + 2",
                 {{"DayFontSize", "17"}},
                 [](Settings& s) {
                     s.DayFontSize = 17;
                     s.MarkSize = 19;
                 }},
        ReadCase{"a stored mark size stands",
                 {{"DayFontSize", "25"}, {"MarkSize", "8"}},
                 [](Settings& s) {
                     s.DayFontSize = 25;
                     s.MarkSize = 8;
                 }},
        ReadCase{"a bad mark size follows the day font",
                 {{"DayFontSize", "9"}, {"MarkSize", "big"}},
                 [](Settings& s) {
                     s.DayFontSize = 9;
                     s.MarkSize = 11;
                 }},
        // Sizes the options never offer (a hand-edited file) take the
        // nearest offered one: a 999-point font would fill the screen and
        // stall the start in the font fitting.
        ReadCase{"huge font, mark and calendar sizes",
                 {{"FontSize", "999"},
                  {"DayFontSize", "999"},
                  {"MarkSize", "32767"},
                  {"CalendarSize", "999"}},
                 [](Settings& s) {
                     s.FontSize = s.DayFontSize = s.MarkSize = 26;
                     s.CalendarSize = 25;
                 }},
        ReadCase{"tiny and negative sizes",
                 {{"FontSize", "0"}, {"DayFontSize", "-5"}, {"CalendarSize", "-1"}},
                 [](Settings& s) {
                     s.FontSize = s.DayFontSize = s.MarkSize = 7;
                     s.CalendarSize = 0;
                 }},
        ReadCase{
            "the ends of the offered ranges stand",
            {{"FontSize", "7"}, {"DayFontSize", "26"}, {"MarkSize", "26"}, {"CalendarSize", "25"}},
            [](Settings& s) {
                s.FontSize = 7;
                s.DayFontSize = s.MarkSize = 26;
                s.CalendarSize = 25;
            }},
        ReadCase{"on top excludes at the bottom",
                 {{"TopView", "True"}, {"BottomView", "True"}},
                 [](Settings& s) {
                     s.TopView = true;
                 }},
        ReadCase{
            "at the bottom alone", {{"TopView", "true"}, {"BottomView", "True"}}, [](Settings& s) {
                s.BottomView = true;
            }}));

TEST_F(SettingsStoreTest, DayFontFollowsTheInstalledFontsOnlyWhenAbsent)
{
    const SettingsEnvironment withComic{{QStringLiteral("Comic Sans MS")}};
    EXPECT_EQ(load(withComic).DayFontName, QStringLiteral("Comic Sans MS"));
    store({{"DayFontName", QStringLiteral(u"メイリオ")}});
    EXPECT_EQ(load(withComic).DayFontName, QStringLiteral(u"メイリオ"));
}

TEST_F(SettingsStoreTest, EverythingChangedRoundTripsAndRewritesIdentically)
{
    Settings changed;
    changed.Left = std::numeric_limits<qint32>::min();
    changed.Top = std::numeric_limits<qint32>::max();
    changed.TransparencyEx = true;
    changed.Transparency = false;
    changed.Transparency_value = -1;
    changed.PictureFile = QStringLiteral(u" C:\\写真\\a;b,c \"q\" #1 = x.bmp ");
    changed.FontName = QStringLiteral(u"ＭＳ 明朝");
    changed.DayFontName = QStringLiteral("@Variant(\\0)");
    changed.SoundFile = QStringLiteral("@chime.wav");
    changed.IconFile1 = QStringLiteral("a\nb");
    changed.IconFile2 = QStringLiteral("true");
    changed.BoxColor = std::numeric_limits<qint32>::min();
    changed.ViewTop = std::numeric_limits<qint16>::min();
    changed.ViewLeft = std::numeric_limits<qint16>::max();
    changed.MarkSize = 26; // the largest offered
    changed.TopView = true;
    changed.BottomView = false;
    changed.DayFontBold = false;
    changed.StartLog = true;
    changed.ShowDayIcon = true;

    save(changed);
    const QByteArray firstFile = fileBytes(iniPath());
    const Settings reread = load({{QStringLiteral("Comic Sans MS")}});
    EXPECT_EQ(reread, changed);
    EXPECT_EQ(reread.FontName, QStringLiteral(u"ＭＳ 明朝"));

    save(reread);
    EXPECT_EQ(fileBytes(iniPath()), firstFile);
}

TEST_F(SettingsStoreTest, SavingAppendsTheExitLineOnlyWhenAsked)
{
    Settings settings;
    save(settings);
    EXPECT_FALSE(QFile::exists(LogFilePath(folder())));

    settings.EndLog = true;
    save(settings);
    EXPECT_EQ(fileBytes(LogFilePath(folder())), LogLineBytes(u"2024/05/01 09:05.07", kLogEndEvent));
    EXPECT_EQ(openStore()->value("EndLog").toString(), QStringLiteral("True"));
}

TEST_F(SettingsStoreTest, AStoreThatCannotBeWrittenIsPassedOver)
{
    // The settings "file" sits below a plain file, so no folder can be made.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings unwritable(m_dir.filePath(QStringLiteral("blocker/Morvane.ini")),
                         QSettings::IniFormat);

    Settings settings;
    settings.EndLog = true;
    EXPECT_FALSE(WriteRegString(unwritable, QStringLiteral("Left"), QStringLiteral("5")));
    SaveSettings(unwritable, settings, folder(), m_clock);
    EXPECT_TRUE(QFile::exists(LogFilePath(folder()))); // the run still ends normally
}

TEST_F(SettingsStoreTest, TheUserStoreIsAnIniFileNamedAfterTheMaker)
{
#ifndef Q_OS_WIN
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder());
    // An organisation-wide file must not leak into the program's values.
    QSettings(folder() + QStringLiteral("/Quillstone.ini"), QSettings::IniFormat)
        .setValue("FontSize", "30");

    auto store = OpenUserSettingsStore();
    EXPECT_EQ(store->fileName(), folder() + QStringLiteral("/Quillstone/Morvane.ini"));
    EXPECT_EQ(LoadSettings(*store, {}).FontSize, 10);
    SaveSettings(*store, Settings{}, folder(), m_clock);
    EXPECT_TRUE(QFile::exists(store->fileName()));
#else
    GTEST_SKIP() << "the registry key is the store on Windows";
#endif
}

TEST(VersionTest, IsMajorMinorRevision)
{
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$"))
                    .match(RunningVersion())
                    .hasMatch())
        << RunningVersion().toStdString();
}

TEST(SettingsTableTest, NamesAreUniqueAndMatchTheFirstRunList)
{
    QSet<QString> names;
    for (const SettingKey& key : SettingKeys())
        names.insert(QLatin1String(key.name));
    EXPECT_EQ(names.size(), static_cast<qsizetype>(kSettingCount));
    for (const auto& entry : kFirstRunTexts)
        EXPECT_TRUE(names.contains(entry.first)) << entry.first.toStdString();
}

TEST(SettingsTableTest, ViewerTopIsReadFirstAndWrittenSecond)
{
    const auto position = [](const auto& keys, const char* name) {
        return std::find_if(keys.begin(), keys.end(),
                            [name](const SettingKey& k) { return qstrcmp(k.name, name) == 0; }) -
               keys.begin();
    };
    const auto& readOrder = SettingKeys();
    const auto writeOrder = SettingKeysInWriteOrder();
    EXPECT_LT(position(readOrder, "ViewTop"), position(readOrder, "ViewLeft"));
    EXPECT_LT(position(writeOrder, "ViewLeft"), position(writeOrder, "ViewTop"));
}

} // namespace
} // namespace morvane
