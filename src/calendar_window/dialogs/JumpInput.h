#pragma once

#include <QString>

namespace morvane {

// What the jump dialog's OK makes of the two boxes.
struct JumpInput
{
    enum class Fault
    {
        None,
        Year,  // outside 1951 to 2050
        Month, // outside 1 to 12
    };

    Fault fault = Fault::None;
    int year = 0;
    int month = 0;
};

// Ranges of the two spin buttons; typing may go one year further (2050).
inline constexpr int JumpSpinYearMin = 1950;
inline constexpr int JumpSpinYearMax = 2049;
inline constexpr int JumpYearMin = 1951;
inline constexpr int JumpYearMax = 2050;

// The message of a fault ("" for None).
QString JumpFaultMessage(JumpInput::Fault fault);

// Reads the boxes: the leading number of each text, 0 when there is none
// (a number too large to hold is out of range as well). The year is checked
// before the month, so only the first fault is reported.
JumpInput CheckJumpInput(const QString& yearText, const QString& monthText);

} // namespace morvane
