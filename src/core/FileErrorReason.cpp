#include "core/FileErrorReason.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>

namespace morvane {

namespace {

QString DiskFull()
{
    return QStringLiteral("ディスクがいっぱいです。空き容量を増やしてから、もう一度試してください。");
}

QString FromErrorNumber(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return DiskFull();
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが拒否されました（書き込みや読み取りの権限がありません）。");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です。");
    case ENOENT:
        return QStringLiteral("ファイルまたはフォルダーが見つかりません。");
    case ENOTDIR:
        return QStringLiteral("途中のフォルダーがありません。");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダーがあります。");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました（入出力エラー）。");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます。");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます。");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("ほかのプログラムが使用中です。");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます。");
    case ENOMEM:
        return QStringLiteral("メモリが足りません。");
    default:
        return {};
    }
}

QString FromKind(QFileDevice::FileError kind)
{
    switch (kind) {
    case QFileDevice::ReadError:
        return QStringLiteral("読み取りに失敗しました。");
    case QFileDevice::WriteError:
        return QStringLiteral("書き込みに失敗しました。");
    case QFileDevice::ResourceError:
        return QStringLiteral("ディスクの空き容量かシステムの資源が足りません。");
    case QFileDevice::OpenError:
        return QStringLiteral("ファイルを開けません。");
    case QFileDevice::PermissionsError:
        return QStringLiteral("アクセスが拒否されました（書き込みや読み取りの権限がありません）。");
    case QFileDevice::RenameError:
        return QStringLiteral("書き終えたファイルを置けませんでした。");
    case QFileDevice::RemoveError:
        return QStringLiteral("ファイルを削除できませんでした。");
    default:
        return {};
    }
}

} // namespace

QString FileErrorReason(int errorNumber, QFileDevice::FileError kind, const QString& systemText)
{
    if (QString reason = FromErrorNumber(errorNumber); !reason.isEmpty())
        return reason;
    if (QString reason = FromKind(kind); !reason.isEmpty())
        return reason;
    if (!systemText.isEmpty() && systemText != QLatin1String("Unknown error"))
        return systemText;
    return QStringLiteral("原因がわかりません。");
}

QString FileWriteReason(const QString& path, qint64 needed, int errorNumber,
                        QFileDevice::FileError kind, const QString& systemText)
{
    if (FromErrorNumber(errorNumber).isEmpty()) {
        const QStorageInfo volume(QFileInfo(path).absolutePath());
        if (volume.isValid() && volume.isReady() && volume.bytesAvailable() < needed + 4096)
            return DiskFull();
    }
    return FileErrorReason(errorNumber, kind, systemText);
}

} // namespace morvane
