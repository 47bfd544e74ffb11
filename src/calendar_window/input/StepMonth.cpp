#include "calendar_window/input/StepMonth.h"

namespace morvane {

namespace {

QString FirstDay(int year, int month)
{
    return QStringLiteral("%1/%2/01").arg(year).arg(month);
}

} // namespace

std::optional<QString> StepMonth(int year, int month, MonthStep step, QDate today)
{
    switch (step) {
    case MonthStep::PreviousMonth:
        if (month == 1)
            return QStringLiteral("%1/12/01").arg(year - 1);
        return FirstDay(year, month - 1);
    case MonthStep::NextMonth:
        if (month == 12)
            return QStringLiteral("%1/01/01").arg(year + 1);
        return FirstDay(year, month + 1);
    case MonthStep::PreviousYear:
        if (year > FirstSteppableYear)
            return FirstDay(year - 1, month);
        return std::nullopt;
    case MonthStep::NextYear:
        if (year < LastSteppableYear)
            return FirstDay(year + 1, month);
        return std::nullopt;
    case MonthStep::ThisMonth:
        return FirstDay(today.year(), today.month());
    }
    return std::nullopt;
}

} // namespace morvane
