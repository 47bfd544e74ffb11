#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

class ProgramFolderTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString fallback() const { return path(QStringLiteral("user/Quillstone/Morvane")); }

    QTemporaryDir m_dir;
};

TEST_F(ProgramFolderTest, AWritableExecutableFolderIsTheProgramFolder)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("app"))));
    EXPECT_EQ(ChooseProgramFolder(path(QStringLiteral("app/")), fallback()),
              path(QStringLiteral("app")));
    EXPECT_FALSE(QFileInfo::exists(fallback()));
    // The write probe leaves nothing behind.
    EXPECT_TRUE(QDir(path(QStringLiteral("app")))
                    .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(ProgramFolderTest, OtherwiseTheUserDataFolderIsCreatedAndUsed)
{
    // Neither a plain file nor a missing folder can take the program's files;
    // unlike permission bits, this holds for every user, root included.
    QFile file(path(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    for (const QString& candidate :
         {path(QStringLiteral("not-a-folder")), path(QStringLiteral("missing"))}) {
        EXPECT_FALSE(IsFolderWritable(candidate)) << candidate.toStdString();
        EXPECT_EQ(ChooseProgramFolder(candidate, fallback()), fallback());
        EXPECT_TRUE(QFileInfo(fallback()).isDir());
    }
}

TEST_F(ProgramFolderTest, AReadOnlyFolderFallsBack)
{
    const QString readOnly = path(QStringLiteral("installed"));
    ASSERT_TRUE(QDir().mkpath(readOnly));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const bool writable = IsFolderWritable(readOnly);
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (writable)
        GTEST_SKIP() << "permissions do not bind this user (root)";
    EXPECT_EQ(ChooseProgramFolder(readOnly, fallback()), fallback());
}

// A data file beside the program is the user's: it is used (or refused
// with a message) rather than replaced by an empty one elsewhere.
TEST_F(ProgramFolderTest, AFolderHoldingTheDataFileIsTheProgramFolderEvenWhenReadOnly)
{
    const QString installed = path(QStringLiteral("installed"));
    ASSERT_TRUE(QDir().mkpath(installed));
    QFile data(QDir(installed).filePath(QStringLiteral("Morva.dat")));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.close();
    QFile::setPermissions(installed, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                         QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QString chosen = ChooseProgramFolder(installed, fallback());
    QFile::setPermissions(installed, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(chosen, installed);
    EXPECT_FALSE(QFileInfo::exists(fallback())) << "the per-user folder was created";
}

// An installation into a prefix the user can write (a private prefix, a
// home-made /usr/local) still keeps the schedules in the per-user folder; a
// copy of the program without the marker carries its data along.
TEST_F(ProgramFolderTest, AnInstalledProgramKeepsItsDataInTheUserFolder)
{
    const QString bin = path(QStringLiteral("prefix/bin"));
    const QString copy = path(QStringLiteral("copy/bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(copy));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("prefix/share/morvane"))));
    QFile marker(path(QStringLiteral("prefix/share/morvane/installed")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();

    EXPECT_TRUE(IsInstalledProgram(bin));
    EXPECT_FALSE(IsInstalledProgram(copy));
    EXPECT_EQ(ChooseProgramFolder(bin, fallback()), fallback());
    EXPECT_EQ(ChooseProgramFolder(copy, fallback()), copy);

    // A data file the user put beside the installed program is still theirs.
    QFile data(QDir(bin).filePath(QStringLiteral("Morva.dat")));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.close();
    EXPECT_EQ(ChooseProgramFolder(bin, fallback()), bin);
}

TEST(UserDataFolderTest, IsNamedAfterTheMaker)
{
    EXPECT_TRUE(UserDataFolder().endsWith(QStringLiteral("/Quillstone/Morvane")))
        << UserDataFolder().toStdString();
}

} // namespace
} // namespace morvane
