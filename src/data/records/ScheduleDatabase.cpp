#include "data/records/ScheduleDatabase.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/LegacyImport.h"
#include "data/records/ScheduleFields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QString ReasonOf(const EngineError& error)
{
    switch (error.code()) {
    case EngineErrorCode::NotADatabase:
        return QStringLiteral("モルヴァのデータファイルではないか、ファイルが壊れています。");
    case EngineErrorCode::FileInUse:
        return QStringLiteral("ほかのプログラムがこのファイルを使用中です。");
    case EngineErrorCode::ReadOnly:
        return QStringLiteral("このファイルまたはフォルダーに書き込めません。");
    case EngineErrorCode::DiskFull:
        return QStringLiteral("ディスクの空き容量が足りません。");
    default:
        return QStringLiteral("データベースのエラー %1: %2")
            .arg(error.number())
            .arg(error.message());
    }
}

// The fields of `required` that `table` lacks, by name without regard to case.
QStringList MissingFields(const TableDef& table, const TableDef& required, const QString& except)
{
    QStringList missing;
    for (const FieldDef& wanted : required.fields) {
        if (wanted.name.compare(except, Qt::CaseInsensitive) == 0)
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
    // SQLite would take an empty file for an empty database and write a
    // header into it; an empty file is no data file of ours.
    if (info.size() == 0) {
        return Failed(OpenFailure(
            path, QStringLiteral("ファイルが空です（0 バイト）。モルヴァのデータファイルでは"
                                 "ありません。")));
    }

    std::unique_ptr<Database> database;
    try {
        database = Database::OpenDatabase(path);
    } catch (const EngineError& error) {
        return Failed(OpenFailure(path, ReasonOf(error)));
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
            MissingFields(schedule, ScheduleTableDefinition(), schedule_fields::Mark);
        if (!missing.isEmpty())
            return Failed(OpenFailure(path, MissingFieldsReason(schedule_fields::Table, missing)));

        const bool hasMemo = database->HasTable(memo_fields::Table);
        if (hasMemo) {
            const QStringList missingMemo = MissingFields(
                database->TableDefinition(memo_fields::Table), MemoTableDefinition(), QString());
            if (!missingMemo.isEmpty())
                return Failed(
                    OpenFailure(path, MissingFieldsReason(memo_fields::Table, missingMemo)));
        }

        // Files of versions before marks existed lack the field; its records
        // then read Null there, which means "colour the day number".
        if (!HasField(schedule, schedule_fields::Mark))
            database->AppendField(schedule_fields::Table, LongField(schedule_fields::Mark));
        if (!hasMemo)
            CreateMemoTable(*database);

        auto opened = std::make_unique<ScheduleDatabase>(std::move(database));
        ResetAlarmFlags(opened->schedules());

        OpenScheduleResult result;
        result.outcome = OpenOutcome::Opened;
        result.database = std::move(opened);
        return result;
    } catch (const EngineError& error) {
        return Failed(OpenFailure(path, ReasonOf(error)));
    }
}

OpenScheduleResult CreateNew(const QString& path, const QString& legacyPath,
                             const MessageSink& sink)
{
    const bool fromLegacy = QFileInfo::exists(legacyPath);
    try {
        std::unique_ptr<Database> database = CreateScheduleDatabase(path);
        CreateMemoTable(*database);
        auto opened = std::make_unique<ScheduleDatabase>(std::move(database));

        OpenScheduleResult result;
        result.outcome = OpenOutcome::CreatedNew;
        if (fromLegacy) {
            // One disk sync for the whole import instead of one per entry.
            opened->database().BeginTrans();
            const LegacyImportResult imported =
                ImportLegacyFile(legacyPath, opened->schedules(), sink);
            opened->database().CommitTrans();
            result.outcome = OpenOutcome::ImportedLegacy;
            result.importedCount = imported.imported;
            if (!imported.readable && sink) {
                sink({QStringLiteral("以前のデータファイルを読み込めませんでした。\r\n\r\n") +
                          QDir::toNativeSeparators(legacyPath) +
                          QStringLiteral("\r\n\r\n予定は取り込まれていません。"),
                      MessageIcon::Exclamation, AppTitle});
            }
        }
        result.database = std::move(opened);
        return result;
    } catch (const EngineError& error) {
        // The file did not exist before, so whatever stands there now is
        // ours: a half-made file would pass for a complete one at the next
        // start and the import would never run again.
        if (error.code() != EngineErrorCode::DatabaseExists)
            QFile::remove(path);
        return Failed(CreateFailure(path, ReasonOf(error)));
    }
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
    return InFolder(programFolder, QStringLiteral("Morva.dat"));
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
    return database;
}

void CreateMemoTable(Database& database)
{
    database.CreateTable(MemoTableDefinition());
}

int ResetAlarmFlags(Recordset& schedules)
{
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

OpenScheduleResult OpenScheduleDatabase(const QString& programFolder, const MessageSink& sink)
{
    const QString path = DataFilePath(programFolder);
    if (QFileInfo::exists(path))
        return OpenExisting(path);
    return CreateNew(path, LegacyFilePath(programFolder), sink);
}

} // namespace morvane
