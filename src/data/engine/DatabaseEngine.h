#pragma once

// The record store of the program: a small database engine over SQLite with
// tables of Integer, Long and Text fields, recordsets that keep every row of
// one table in table order, record positions, and a filter language of its
// own (comparisons, Like, Not, And/Or) evaluated in memory.
//
// Positions: the records of a table are numbered 0, 1, 2 ... in the order
// they were appended. A new record goes to the end and moves no other; a
// deletion moves every later record down by one. Callers keep positions
// (alarm lists, list row keys), so no operation ever reorders the rows.
//
// Durability: every Update and Delete is committed to the file before it
// returns (or, inside BeginTrans ... CommitTrans, at CommitTrans). While a
// Database is open no other process can read the file.
//
// Errors are raised as EngineError carrying the engine's error number.
// A Database and its recordsets are used from one thread.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <exception>
#include <memory>
#include <type_traits>
#include <variant>
#include <vector>

namespace morvane {

// ---------------------------------------------------------------------------
// Errors

// Numbers of the engine errors. Callers test FileNotFound, TableNotFound,
// ItemNotFound and FieldTooSmall; the others name the remaining faults so a
// report can tell them apart.
enum class EngineErrorCode : int
{
    FileNotFound = 53,            // the data file does not exist
    InvalidArgument = 3001,       // e.g. a position outside the recordset
    TableExists = 3010,           // a table of that name is already defined
    UpdateWithoutEdit = 3020,     // Update/CancelUpdate/SetValue without AddNew or Edit
    NoCurrentRecord = 3021,       // no current record (empty, or past the end)
    DiskFull = 3026,              // the file could not grow
    ReadOnly = 3027,              // the file or its folder cannot be written
    TransactionNotStarted = 3034, // CommitTrans/Rollback without BeginTrans
    DiskError = 3043,             // any other failure of the file underneath
    NotADatabase = 3049,          // the file is not a database or is damaged
    FileInUse = 3051,             // another process has the file open
    UnknownFilterField = 3070,    // a filter names a field the table lacks
    FilterSyntax = 3077,          // a malformed filter
    TableNotFound = 3078,         // no table of that name
    InvalidName = 3125,           // not a valid table or field name
    FieldTooSmall = 3163,         // text longer than the field's capacity
    RecordDeleted = 3167,         // the current record was deleted
    DuplicateField = 3191,        // a field of that name is already defined
    DatabaseExists = 3204,        // creating a database over an existing file
    InvalidOperation = 3219,      // a second BeginTrans; a table change inside one
    ItemNotFound = 3265,          // no field of that name
    ZeroLengthNotAllowed = 3315,  // "" into a Text field that refuses it
    NumericOverflow = 3349,       // a number outside the field's range
    ObjectClosed = 3420,          // the database or recordset was closed
    ConversionError = 3421,       // a value that cannot become the field's type
    FilterTypeMismatch = 3464,    // a filter compares a number field with text
};

class EngineError : public std::exception
{
public:
    EngineError(EngineErrorCode code, QString message);

    EngineErrorCode code() const noexcept { return m_code; }
    int number() const noexcept { return static_cast<int>(m_code); }
    // One sentence in English naming the file, table, field or filter.
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    EngineErrorCode m_code;
    QString m_message;
    QByteArray m_what;
};

// ---------------------------------------------------------------------------
// Values

namespace engine_detail {
struct ValueAccess;
template <typename T>
concept WholeNumber =
    std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char> &&
    !std::is_same_v<T, char16_t> && !std::is_same_v<T, char32_t> && !std::is_same_v<T, wchar_t>;
} // namespace engine_detail

// A field value: Null, a whole number or a text.
class Value
{
public:
    Value() = default; // Null
    // Any integer type (int, qint64, qsizetype ...); characters and
    // Booleans are not numbers here.
    template <engine_detail::WholeNumber T> Value(T number) : m_data(qint64(number)) {}
    Value(const QString& text) : m_data(text) {}
    Value(QString&& text) : m_data(std::move(text)) {}
    Value(const char* utf8) : m_data(QString::fromUtf8(utf8)) {}
    Value(bool) = delete; // the program stores Booleans as "True"/"False" texts

    static Value Null() { return Value(); }
    // QVariant null/invalid -> Null; integral -> number; anything else -> text.
    static Value fromVariant(const QVariant& variant);

    bool isNull() const { return std::holds_alternative<std::monostate>(m_data); }
    bool isNumber() const { return std::holds_alternative<qint64>(m_data); }
    bool isText() const { return std::holds_alternative<QString>(m_data); }

