#include "editor/WriteFailure.h"

#include "data/engine/DatabaseEngine.h"

#include <QDir>

namespace morvane {

namespace {

QString Reason(const EngineError& error)
{
    switch (error.code()) {
    case EngineErrorCode::ReadOnly:
        return QStringLiteral("このファイルまたはフォルダーに書き込めません。");
    case EngineErrorCode::DiskFull:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case EngineErrorCode::FileInUse:
        return QStringLiteral("ほかのプログラムがこのファイルを使用中です。");
    case EngineErrorCode::ObjectClosed:
        return QStringLiteral("データファイルが閉じられています。");
    case EngineErrorCode::DiskError:
        return QStringLiteral("ファイルを読み書きできません（%1）。").arg(error.message());
    default:
        return QStringLiteral("データベースのエラー %1: %2")
            .arg(error.number())
            .arg(error.message());
    }
}

} // namespace

QString WriteFailureText(const EngineError& error, const QString& path)
{
    QString text = QStringLiteral("保存処理に失敗しました。\n");
    if (!path.isEmpty())
        text += QDir::toNativeSeparators(path) + QLatin1Char('\n');
    return text + Reason(error) +
           QStringLiteral("\n\n入力した内容は画面に残っています。書き込めるようになってから保存して"
                          "ください。");
}

} // namespace morvane
