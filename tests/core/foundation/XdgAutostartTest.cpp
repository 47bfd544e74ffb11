#include "core/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(XdgAutostart, WritesReadsBackAndRemovesTheEntry)
{
    QTemporaryDir config;
    XdgAutostart entry(config.path(), QStringLiteral("/opt/my apps/bin/morvane"));
    EXPECT_FALSE(entry.isEnabled());
    EXPECT_EQ(entry.entryPath(), config.filePath("autostart/example.quillstone.Morvane.desktop"));

    QString error;
    ASSERT_TRUE(entry.setEnabled(true, &error)) << error.toStdString();
    EXPECT_TRUE(entry.isEnabled());
    const QByteArray text = ReadAll(entry.entryPath());
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(text.contains("\nExec=\"/opt/my apps/bin/morvane\"\n"));
    EXPECT_TRUE(text.contains("\nType=Application\n"));
    EXPECT_TRUE(text.contains("\nIcon=example.quillstone.Morvane\n"));

    ASSERT_TRUE(entry.setEnabled(false, &error));
    EXPECT_FALSE(entry.isEnabled());
    EXPECT_FALSE(QFile::exists(entry.entryPath()));
    EXPECT_TRUE(entry.setEnabled(false, &error)) << "removing a missing entry is no failure";
}

// Desktops switch an entry off in their own settings without removing it.
TEST(XdgAutostart, AnEntrySwitchedOffByTheDesktopIsOff)
{
    const struct
    {
        const char* text;
        bool enabled;
    } cases[] = {
        {"[Desktop Entry]\nExec=morvane\n", true},
        {"[Desktop Entry]\nExec=morvane\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=morvane\nHidden = True\n", false},
        {"[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nX-GNOME-Autostart-enabled=true\nHidden=false\n", true},
        {"[Other Group]\nHidden=true\n[Desktop Entry]\nExec=morvane\n", true},
    };
    for (const auto& k : cases) {
        QTemporaryDir config;
        XdgAutostart entry(config.path(), QStringLiteral("/usr/bin/morvane"));
        ASSERT_TRUE(QDir().mkpath(config.filePath("autostart")));
        QFile file(entry.entryPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(k.text);
        file.close();
        EXPECT_EQ(entry.isEnabled(), k.enabled) << k.text;
    }
}

TEST(XdgAutostart, AFolderThatCannotBeWrittenIsReported)
{
    QTemporaryDir home;
    // A plain file where the configuration folder should be: no user,
    // root included, can create the entry below it.
    const QString config = home.filePath("config");
    QFile blocker(config);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    XdgAutostart entry(config, QStringLiteral("/usr/bin/morvane"));
    QString error;
    EXPECT_FALSE(entry.setEnabled(true, &error));
    EXPECT_TRUE(error.contains("autostart")) << error.toStdString();
    EXPECT_FALSE(entry.isEnabled());
}

TEST(XdgAutostart, ExecArgumentEscapesWhatTheFormatReserves)
{
    const struct
    {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/usr/bin/morvane", R"("/usr/bin/morvane")"},
        {"/home/a b/morvane", R"("/home/a b/morvane")"},
        {"/home/100%/morvane", R"("/home/100%%/morvane")"},
        {"/home/$USER/`x`/morvane", R"("/home/\\$USER/\\`x\\`/morvane")"},
        {R"(/home/q"uote/morvane)", R"("/home/q\\"uote/morvane")"},
        {R"(/home/back\slash/morvane)", R"("/home/back\\\\slash/morvane")"},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(XdgAutostart::ExecArgument(QString::fromUtf8(k.path)).toStdString(), k.exec)
            << k.path;
    }
}

} // namespace
} // namespace morvane
