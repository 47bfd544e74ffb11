#include "data/records/ScheduleCodes.h"

#include <algorithm>
#include <array>

namespace morvane {

namespace {

struct KindInfo
{
    ScheduleKind kind;
    const char16_t* name;
    const char16_t* imageKey;
};

constexpr std::array<KindInfo, 9> kKinds{{
    {ScheduleKind::Ordinary, u"普通の予定", u"normal_item"},
    {ScheduleKind::Holiday, u"祝日", u"holiday_item"},
    {ScheduleKind::Birthday, u"誕生日", u"birthday_item"},
    {ScheduleKind::Anniversary, u"記念日", u"memorial_item"},
    {ScheduleKind::Event, u"イベント", u"check_item"},
    {ScheduleKind::Diary, u"日記", u"diary_item"},
    {ScheduleKind::TvProgramme, u"ＴＶ番組", u"tv_item"},
    {ScheduleKind::Magazine, u"雑誌", u"magazine_item"},
    {ScheduleKind::EquinoxHoliday, u"", u"holiday_item"},
}};

constexpr std::array<ScheduleKind, 8> kListedKinds{
    ScheduleKind::Ordinary, ScheduleKind::Event,   ScheduleKind::Diary,
    ScheduleKind::Anniversary, ScheduleKind::Birthday, ScheduleKind::Holiday,
    ScheduleKind::TvProgramme, ScheduleKind::Magazine,
};

const KindInfo* FindKind(int code)
{
    const auto it = std::find_if(kKinds.begin(), kKinds.end(),
                                 [code](const KindInfo& k) { return int(k.kind) == code; });
    return it == kKinds.end() ? nullptr : &*it;
}

constexpr std::array<PaletteColor, 16> kPalette{{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};

} // namespace

std::span<const ScheduleKind> ListedScheduleKinds()
{
    return kListedKinds;
}

bool IsKnownKind(int code)
{
    return FindKind(code) != nullptr;
}

QString KindName(int code)
{
    const KindInfo* info = FindKind(code);
    return info ? QString::fromUtf16(info->name) : QString();
}

QString KindImageKey(int code)
{
    const KindInfo* info = FindKind(code);
    return info ? QString::fromUtf16(info->imageKey) : QString();
}

std::optional<PaletteColor> QBColor(int index)
{
    if (index < 0 || index >= int(kPalette.size()))
        return std::nullopt;
    return kPalette[std::size_t(index)];
}

std::span<const ColorChoice> EditorColorChoices()
{
    static const std::array<ColorChoice, 7> choices{{
        {14, QStringLiteral("黄")},
        {10, QStringLiteral("緑")},
        {11, QStringLiteral("水")},
        {13, QStringLiteral("紫")},
        {12, QStringLiteral("赤")},
        {9, QStringLiteral("青")},
        {15, QStringLiteral("白")},
    }};
    return choices;
}

QString ColorName(int code)
{
    for (const ColorChoice& choice : EditorColorChoices()) {
        if (choice.code == code)
            return choice.name;
    }
    return {};
}

std::optional<int> ListTextColorIndex(int code)
{
    if (code == 14)
        return 6;
    if (code == 15)
        return 0;
    if (!QBColor(code))
        return std::nullopt;
    return code;
}

std::span<const QString> MarkSymbols()
{
    static const std::array<QString, MarkCount + 1> symbols{
        QString(),           QStringLiteral("●"), QStringLiteral("■"),  QStringLiteral("◆"),
        QStringLiteral("▲"), QStringLiteral("▼"), QStringLiteral("★"),  QStringLiteral("○"),
        QStringLiteral("◎"), QStringLiteral("□"), QStringLiteral("◇"),  QStringLiteral("△"),
        QStringLiteral("▽"), QStringLiteral("☆"), QStringLiteral("＿"), QStringLiteral("〓"),
    };
    return symbols;
}

QString MarkGlyph(int code)
{
    if (code < 0 || code >= MarkCount)
        return {};
    return MarkSymbols()[std::size_t(code) + 1];
}

} // namespace morvane
