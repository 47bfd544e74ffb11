#pragma once

#include "core/Settings.h"

#include <array>
#include <variant>

namespace morvane {

// How the stored text of a value becomes the value.
enum class ReadRule
{
    Val,       // leading number of the text, 0 when none
    ExactTrue, // True exactly when the text is "True" (letter case counts)
    Bool,      // "True"/"False" in any letter case, or a number
    Int,       // the whole text as a 16-bit whole number
    Long,      // the whole text as a 32-bit whole number
    Text,      // the text as stored
};

using SettingMember =
    std::variant<bool Settings::*, qint16 Settings::*, qint32 Settings::*, QString Settings::*>;

struct SettingKey
{
    const char* name;
    ReadRule rule;
    SettingMember member;
};

inline constexpr std::size_t kSettingCount = 58;

// Every stored value in the order it is read. Names are the stored names and
// the member names of Settings; defaults are the initialisers of Settings.
const std::array<SettingKey, kSettingCount>& SettingKeys();

// The same values in the order they are written (the viewer's left edge goes
// before its top edge).
std::array<SettingKey, kSettingCount> SettingKeysInWriteOrder();

} // namespace morvane
