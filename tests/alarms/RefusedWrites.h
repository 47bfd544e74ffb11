#pragma once

#include "AlarmFixture.h"

#include <sqlite3.h>

namespace morvane::test {

// Makes every change of a schedule in the world's data file fail while a
// memo titled kRefusingMemo exists, as a read-only folder or a full disk
// would make it fail; the test switches the failure on and off by adding
// and deleting that memo.
inline const QString kRefusingMemo = QStringLiteral("書き込み不可");

inline bool InstallWriteRefusal(AlarmWorld& world)
{
    world.context.setDatabase(nullptr);
    const QString path = DataFilePath(world.dir.path());
    sqlite3* raw = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &raw) != SQLITE_OK)
        return false;
    const QByteArray when =
        "WHEN EXISTS (SELECT 1 FROM Memo WHERE Title = '" + kRefusingMemo.toUtf8() + "') ";
    const QByteArray sql = "CREATE TRIGGER refuse_update BEFORE UPDATE ON Schedule " + when +
                           "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END;"
                           "CREATE TRIGGER refuse_delete BEFORE DELETE ON Schedule " +
                           when + "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END;";
    const bool made = sqlite3_exec(raw, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(raw);
    world.context.setDatabase(std::make_unique<ScheduleDatabase>(Database::OpenDatabase(path)));
    return made;
}

inline void RefuseWrites(AlarmWorld& world, bool refuse)
{
    Recordset& memos = world.context.database()->memos();
    if (refuse) {
        memos.AddNew();
        memos.SetValue(QStringLiteral("Title"), Value(kRefusingMemo));
        memos.Update();
        return;
    }
    for (int i = memos.RecordCount() - 1; i >= 0; --i) {
        memos.SetAbsolutePosition(i);
        if (memos.GetValue(QStringLiteral("Title")).toString() == kRefusingMemo)
            memos.Delete();
    }
}

} // namespace morvane::test