    // A number as is; a text when it is a whole number (blanks around it
    // allowed, e.g. " 12"); otherwise 0 with *ok false. Null gives 0, *ok false.
    qint64 toLongLong(bool* ok = nullptr) const;
    int toInt(bool* ok = nullptr) const;
    // A text as is; a number in decimal; Null as "".
    QString toString() const;
    // Null -> a null QVariant; a number -> qlonglong; a text -> QString.
    QVariant toVariant() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    friend struct engine_detail::ValueAccess;
    std::variant<std::monostate, qint64, QString> m_data;
};

// ---------------------------------------------------------------------------
// Table definitions

enum class FieldType
{
    Integer, // 16-bit signed
    Long,    // 32-bit signed
    Text,    // variable text, up to its capacity in code page 932 bytes
};

// Capacity of a Text field created without a size.
inline constexpr int kDefaultTextSize = 255;

struct FieldDef
{
    QString name;
    FieldType type = FieldType::Text;
    // Text: capacity in code page 932 bytes; 0 takes kDefaultTextSize.
    // Numbers: ignored; a definition read back gives 2 (Integer) or 4 (Long).
    int size = 0;
    // Text only: whether "" may be stored. Off unless asked for, so a
    // definition states it for every Text field that takes empty texts.
    bool allowZeroLength = false;
};

FieldDef IntegerField(const QString& name);
FieldDef LongField(const QString& name);
FieldDef TextField(const QString& name, int size = 0, bool allowZeroLength = false);

struct TableDef
{
    QString name;
    std::vector<FieldDef> fields; // in table order
};

// ---------------------------------------------------------------------------
// Filter texts

// `text` between single quotes with every apostrophe doubled, the only safe
// way to put a title, message or search text into a filter:
// QuoteFilterText("Bob's") == "'Bob''s'".
QString QuoteFilterText(const QString& text);

// `text` as a Like pattern that matches it literally: the pattern characters
// * ? # [ are wrapped in brackets ("[*]"). Quote the result with
// QuoteFilterText, e.g. "[Message] Like " + QuoteFilterText("*" +
// LikePatternForLiteral(userText) + "*").
QString LikePatternForLiteral(const QString& text);

// ---------------------------------------------------------------------------
// Database and recordsets

namespace engine_detail {
struct DatabaseState;
struct TableStore;
struct RecordsetState;
} // namespace engine_detail

class Recordset;

class Database
{
public:
    // A new, empty database file. DatabaseExists when `path` exists.
    static std::unique_ptr<Database> CreateDatabase(const QString& path);
    // An existing file, read/write, locked against every other process.
    // FileNotFound, NotADatabase, FileInUse, ReadOnly.
    static std::unique_ptr<Database> OpenDatabase(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Releases the file. Recordsets of this database stop working
    // (ObjectClosed). Closing twice is harmless.
    void Close();
    bool IsOpen() const;
    QString Path() const;

    QStringList TableNames() const;
    bool HasTable(const QString& name) const;            // names match without regard to case
    TableDef TableDefinition(const QString& name) const; // TableNotFound

    // Creates a table with its fields in the given order.
    // TableExists, DuplicateField, InvalidName.
    void CreateTable(const TableDef& definition);
    // Appends a field at the end of an existing table; every record holds
    // Null in it. TableNotFound, DuplicateField, InvalidName.
    void AppendField(const QString& table, const FieldDef& field);

    // A recordset over all rows of `table` in table order, positioned on the
    // first record (none when the table is empty). TableNotFound.
    std::unique_ptr<Recordset> OpenRecordset(const QString& table);

    // Batches. Between BeginTrans and CommitTrans the Updates and Deletes
    // of every recordset reach the file as one commit at CommitTrans: many
    // records saved with one disk sync instead of one each (an import, a
    // bulk deletion). A kill before CommitTrans loses the batch and nothing
    // else. Rollback undoes the batch in the file and in every recordset,
    // which then have no current record. A write failure that makes the
    // file give up the batch does the same before it is raised. Tables
    // cannot be created or changed inside a batch (InvalidOperation).
    void BeginTrans();  // InvalidOperation when a batch is already open
    void CommitTrans(); // TransactionNotStarted
    void Rollback();    // TransactionNotStarted
    bool InTransaction() const;

    // A number the program keeps in the file for itself, beside the tables
    // (0 in a new file). Setting it is written like an Update: at once, or
    // inside a batch with the batch.
    int FileFlags() const;
    void SetFileFlags(int flags);

    // --- Bookkeeping beside the records. Tables and triggers whose names
    // begin with "sync_" belong to the program's own bookkeeping: they are
    // not record tables (TableNames leaves them out, CreateTable refuses
    // the names), their rows are not held in memory, and they are reached
    // only through these two calls with SQL fixed in the program and the
    // values bound. Writes join an open batch like any Update.
    void ExecuteSql(const QString& sql, const std::vector<Value>& values = {});
    std::vector<std::vector<Value>> QuerySql(const QString& sql,
                                             const std::vector<Value>& values = {}) const;

private:
    explicit Database(std::shared_ptr<engine_detail::DatabaseState> state);
    std::shared_ptr<engine_detail::DatabaseState> m_state;
};

enum class EditMode
{
    None,
    Editing, // after Edit
    Adding,  // after AddNew
};

// All rows of one table in table order with one current record. Several
// recordsets over one table share the rows and see each other's changes.
class Recordset
{
public:
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void Close();
    QString TableName() const;

