#include "data/records/WriteFailure.h"

#include "data/engine/DatabaseEngine.h"

#include <QDir>

namespace morvane {

QString EngineFailureReason(const EngineError& error)
{
    switch (error.code()) {
    case EngineErrorCode::NotADatabase:
        return QStringLiteral("モルヴァのデータファイルではないか、ファイルが壊れています。");
    case EngineErrorCode::FileInUse:
        return QStringLiteral("ほかのプログラムがこのファイルを使用中です。");
    case EngineErrorCode::ReadOnly:
        return QStringLiteral("このファイルまたはフォルダーに書き込めません。");
    case EngineErrorCode::DiskFull:
        return QStringLiteral("ディスクの空き容量が足りません。");
    default:
        return QStringLiteral("データベースのエラー %1: %2")
            .arg(error.number())
            .arg(error.message());
    }
}

UserMessage DataWriteFailure(const QString& path, const EngineError& error, const QString& title)
{
    return {QStringLiteral("データファイルに書き込めません。\r\n\r\n") +
                QDir::toNativeSeparators(path) + QStringLiteral("\r\n\r\n") +
                EngineFailureReason(error),
            MessageIcon::Exclamation, title};
}

} // namespace morvane
