#include "data/records/ScheduleDatabase.h"

#include "core/AppIdentity.h"
#include "core/ProgramFolder.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/LegacyImport.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SyncBookkeeping.h"
#include "data/records/WriteFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QDirIterator>
#include <QLockFile>

namespace morvane {

namespace {

QString InFolder(const QString& folder, const QString& fileName)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + fileName;
    return folder + QLatin1Char('/') + fileName;
}

UserMessage OpenFailure(const QString& path, const QString& reason)
{
    return {QStringLiteral("データファイルを開けませんでした。\r\n\r\n") +
                QDir::toNativeSeparators(path) + QStringLiteral("\r\n\r\n") + reason +
                QStringLiteral("\r\n\r\nファイルには何も書き込まずにモルヴァを終了します。"),
            MessageIcon::Critical, AppTitle};
}

UserMessage CreateFailure(const QString& path, const QString& reason)
{
    return {QStringLiteral("データファイルを作成できませんでした。\r\n\r\n") +
                QDir::toNativeSeparators(path) + QStringLiteral("\r\n\r\n") + reason +
                QStringLiteral("\r\n\r\nモルヴァを終了します。"),
            MessageIcon::Critical, AppTitle};
}

// The fields of `required` that `table` lacks, by name without regard to case.
QStringList MissingFields(const TableDef& table, const TableDef& required,
                          const QStringList& except)
{
    QStringList missing;
    for (const FieldDef& wanted : required.fields) {
        if (except.contains(wanted.name, Qt::CaseInsensitive))
            continue;
        const bool present =
            std::any_of(table.fields.begin(), table.fields.end(), [&](const FieldDef& field) {
                return field.name.compare(wanted.name, Qt::CaseInsensitive) == 0;
            });
        if (!present)
            missing.append(wanted.name);
    }
    return missing;
}

QString MissingFieldsReason(const QString& table, const QStringList& fields)
{
    return QStringLiteral("表「%1」に項目 %2 がありません。")
        .arg(table, fields.join(QStringLiteral(", ")));
}

bool HasField(const TableDef& table, const QString& name)
{
    return std::any_of(table.fields.begin(), table.fields.end(), [&](const FieldDef& field) {
        return field.name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

// Fields later versions added to Schedule, in the order they came. A file
// that lacks them gains them at the end, every record holding Null there,
// which means what the file meant without them: no mark (colour the day
// number), no first or last day, no skipped day.
QStringList AddedScheduleFields()
{
    namespace f = schedule_fields;
    return {f::Mark, f::FirstDate, f::LastDate, f::SkippedDates};
}

void AddMissingScheduleFields(Database& database, const TableDef& schedule)
{
    const TableDef current = ScheduleTableDefinition();
    const QStringList added = AddedScheduleFields();
    for (const FieldDef& field : current.fields) {
        if (added.contains(field.name, Qt::CaseInsensitive) && !HasField(schedule, field.name))
            database.AppendField(schedule_fields::Table, field);
    }
}

OpenScheduleResult Failed(UserMessage message)
{
    OpenScheduleResult result;
    result.outcome = OpenOutcome::Failed;
    result.failure = std::move(message);
    return result;
}

// Every check runs before the first write, so a file that is not ours is
// never changed.
OpenScheduleResult OpenExisting(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return Failed(OpenFailure(path, QStringLiteral("ファイルではなくフォルダーです。")));
    // The file may open for reading only and fail at the first change the
    // user makes; better to say so now, before anything was shown.
    if (!info.isWritable()) {
        return Failed(OpenFailure(
            path, QStringLiteral("ファイルが読み取り専用のため、予定を保存できません。")));
    }
    if (!IsFolderWritable(info.absolutePath())) {
        return Failed(OpenFailure(
            path,
            QStringLiteral("ファイルのあるフォルダーに書き込めないため、予定を保存できません。")));
    }

    std::unique_ptr<Database> database;
    try {
        database = Database::OpenDatabase(path);
    } catch (const EngineError& error) {
        return Failed(OpenFailure(path, EngineErrorReason(error)));
    }

    try {
        if (!database->HasTable(schedule_fields::Table)) {
            return Failed(OpenFailure(
                path,
                QStringLiteral("予定の表「Schedule」がありません。モルヴァのデータファイルでは"
                               "ありません。")));
        }
        const TableDef schedule = database->TableDefinition(schedule_fields::Table);
        const QStringList missing =
            MissingFields(schedule, ScheduleTableDefinition(), AddedScheduleFields());
        if (!missing.isEmpty())
            return Failed(OpenFailure(path, MissingFieldsReason(schedule_fields::Table, missing)));

        const bool hasMemo = database->HasTable(memo_fields::Table);
        if (hasMemo) {
            const QStringList missingMemo = MissingFields(
                database->TableDefinition(memo_fields::Table), MemoTableDefinition(), {});
            if (!missingMemo.isEmpty())
                return Failed(
                    OpenFailure(path, MissingFieldsReason(memo_fields::Table, missingMemo)));
        }

        AddMissingScheduleFields(*database, schedule);
        if (!hasMemo)
            CreateMemoTable(*database);
        EnsureSyncBookkeeping(*database);

        auto opened = std::make_unique<ScheduleDatabase>(std::move(database));
        ResetAlarmFlags(opened->schedules());

        OpenScheduleResult result;
        // The last run ended before the user answered the initial set and
        // before any schedule was written: the first run starts over.
        const bool offerAgain =
            InitialSetPending(*opened) && opened->schedules().RecordCount() == 0;
        result.outcome = offerAgain ? OpenOutcome::CreatedNew : OpenOutcome::Opened;
        result.database = std::move(opened);
        return result;
    } catch (const EngineError& error) {
        return Failed(OpenFailure(path, EngineErrorReason(error)));
    }
}

// How long a start waits for another one that is creating the data file.
constexpr int kCreationWaitMs = 20000;

QString CreationLockPath(const QString& path)
{
    return path + QStringLiteral(".lock");
}

// Whether there is something under the name to open: a folder, or a file
// with at least one byte.
bool HoldsData(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && (!info.isFile() || info.size() > 0);
}

// A new data file is built under a name of its own start and takes its
// place only when complete, so a start that is killed half-way leaves no
// Morva.dat and the next start builds it again, and two starts never build
// in the same file.
QString BuildingPath(const QString& path)
{
    return path + QStringLiteral(".new-%1").arg(QCoreApplication::applicationPid());
}

void RemoveBuilding(const QString& building)
{
    QFile::remove(building);
    QFile::remove(building + QStringLiteral("-journal"));
}

// What killed starts left under the building names. Called while this
// start alone may create the file, so no other start is building.
void RemoveLeftBuildings(const QString& path)
{
    const QFileInfo data(path);
    QDirIterator found(data.absolutePath(), {data.fileName() + QStringLiteral(".new*")},
                       QDir::Files | QDir::Hidden);
    while (found.hasNext())
        QFile::remove(found.next());
}

OpenScheduleResult CreateNew(const QString& path, const QString& legacyPath,
                             const MessageSink& sink, const StopRequest& stopRequested)
{
    const bool fromLegacy = QFileInfo::exists(legacyPath);
    const QString building = BuildingPath(path);
    RemoveLeftBuildings(path);
    RemoveBuilding(building);

    OpenScheduleResult result;
    result.outcome = fromLegacy ? OpenOutcome::ImportedLegacy : OpenOutcome::CreatedNew;
    std::vector<UserMessage> notices;
    try {
        std::unique_ptr<Database> database = CreateScheduleDatabase(building);
        CreateMemoTable(*database);
        if (fromLegacy) {
            const std::unique_ptr<Recordset> schedules =
                database->OpenRecordset(schedule_fields::Table);
            // One disk sync for the whole import instead of one per entry.
            database->BeginTrans();
            const LegacyImportResult imported = ImportLegacyFile(
                legacyPath, *schedules, [&](const UserMessage& m) { notices.push_back(m); });
            database->CommitTrans();
            result.importedCount = imported.imported;
            if (!imported.readable) {
                notices.push_back(
                    {QStringLiteral("以前のデータファイルを読み込めませんでした。\r\n\r\n") +
                         QDir::toNativeSeparators(legacyPath) +
                         QStringLiteral("\r\n\r\n予定は取り込まれていません。"),
                     MessageIcon::Exclamation, AppTitle});
            }
        } else {
            // Until the user answers it, every start offers the initial set.
            database->SetFileFlags(database->FileFlags() | kInitialSetPendingFlag);
        }
        database->Close();
    } catch (const EngineError& error) {
        RemoveBuilding(building);
        return Failed(CreateFailure(path, EngineErrorReason(error)));
    }

    // The notices belong to the import: a run that ends while one is shown
    // imports again next time, and shows it again.
    for (const UserMessage& notice : notices) {
        if (sink)
            sink(notice);
        if (stopRequested && stopRequested()) {
            RemoveBuilding(building);
            result.outcome = OpenOutcome::Stopped;
            return result;
        }
    }

    // The name is taken only when free: a file another start completed
    // first is opened instead.
    if (!QFile::rename(building, path)) {
        RemoveBuilding(building);
        if (HoldsData(path))
            return OpenExisting(path);
        return Failed(CreateFailure(path, QStringLiteral("作成したファイルを置けませんでした。")));
    }
    try {
        result.database = std::make_unique<ScheduleDatabase>(Database::OpenDatabase(path));
    } catch (const EngineError& error) {
        return Failed(OpenFailure(path, EngineErrorReason(error)));
    }
    return result;
}

} // namespace

ScheduleDatabase::ScheduleDatabase(std::unique_ptr<Database> database)
    : m_database(std::move(database))
{
    m_schedules = m_database->OpenRecordset(schedule_fields::Table);
    m_memos = m_database->OpenRecordset(memo_fields::Table);
}

ScheduleDatabase::~ScheduleDatabase() = default;

Database& ScheduleDatabase::database()
{
    return *m_database;
}

Recordset& ScheduleDatabase::schedules()
{
    return *m_schedules;
}

Recordset& ScheduleDatabase::memos()
{
    return *m_memos;
}

QString ScheduleDatabase::path() const
{
    return m_database->Path();
}

void ScheduleDatabase::Close()
{
    m_schedules->Close();
    m_memos->Close();
    m_database->Close();
}

QString DataFilePath(const QString& programFolder)
{
    return InFolder(programFolder, QLatin1String(kDataFileName));
}

QString LegacyFilePath(const QString& programFolder)
{
    return InFolder(programFolder, QStringLiteral("Cal.ini"));
}

TableDef ScheduleTableDefinition()
{
    namespace f = schedule_fields;
    const int shortText = text_capacity::Short;
    return {f::Table,
            {
                IntegerField(f::Type),
                IntegerField(f::Year),
                IntegerField(f::Month),
                IntegerField(f::Day),
                IntegerField(f::Week),
                IntegerField(f::DayOfTheWeek),
                IntegerField(f::BirthYear),
                TextField(f::BirthPerson, shortText, true),
                TextField(f::StartTime, shortText, true),
                TextField(f::EndTime, shortText, true),
                TextField(f::Alarm, shortText, true),
                LongField(f::Color),
                LongField(f::Mark),
                TextField(f::Message, text_capacity::Message, true),
                TextField(f::AlarmFlag, shortText, true),
                TextField(f::FirstDate, shortText, true),
                TextField(f::LastDate, shortText, true),
                TextField(f::SkippedDates, text_capacity::SkippedDates, true),
            }};
}

TableDef MemoTableDefinition()
{
    namespace f = memo_fields;
    return {f::Table,
            {
                TextField(f::Title, text_capacity::Short, true),
                TextField(f::Memo, text_capacity::Memo, true),
                TextField(f::Date, text_capacity::Short, true),
            }};
}

std::unique_ptr<Database> CreateScheduleDatabase(const QString& path)
{
    std::unique_ptr<Database> database = Database::CreateDatabase(path);
    database->CreateTable(ScheduleTableDefinition());
    EnsureSyncBookkeeping(*database);
    return database;
}

void CreateMemoTable(Database& database)
{
    database.CreateTable(MemoTableDefinition());
}

int ResetAlarmFlags(Recordset& schedules)
{
    // Most starts find no record acknowledged: no record is then visited.
    if (!schedules.FieldMayHoldValues(schedules.FieldIndex(schedule_fields::AlarmFlag)))
        return 0;
    int changed = 0;
    for (schedules.MoveFirst(); !schedules.IsEOF(); schedules.MoveNext()) {
        if (schedules.GetValue(schedule_fields::AlarmFlag).isNull())
            continue;
        schedules.Edit();
        schedules.SetValue(schedule_fields::AlarmFlag, Value::Null());
        schedules.Update();
        ++changed;
    }
    return changed;
}

OpenScheduleResult OpenScheduleDatabase(const QString& programFolder, const MessageSink& sink,
                                        const StopRequest& stopRequested)
{
    const QString path = DataFilePath(programFolder);
    if (HoldsData(path))
        return OpenExisting(path);

    // One start creates the file; another one started with it waits here
    // and then opens what the first one made.
    QLockFile creating(CreationLockPath(path));
    creating.setStaleLockTime(0); // stale only when its program is gone
    if (!creating.tryLock(kCreationWaitMs)) {
        if (creating.error() == QLockFile::LockFailedError)
            return Failed(OpenFailure(path, QStringLiteral("ほかのプログラムがこのファイルを使用中です。")));
        return Failed(CreateFailure(path, QStringLiteral("フォルダーに書き込めません。")));
    }
    if (HoldsData(path)) {
        creating.unlock();
        return OpenExisting(path);
    }
    // An empty file holds no data: a start of an older version that ended
    // while creating it left it, and no one is creating it now.
    if (const QFileInfo empty(path); empty.isFile() && empty.size() == 0 && !QFile::remove(path))
        return Failed(CreateFailure(path, QStringLiteral("空のファイルを置き換えられません。")));
    return CreateNew(path, LegacyFilePath(programFolder), sink, stopRequested);
}

bool InitialSetPending(ScheduleDatabase& database)
{
    return (database.database().FileFlags() & kInitialSetPendingFlag) != 0;
}

void SettleInitialSet(ScheduleDatabase& database)
{
    Database& file = database.database();
    const int flags = file.FileFlags();
    if (flags & kInitialSetPendingFlag)
        file.SetFileFlags(flags & ~kInitialSetPendingFlag);
}

} // namespace morvane
