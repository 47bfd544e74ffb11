#include "core/SettingsTable.h"

#include <algorithm>

namespace morvane {
namespace {

using R = ReadRule;
using S = Settings;

constexpr std::array<SettingKey, kSettingCount> kKeys{{
    {"Left", R::Val, &S::Left},
    {"Top", R::Val, &S::Top},
    {"Transparency", R::ExactTrue, &S::Transparency},
    {"Transparency_value", R::Val, &S::Transparency_value},
    {"TransparencyEx", R::ExactTrue, &S::TransparencyEx},
    {"TransparencyEx_value", R::Val, &S::TransparencyEx_value},
    {"PictureFile", R::Text, &S::PictureFile},
    {"PicturePosition", R::Val, &S::PicturePosition},
    {"CalendarView", R::ExactTrue, &S::CalendarView},
    {"CalendarBox", R::ExactTrue, &S::CalendarBox},
    {"CalendarWinRgn", R::ExactTrue, &S::CalendarWinRgn},
    {"MonthIcon", R::ExactTrue, &S::MonthIcon},
    {"JumpIcon", R::ExactTrue, &S::JumpIcon},
    {"MemoIcon", R::ExactTrue, &S::MemoIcon},
    {"ShowTitle", R::ExactTrue, &S::ShowTitle},
    {"TopView", R::ExactTrue, &S::TopView},
    {"BottomView", R::ExactTrue, &S::BottomView},
    {"TitleType", R::Val, &S::TitleType},
    {"TootTipType", R::Val, &S::TootTipType},
    {"CursorColor", R::Long, &S::CursorColor},
    {"CalendarBackColor", R::Long, &S::CalendarBackColor},
    {"BoxColor", R::Long, &S::BoxColor},
    {"FontName", R::Text, &S::FontName},
    {"FontSize", R::Int, &S::FontSize},
    {"FontItalic", R::Bool, &S::FontItalic},
    {"FontBold", R::Bool, &S::FontBold},
    {"DayFontName", R::Text, &S::DayFontName},
    {"DayFontSize", R::Int, &S::DayFontSize},
    {"MarkSize", R::Int, &S::MarkSize},
    {"DayFontItalic", R::Bool, &S::DayFontItalic},
    {"DayFontBold", R::Bool, &S::DayFontBold},
    {"SaturdayColor", R::Long, &S::SaturdayColor},
    {"SundayColor", R::Long, &S::SundayColor},
    {"WeekdaysColor", R::Long, &S::WeekdaysColor},
    {"YearColor", R::Long, &S::YearColor},
    {"ShadowColor", R::Long, &S::ShadowColor},
    {"CalendarSize", R::Int, &S::CalendarSize},
    {"BeepFlg", R::Bool, &S::BeepFlg},
    {"SoundFlg", R::Bool, &S::SoundFlg},
    {"SoundFile", R::Text, &S::SoundFile},
    {"FlashIcon", R::Bool, &S::FlashIcon},
    {"ShowWait", R::Int, &S::ShowWait},
    {"ViewTop", R::Int, &S::ViewTop},
    {"ViewLeft", R::Int, &S::ViewLeft},
    {"ViewWidth", R::Int, &S::ViewWidth},
    {"ViewHeight", R::Int, &S::ViewHeight},
    {"ViewLineX", R::Int, &S::ViewLineX},
    {"ViewLineY", R::Int, &S::ViewLineY},
    {"IconClickView", R::Bool, &S::IconClickView},
    {"ToolTipView", R::Bool, &S::ToolTipView},
    {"MouseFlg", R::Bool, &S::MouseFlg},
    {"StartLog", R::ExactTrue, &S::StartLog},
    {"EndLog", R::ExactTrue, &S::EndLog},
    {"IconFile1", R::Text, &S::IconFile1},
    {"IconFile2", R::Text, &S::IconFile2},
    {"ShowDayIcon", R::Bool, &S::ShowDayIcon},
    {"StartAtLogin", R::Bool, &S::StartAtLogin},
    {"Version", R::Text, &S::Version},
}};

// A rule only makes sense for members of its type.
constexpr bool RuleFitsMember(const SettingKey& key)
{
    switch (key.rule) {
    case R::ExactTrue:
    case R::Bool:
        return std::holds_alternative<bool S::*>(key.member);
    case R::Int:
        return std::holds_alternative<qint16 S::*>(key.member);
    case R::Long:
        return std::holds_alternative<qint32 S::*>(key.member);
    case R::Val:
        return std::holds_alternative<qint16 S::*>(key.member) ||
               std::holds_alternative<qint32 S::*>(key.member);
    case R::Text:
        return std::holds_alternative<QString S::*>(key.member);
    }
    return false;
}

static_assert(std::all_of(kKeys.begin(), kKeys.end(), RuleFitsMember),
              "a read rule does not fit its member's type");

} // namespace

const std::array<SettingKey, kSettingCount>& SettingKeys()
{
    return kKeys;
}

std::array<SettingKey, kSettingCount> SettingKeysInWriteOrder()
{
    std::array<SettingKey, kSettingCount> keys = kKeys;
    const auto named = [&keys](const char* name) {
        return std::find_if(keys.begin(), keys.end(),
                            [name](const SettingKey& key) { return qstrcmp(key.name, name) == 0; });
    };
    std::iter_swap(named("ViewTop"), named("ViewLeft"));
    return keys;
}

} // namespace morvane
