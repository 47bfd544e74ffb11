#pragma once

#include <QString>
#include <optional>
#include <span>
#include <vector>

namespace morvane {

// The texts of the fixed tree nodes.
namespace tree_text {
inline const QString Schedules = QStringLiteral("予定一覧");
inline const QString MonthList = QStringLiteral("月間予定");
inline const QString AllList = QStringLiteral("全ての予定");
inline const QString Memos = QStringLiteral("メモ一覧");
inline const QString Log = QStringLiteral("ログ");
} // namespace tree_text

// The paths of the two schedule lists ("予定一覧\月間予定").
QString MonthListPath();
QString AllListPath();

// A type child of either schedule list: its text, the Type it stands for
// and its icon.
struct TypeNode
{
    QString text;
    int type;
    QString imageKey;
};
// The eight in tree order: 普通の予定, イベント, 日記, 記念日, 誕生日, 祝日,
// ＴＶ番組, 雑誌.
std::span<const TypeNode> TypeNodes();

// One node of the viewer's tree as it is added.
struct TreeNodeDef
{
    QString text;
    QString key;    // "" for the type children
    QString parent; // key of the parent, "" for a top-level node
    QString image;
    QString selectedImage; // "" for none
};

// The 20 fixed nodes, and "ログ" as the 21st when the log can be read.
std::vector<TreeNodeDef> ViewerTreeNodes(bool logReadable);

enum class ListKind
{
    None, // a path no list answers
    Root,
    Month,
    All,
    Memo,
    Log,
};

// The list a tree path selects and the type it is restricted to (-1 for
// all types; 1 for 祝日 also takes the computed-date holidays, Type 10).
struct ListDispatch
{
    ListKind kind = ListKind::None;
    int typeFilter = -1;
    bool operator==(const ListDispatch&) const = default;
};
ListDispatch DispatchPath(const QString& fullPath);

// The icon key of a schedule kind ("normal_item" ...); "" for a code
// without one. Looked up once per row, so kept to a switch.
const QString& TypeIconKey(int type);

// Whether a record of type passes a list's type filter.
bool PassesTypeFilter(std::optional<int> type, int typeFilter);

} // namespace morvane
