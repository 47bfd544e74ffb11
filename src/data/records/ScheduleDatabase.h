#pragma once

#include "data/records/UserMessage.h"

#include <QString>
#include <functional>
#include <memory>

namespace morvane {

class Database;
class Recordset;
struct TableDef;

// The open data file with its two recordsets, which stay open for the whole
// run. The application context owns the one instance; every window reads
// and writes records through schedules() and memos() and never relies on
// the position another one left.
class ScheduleDatabase
{
public:
    // Takes an open database that holds both tables and opens the
    // recordsets. EngineError (TableNotFound) when a table is missing.
    explicit ScheduleDatabase(std::unique_ptr<Database> database);
    ~ScheduleDatabase();
    ScheduleDatabase(const ScheduleDatabase&) = delete;
    ScheduleDatabase& operator=(const ScheduleDatabase&) = delete;

    Database& database();
    Recordset& schedules(); // over table Schedule
    Recordset& memos();     // over table Memo
    QString path() const;

    // Releases the file (the close path at log-off). Closing twice is harmless.
    void Close();

private:
    std::unique_ptr<Database> m_database;
    std::unique_ptr<Recordset> m_schedules;
    std::unique_ptr<Recordset> m_memos;
};

// Where the files live: folder, a separator unless the folder already ends
// with one, then the file name.
QString DataFilePath(const QString& programFolder);   // .../Morva.dat
QString LegacyFilePath(const QString& programFolder); // .../Cal.ini

// The two tables as the program creates them, fields in file order.
TableDef ScheduleTableDefinition();
TableDef MemoTableDefinition();

// A new data file at path holding the Schedule table. EngineError when the
// file exists or cannot be created.
std::unique_ptr<Database> CreateScheduleDatabase(const QString& path);

// Adds the Memo table to an open data file.
void CreateMemoTable(Database& database);

// Sets AlarmFlag back to Null on every record that has one, so that every
// alarm is armed again at start. Returns the number of records changed.
int ResetAlarmFlags(Recordset& schedules);

enum class OpenOutcome
{
    Opened,         // an existing data file
    CreatedNew,     // a first run, or a file still empty whose initial set is unanswered
    ImportedLegacy, // created from Cal.ini
    Failed,         // see OpenScheduleResult::failure
    Stopped,        // the caller asked to stop; no data file was left behind
};

struct OpenScheduleResult
{
    OpenOutcome outcome = OpenOutcome::Failed;
    std::unique_ptr<ScheduleDatabase> database; // set unless Failed
    // Failed: the message to show before the program ends; it names the
    // file and the reason. Nothing was written to the file.
    UserMessage failure;
    int importedCount = 0; // ImportedLegacy: records read from Cal.ini

    bool ok() const { return outcome != OpenOutcome::Failed && outcome != OpenOutcome::Stopped; }
};

// Asked after each notice of a first run: true ends the start-up there.
using StopRequest = std::function<bool()>;

// Opens Morva.dat in programFolder, or creates it when it does not exist:
// from Cal.ini when that file is there, otherwise empty (CreatedNew, the
// caller then offers the initial set). A new file is complete, import
// included, before it appears under its name: a start killed on the way
// leaves none, and the next start begins again. Only one start creates it:
// another one waits for it and then opens the file made (which its maker may
// still hold: then it is in use). An empty file (0 bytes) holds no data and
// is taken as no file at all. An existing file gains the fields
// later versions added (Mark; FirstDate, LastDate, SkippedDates), each Null in
// every record, and has its alarm acknowledgements cleared; a missing
// Memo table is added. A file that cannot be opened or written, is not a
// database or lacks the Schedule table is left untouched and the result is
// Failed. Notices met on the way (entries Cal.ini cannot hold) go to sink;
// when stopRequested answers true after one, nothing is kept (Stopped).
OpenScheduleResult OpenScheduleDatabase(const QString& programFolder, const MessageSink& sink = {},
                                        const StopRequest& stopRequested = {});

// The initial set is offered until the user answers it ("作成", "キャンセル"
// or closing its window); the file remembers an unanswered offer.
inline constexpr int kInitialSetPendingFlag = 1;
bool InitialSetPending(ScheduleDatabase& database);
// The offer was answered: later starts open the file without it.
void SettleInitialSet(ScheduleDatabase& database);

} // namespace morvane
