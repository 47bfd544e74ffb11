#pragma once

#include "ui_toolkit/ImageList.h"

#include <QColor>
#include <QIcon>
#include <QString>

namespace morvane {

// Keys of the shared image list. The first eight are the schedule kinds in
// the order the kind pickers list them, so that a kind's position in the list
// is also its TypeImageIndex.
namespace ImageKey {
inline const QString NormalItem = QStringLiteral("normal_item");     // 1 普通の予定
inline const QString CheckItem = QStringLiteral("check_item");       // 2 イベント
inline const QString DiaryItem = QStringLiteral("diary_item");       // 3 日記
inline const QString MemorialItem = QStringLiteral("memorial_item"); // 4 記念日
inline const QString BirthdayItem = QStringLiteral("birthday_item"); // 5 誕生日
inline const QString HolidayItem = QStringLiteral("holiday_item");   // 6 祝日
inline const QString TvItem = QStringLiteral("tv_item");             // 7 ＴＶ番組
inline const QString MagazineItem = QStringLiteral("magazine_item"); // 8 雑誌
inline const QString MemoItem = QStringLiteral("memo_item");         // 9 a memo
inline const QString BookClose = QStringLiteral("book_close");       // 10 tree: schedules
inline const QString BookOpen = QStringLiteral("book_open");         // 11 tree: selected
inline const QString AppClose = QStringLiteral("app_close");         // 12 tree: a list view
inline const QString AppOpen = QStringLiteral("app_open");           // 13 tree: selected
inline const QString MemoClose = QStringLiteral("memo_close");       // 14 tree: memos
inline const QString LogClose = QStringLiteral("log_close");         // 15 tree: the log
inline const QString AlarmItem = QStringLiteral("alarm_item");       // 16 alarm column header
} // namespace ImageKey

// Every key of the shared list, in list order.
QStringList CalendarImageKeys();

// The shared image list (one per owner; building it is cheap, icons are
// drawn on demand at the size asked for).
ImageList CalendarImageList();

// The icon we draw for a key of CalendarImageKeys(); a null icon otherwise.
QIcon DrawnIcon(const QString& key);

// Position of a schedule kind's icon in the shared list (1-based): Type 0 -> 1,
// 4 -> 2, 5 -> 3, 3 -> 4, 2 -> 5, 1 and 10 -> 6, 20 -> 7, 21 -> 8; any other
// code -> 0 (no icon).
int TypeImageIndex(int type);
// The key of a schedule kind's icon; empty for a code without one.
QString TypeImageKey(int type);

// A small colour sample (outlined square) for colour pickers.
QIcon ColorSwatchIcon(const QColor& color);

} // namespace morvane
