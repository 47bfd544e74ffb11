#include "viewer/ViewerTree.h"

#include "data/records/ScheduleCodes.h"
#include "ui_toolkit/CalendarImages.h"

#include <array>

namespace morvane {

namespace {

const QChar kSeparator = QLatin1Char('\\');

} // namespace

QString MonthListPath()
{
    return tree_text::Schedules + kSeparator + tree_text::MonthList;
}

QString AllListPath()
{
    return tree_text::Schedules + kSeparator + tree_text::AllList;
}

std::span<const TypeNode> TypeNodes()
{
    static const std::array<TypeNode, 8> nodes = [] {
        std::array<TypeNode, 8> list;
        const std::span<const ScheduleKind> listed = ListedScheduleKinds();
        for (std::size_t i = 0; i < list.size(); ++i) {
            const int code = int(listed[i]);
            list[i] = {KindName(code), code, KindImageKey(code)};
        }
        return list;
    }();
    return nodes;
}

std::vector<TreeNodeDef> ViewerTreeNodes(bool logReadable)
{
    using namespace tree_text;
    std::vector<TreeNodeDef> nodes;
    nodes.push_back({Schedules, Schedules, {}, ImageKey::BookClose, ImageKey::BookOpen});
    for (const QString& list : {MonthList, AllList}) {
        nodes.push_back({list, list, Schedules, ImageKey::AppClose, ImageKey::AppOpen});
        for (const TypeNode& child : TypeNodes())
            nodes.push_back({child.text, {}, list, child.imageKey, {}});
    }
    nodes.push_back({Memos, Memos, {}, ImageKey::MemoClose, ImageKey::BookOpen});
    if (logReadable)
        nodes.push_back({Log, Log, {}, ImageKey::LogClose, ImageKey::BookOpen});
    return nodes;
}

ListDispatch DispatchPath(const QString& path)
{
    if (path == tree_text::Schedules)
        return {ListKind::Root, -1};
    for (const auto& [listPath, kind] :
         {std::pair{MonthListPath(), ListKind::Month}, std::pair{AllListPath(), ListKind::All}}) {
        if (path == listPath)
            return {kind, -1};
        for (const TypeNode& child : TypeNodes()) {
            if (path == listPath + kSeparator + child.text)
                return {kind, child.type};
        }
    }
    if (path.left(2) == tree_text::Memos.left(2))
        return {ListKind::Memo, -1};
    if (path.left(4) == tree_text::Log)
        return {ListKind::Log, -1};
    return {};
}

const QString& TypeIconKey(int type)
{
    static const QString none;
    switch (type) {
    case 0:
        return ImageKey::NormalItem;
    case 1:
    case 10:
        return ImageKey::HolidayItem;
    case 2:
        return ImageKey::BirthdayItem;
    case 3:
        return ImageKey::MemorialItem;
    case 4:
        return ImageKey::CheckItem;
    case 5:
        return ImageKey::DiaryItem;
    case 20:
        return ImageKey::TvItem;
    case 21:
        return ImageKey::MagazineItem;
    default:
        return none;
    }
}

bool PassesTypeFilter(std::optional<int> type, int typeFilter)
{
    if (typeFilter == -1)
        return true;
    if (typeFilter == int(ScheduleKind::Holiday))
        return type == int(ScheduleKind::Holiday) || type == int(ScheduleKind::EquinoxHoliday);
    return type == typeFilter;
}

} // namespace morvane
