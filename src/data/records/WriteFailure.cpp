#include "data/records/WriteFailure.h"

#include "data/engine/DatabaseEngine.h"

#include <QDir>

namespace morvane {

QString EngineErrorReason(const EngineError& error)
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
    case EngineErrorCode::ObjectClosed:
        return QStringLiteral("データファイルが閉じられています。");
    case EngineErrorCode::DiskError:
        return QStringLiteral("ディスクへの読み書きに失敗しました。（%1）").arg(error.message());
    default:
        return QStringLiteral("データベースのエラー %1: %2")
            .arg(error.number())
            .arg(error.message());
    }
}

UserMessage WriteFailureMessage(const QString& path, const EngineError& error,
                                const QString& title)
{
    return {QStringLiteral("保存処理に失敗しました。\r\n\r\nデータファイル「") +
                QDir::toNativeSeparators(path) + QStringLiteral("」に書き込めません。\r\n") +
                EngineErrorReason(error),
            MessageIcon::Exclamation, title};
}

} // namespace morvane
