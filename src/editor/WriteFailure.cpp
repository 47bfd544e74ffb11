#include "editor/WriteFailure.h"

#include "data/records/WriteFailure.h"

#include <QDir>

namespace morvane {

QString WriteFailureText(const EngineError& error, const QString& path)
{
    QString text = QStringLiteral("保存処理に失敗しました。\n");
    if (!path.isEmpty())
        text += QDir::toNativeSeparators(path) + QLatin1Char('\n');
    return text + EngineErrorReason(error) +
           QStringLiteral("\n\n入力した内容は画面に残っています。書き込めるようになってから保存して"
                          "ください。");
}

} // namespace morvane
