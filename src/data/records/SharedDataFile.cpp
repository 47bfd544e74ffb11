#include "data/records/SharedDataFile.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"

namespace morvane {

namespace {

// The exclusive lock is let go at the next access of the file.
void LetLockGo(Database& database)
{
    database.ExecuteSql(QStringLiteral("PRAGMA locking_mode = NORMAL"));
    database.QuerySql(QStringLiteral("SELECT count(*) FROM sqlite_master"));
}

} // namespace

void ShareDataFile(Database& database, bool shared)
{
    if (shared) {
        // A save of the windows waits while the sync commits a group.
        database.ExecuteSql(QStringLiteral("PRAGMA busy_timeout = 5000"));
        LetLockGo(database);
        return;
    }
    database.ExecuteSql(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    database.ExecuteSql(QStringLiteral("PRAGMA busy_timeout = 1000"));
    // A write takes the lock that exclusive mode then keeps; the file's own
    // number written back unchanged is the write that changes nothing.
    database.SetFileFlags(database.FileFlags());
}

std::unique_ptr<ScheduleDatabase> OpenScheduleDatabaseBeside(const QString& path)
{
    // Opening takes the lock for a moment (it checks the file inside it);
    // it is let go at once, and from then on every statement waits for the
    // windows' connection rather than failing.
    std::unique_ptr<Database> database = Database::OpenDatabase(path);
    database->ExecuteSql(QStringLiteral("PRAGMA busy_timeout = 10000"));
    LetLockGo(*database);
    return std::make_unique<ScheduleDatabase>(std::move(database));
}

void ReloadScheduleRows(Database& database)
{
    // An undone batch reads every open table again from the file.
    database.BeginTrans();
    database.Rollback();
}

} // namespace morvane