    // --- Searching. The filter is parsed once and cached by its text;
    // evaluation runs in memory. FilterSyntax, UnknownFilterField,
    // FilterTypeMismatch. A pending AddNew/Edit is discarded.
    // FindFirst searches from the first record, FindNext from the record
    // after the current one (after a Delete: from the record that followed
    // the deleted one). On a match that record becomes current; otherwise
    // NoMatch() is true and the current record is unchanged.
    void FindFirst(const QString& filter);
    void FindNext(const QString& filter);
    bool NoMatch() const;

    // --- Moving. A pending AddNew/Edit is discarded.
    // MoveFirst/MoveLast on an empty recordset leave no current record.
    // MoveNext from the last record goes past the end (IsEOF); MoveNext when
    // already past the end is NoCurrentRecord.
    void MoveFirst();
    void MoveNext();
    void MoveLast();
    // True when there is no current record because the recordset is empty
    // or has moved past its last record.
    bool IsEOF() const;
    int RecordCount() const;
    // 0-based position of the current record; -1 when there is none (empty,
    // past the end, or just deleted).
    int AbsolutePosition() const;
    // Makes the record at `position` current. InvalidArgument outside
    // 0 .. RecordCount() - 1.
    void SetAbsolutePosition(int position);

    // --- Identity. A record keeps its id for as long as it exists, while
    // its position moves whenever an earlier record is deleted. Lists that
    // address records by position keep the id beside it, so an action can
    // tell that its position no longer holds its record.
    // Id of the current record; 0 when there is none.
    qint64 RecordId() const;
    // Position of the record with `id`; -1 when no record has it.
    int PositionOfRecordId(qint64 id) const;
    // Id of the record at `position`; 0 outside 0 .. RecordCount() - 1.
    qint64 RecordIdAt(int position) const;

    // --- Changing. Values written with SetValue go to an edit buffer;
    // Update commits it to the file and then to the rows in memory. When
    // the commit fails the rows and the buffer stay as they were.
    // AddNew starts a new record with every field Null. Its Update appends
    // it after the last record; the record that was current before AddNew
    // stays current (MoveLast reaches the new one).
    void AddNew();
    // Starts changing the current record. NoCurrentRecord, RecordDeleted.
    void Edit();
    // UpdateWithoutEdit when neither AddNew nor Edit is pending.
    void Update();
    void CancelUpdate();
    EditMode GetEditMode() const;
    // Removes the current record from the file and from the rows. Every
    // later record moves down by one; there is no current record until the
    // next move or find (MoveNext and FindNext continue with the record that
    // followed the deleted one). NoCurrentRecord, RecordDeleted.
    void Delete();

    // --- Fields. Names match without regard to case; an unknown name is
    // ItemNotFound.
    int FieldCount() const;
    int FieldIndex(const QString& name) const;
    // The definition as stored (size resolved: the Text capacity, 2 or 4).
    FieldDef Fields(const QString& name) const;
    FieldDef Fields(int index) const;
    // Capacity of a Text field in code page 932 bytes (2 / 4 for numbers).
    int Size(const QString& name) const;

    // The current record's value, or the edit buffer's while AddNew/Edit is
    // pending. NoCurrentRecord, RecordDeleted.
    Value GetValue(const QString& name) const;
    Value GetValue(int index) const;
    // False only when no record of the table holds a value in the field
    // and no edit is pending: a pass over many records may then leave the
    // field unread.
    bool FieldMayHoldValues(int index) const;
    // Writes into the edit buffer, converting to the field's type: the text
    // "12" into a Long is 12. UpdateWithoutEdit, ConversionError,
    // NumericOverflow, FieldTooSmall (counted in code page 932 bytes),
    // ZeroLengthNotAllowed. A refused value leaves the buffer unchanged.
    void SetValue(const QString& name, const Value& value);
    void SetValue(int index, const Value& value);

private:
    friend class Database;
    explicit Recordset(std::unique_ptr<engine_detail::RecordsetState> state);
    std::unique_ptr<engine_detail::RecordsetState> m_state;
};

} // namespace morvane
