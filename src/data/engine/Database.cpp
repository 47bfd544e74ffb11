#include "data/engine/EngineState.h"
#include "data/engine/Schema.h"

namespace morvane {

namespace engine_detail {

SqliteConnection& DatabaseState::openConnection() const
{
    if (!connection) {
        throw EngineError(EngineErrorCode::ObjectClosed,
                          QStringLiteral("The database '%1' is closed.").arg(path));
    }
    return *connection;
}

qsizetype DatabaseState::tableIndex(const QString& name) const
{
    for (size_t i = 0; i < schema.size(); ++i) {
        if (schema[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return qsizetype(i);
    }
    return -1;
}

void DatabaseState::throwTableNotFound(const QString& name) const
{
    throw EngineError(EngineErrorCode::TableNotFound,
                      QStringLiteral("The database has no table '%1'.").arg(name));
}

std::shared_ptr<TableStore> DatabaseState::store(const QString& name)
{
    SqliteConnection& db = openConnection();
    const qsizetype index = tableIndex(name);
    if (index < 0)
        throwTableNotFound(name);
    const TableDef& definition = schema[size_t(index)];
    for (const auto& store : stores) {
        if (store->definition.name == definition.name)
            return store;
    }
    auto loaded = TableStore::Load(db, definition);
    write([&](SqliteConnection& connection) { loaded->renumberIfCrowded(connection); });
    stores.push_back(loaded);
    return loaded;
}

void DatabaseState::refuseInTransaction(const QString& what) const
{
    if (inTransaction) {
        throw EngineError(EngineErrorCode::InvalidOperation,
                          QStringLiteral("%1 is not possible while a batch is open.").arg(what));
    }
}

void DatabaseState::abandonTransaction()
{
    inTransaction = false;
    SqliteConnection& db = openConnection();
    for (const auto& store : stores)
        store->reload(db);
}

void DatabaseState::close()
{
    for (const auto& store : stores)
        store->releaseStatements();
    stores.clear();
    connection.reset();
}

} // namespace engine_detail

using engine_detail::DatabaseState;
using engine_detail::SqliteConnection;

Database::Database(std::shared_ptr<DatabaseState> state) : m_state(std::move(state)) {}

Database::~Database()
{
    Close();
}

std::unique_ptr<Database> Database::CreateDatabase(const QString& path)
{
    auto state = std::make_shared<DatabaseState>();
    state->path = path;
    state->connection = std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::Create);
    // Writing the header at once leaves a recognisable database file even
    // when no table follows; the id tells our files from other databases.
    state->connection->execute("PRAGMA application_id = 1299149430"); // "Mo", "rv"
    return std::unique_ptr<Database>(new Database(std::move(state)));
}

std::unique_ptr<Database> Database::OpenDatabase(const QString& path)
{
    auto state = std::make_shared<DatabaseState>();
    state->path = path;
    state->connection =
        std::make_unique<SqliteConnection>(path, SqliteConnection::Mode::OpenExisting);
    state->schema = engine_detail::ReadSchema(*state->connection);
    return std::unique_ptr<Database>(new Database(std::move(state)));
}

void Database::Close()
{
    if (m_state)
        m_state->close();
}

bool Database::IsOpen() const
{
    return m_state->connection != nullptr;
}

QString Database::Path() const
{
    return m_state->path;
}

QStringList Database::TableNames() const
{
    m_state->openConnection();
    QStringList names;
    for (const TableDef& table : m_state->schema)
        names.append(table.name);
    return names;
}

bool Database::HasTable(const QString& name) const
{
    m_state->openConnection();
    return m_state->tableIndex(name) >= 0;
}

TableDef Database::TableDefinition(const QString& name) const
{
    m_state->openConnection();
    const qsizetype index = m_state->tableIndex(name);
    if (index < 0)
        m_state->throwTableNotFound(name);
    return m_state->schema[size_t(index)];
}

void Database::CreateTable(const TableDef& definition)
{
    using engine_detail::ValidateName;
    SqliteConnection& db = m_state->openConnection();
    m_state->refuseInTransaction(QStringLiteral("Creating a table"));
    ValidateName(definition.name, QStringLiteral("table"));
    if (m_state->tableIndex(definition.name) >= 0) {
        throw EngineError(EngineErrorCode::TableExists,
                          QStringLiteral("A table '%1' already exists.").arg(definition.name));
    }
    if (definition.fields.empty()) {
        throw EngineError(
            EngineErrorCode::InvalidArgument,
            QStringLiteral("Table '%1' needs at least one field.").arg(definition.name));
    }
    TableDef resolved{definition.name, {}};
    QStringList columns;
    for (const FieldDef& field : definition.fields) {
        ValidateName(field.name, QStringLiteral("field"));
        for (const FieldDef& earlier : resolved.fields) {
            if (earlier.name.compare(field.name, Qt::CaseInsensitive) == 0) {
                throw EngineError(EngineErrorCode::DuplicateField,
                                  QStringLiteral("Table '%1' defines field '%2' twice.")
                                      .arg(definition.name, field.name));
            }
        }
        resolved.fields.push_back(engine_detail::Resolved(field));
        columns.append(engine_detail::ColumnDefinition(field));
    }
    const QString sql = QStringLiteral("CREATE TABLE %1 (%2)")
                            .arg(engine_detail::QuoteIdentifier(definition.name),
                                 columns.join(QLatin1String(", ")));
    db.prepare(sql)->step();
    m_state->schema.push_back(std::move(resolved));
}

void Database::AppendField(const QString& table, const FieldDef& field)
{
    SqliteConnection& db = m_state->openConnection();
    m_state->refuseInTransaction(QStringLiteral("Adding a field"));
    const qsizetype index = m_state->tableIndex(table);
    if (index < 0)
        m_state->throwTableNotFound(table);
    TableDef& definition = m_state->schema[size_t(index)];
    engine_detail::ValidateName(field.name, QStringLiteral("field"));
    for (const FieldDef& existing : definition.fields) {
        if (existing.name.compare(field.name, Qt::CaseInsensitive) == 0) {
            throw EngineError(EngineErrorCode::DuplicateField,
                              QStringLiteral("Table '%1' already has a field '%2'.")
                                  .arg(definition.name, field.name));
        }
    }
    const QString sql = QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                            .arg(engine_detail::QuoteIdentifier(definition.name),
                                 engine_detail::ColumnDefinition(field));
    // A prepared statement on the table would keep the schema from changing.
    for (const auto& store : m_state->stores)
        store->releaseStatements();
    db.prepare(sql)->step();
    definition.fields.push_back(engine_detail::Resolved(field));
    for (const auto& store : m_state->stores) {
        if (store->definition.name == definition.name)
            store->fieldAppended(field);
    }
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& table)
{
    auto rows = m_state->store(table);
    return std::unique_ptr<Recordset>(
        new Recordset(std::make_unique<engine_detail::RecordsetState>(m_state, std::move(rows))));
}

void Database::BeginTrans()
{
    SqliteConnection& db = m_state->openConnection();
    if (m_state->inTransaction) {
        throw EngineError(EngineErrorCode::InvalidOperation,
                          QStringLiteral("A batch is already open on '%1'.").arg(m_state->path));
    }
    // The write lock is taken at once: a batch that read first and wrote
    // later could not wait for another connection of the program.
    db.execute("BEGIN IMMEDIATE");
    m_state->inTransaction = true;
}

void Database::CommitTrans()
{
    SqliteConnection& db = m_state->openConnection();
    if (!m_state->inTransaction) {
        throw EngineError(
            EngineErrorCode::TransactionNotStarted,
            QStringLiteral("CommitTrans without BeginTrans on '%1'.").arg(m_state->path));
    }
    try {
        db.execute("COMMIT");
    } catch (const EngineError&) {
        // Whatever SQLite kept of the batch is undone, so that the file and
        // the rows agree on what was not saved.
        if (db.inTransaction())
            db.rollbackQuietly();
        m_state->abandonTransaction();
        throw;
    }
    m_state->inTransaction = false;
}

void Database::Rollback()
{
    SqliteConnection& db = m_state->openConnection();
    if (!m_state->inTransaction) {
        throw EngineError(
            EngineErrorCode::TransactionNotStarted,
            QStringLiteral("Rollback without BeginTrans on '%1'.").arg(m_state->path));
    }
    if (db.inTransaction())
        db.execute("ROLLBACK");
    m_state->abandonTransaction();
}

bool Database::InTransaction() const
{
    return m_state->inTransaction;
}

int Database::FileFlags() const
{
    auto read = m_state->openConnection().prepare(QStringLiteral("PRAGMA user_version"));
    return read->step() ? int(read->columnInteger(0)) : 0;
}

void Database::SetFileFlags(int flags)
{
    m_state->write([flags](SqliteConnection& db) {
        db.prepare(QStringLiteral("PRAGMA user_version = %1").arg(flags))->step();
    });
}

} // namespace morvane
