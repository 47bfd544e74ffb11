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

TEST(UserDataFolderTest, IsNamedAfterTheMaker)
{
    EXPECT_TRUE(UserDataFolder().endsWith(QStringLiteral("/Quillstone/Morvane")))
        << UserDataFolder().toStdString();
}

} // namespace
} // namespace morvane
