#include "core/FileErrorReason.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(FileErrorReason, NamesTheCauseInJapaneseNeverAsUnknown)
{
    const struct
    {
        int errorNumber;
        QFileDevice::FileError kind;
        const char* systemText;
        const char* expected; // part of the reason
    } cases[] = {
        {ENOSPC, QFileDevice::WriteError, "Unknown error", "ディスクがいっぱいです"},
        {EACCES, QFileDevice::OpenError, "Permission denied", "アクセスが拒否されました"},
        {EROFS, QFileDevice::OpenError, "", "読み取り専用"},
        {ENOENT, QFileDevice::OpenError, "", "見つかりません"},
        {EIO, QFileDevice::ReadError, "", "入出力エラー"},
        {0, QFileDevice::WriteError, "Unknown error", "書き込みに失敗しました"},
        {0, QFileDevice::ResourceError, "", "空き容量"},
        {0, QFileDevice::NoError, "Unknown error", "原因がわかりません"},
        {0, QFileDevice::NoError, "Disk quota exceeded", "Disk quota exceeded"},
    };
    for (const auto& k : cases) {
        const QString reason =
            FileErrorReason(k.errorNumber, k.kind, QString::fromUtf8(k.systemText));
        EXPECT_TRUE(reason.contains(QString::fromUtf8(k.expected)))
            << k.errorNumber << " " << reason.toStdString();
        EXPECT_FALSE(reason.contains(QStringLiteral("Unknown error"))) << reason.toStdString();
    }
}

} // namespace
} // namespace morvane
