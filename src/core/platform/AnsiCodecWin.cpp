// Code page 932 through the Windows code page functions.

#include "core/AnsiText.h"

#include <windows.h>

namespace morvane {
namespace {

constexpr UINT kCodePage = 932;

} // namespace

QByteArray ToAnsi(const QString& text)
{
    if (text.isEmpty())
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int wideLength = static_cast<int>(text.size());
    // No best-fit look-alikes: what code page 932 cannot hold becomes "?".
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int size =
        WideCharToMultiByte(kCodePage, flags, wide, wideLength, nullptr, 0, "?", nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(kCodePage, flags, wide, wideLength, bytes.data(), size, "?", nullptr);
    return bytes;
}

QString FromAnsi(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    wchar_t wide[2];
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<BYTE>(bytes[i]);
        const int length = IsDBCSLeadByteEx(kCodePage, lead) && i + 1 < bytes.size() ? 2 : 1;
        const int converted = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS,
                                                  bytes.constData() + i, length, wide, 2);
        if (converted > 0) {
            text.append(QString::fromWCharArray(wide, converted));
            i += length;
        } else {
            text.append(QChar(0xFFFD));
            i += 1;
        }
    }
    return text;
}

} // namespace morvane
