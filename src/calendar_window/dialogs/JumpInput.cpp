#include "calendar_window/dialogs/JumpInput.h"

namespace morvane {

namespace {

// The whole number at the start of text (after blanks), 0 without one; a
// number too long for an int gives -1, which no range accepts.
int LeadingNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && trimmed[end].isDigit() && trimmed[end].unicode() < 128) {
        ++end;
    }
    if (end == 0) {
        return 0;
    }
    bool ok = false;
    const int value = trimmed.left(end).toInt(&ok);
    return ok ? value : -1;
}

} // namespace

QString JumpFaultMessage(JumpInput::Fault fault)
{
    switch (fault) {
    case JumpInput::Fault::Year:
        return QStringLiteral("西暦には1951～2050の値を指定してください。");
    case JumpInput::Fault::Month:
        return QStringLiteral("月には1～12の値を指定してください。");
    case JumpInput::Fault::None:
        break;
    }
    return {};
}

JumpInput CheckJumpInput(const QString& yearText, const QString& monthText)
{
    JumpInput input;
    input.year = LeadingNumber(yearText);
    input.month = LeadingNumber(monthText);
    if (input.year < JumpYearMin || input.year > JumpYearMax) {
        input.fault = JumpInput::Fault::Year;
    } else if (input.month < 1 || input.month > 12) {
        input.fault = JumpInput::Fault::Month;
    }
    return input;
}

} // namespace morvane
