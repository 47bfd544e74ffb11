#include "data/engine/EngineState.h"
#include "data/engine/ValueConversion.h"

#include <algorithm>

namespace morvane {

namespace engine_detail {

RecordsetState::RecordsetState(std::shared_ptr<DatabaseState> db, std::shared_ptr<TableStore> rows)
    : database(std::move(db)), table(std::move(rows))
{
    table->observers.push_back(this);
    if (table->rowCount() > 0) {
        where = Where::OnRecord;
        index = 0;
    }
}

RecordsetState::~RecordsetState()
{
    detach();
}

void RecordsetState::detach()
{
    if (!table)
        return;
    auto& observers = table->observers;
    observers.erase(std::remove(observers.begin(), observers.end(), this), observers.end());
    table.reset();
    database.reset();
}

void RecordsetState::rowRemoved(size_t removed)
{
    if (where == Where::PastEnd)
        return;
    if (index > removed)
        --index;
    else if (index == removed && where == Where::OnRecord)
        where = Where::Deleted;
}

void RecordsetState::rowsReloaded()
{
    where = Where::PastEnd;
    index = 0;
    mode = EditMode::None;
    buffer.clear();
    noMatch = false;
}

} // namespace engine_detail

using State = engine_detail::RecordsetState;
using Where = engine_detail::RecordsetState::Where;

namespace {

// The recordset's state, refusing use after either it or its database was
// closed.
State& Live(const std::unique_ptr<State>& state)
{
    if (!state->table) {
        throw EngineError(EngineErrorCode::ObjectClosed,
                          QStringLiteral("The recordset is closed."));
    }
    state->database->openConnection();
    return *state;
}

[[noreturn]] void ThrowNoCurrentRecord(const State& s)
{
    if (s.where == Where::Deleted) {
        throw EngineError(EngineErrorCode::RecordDeleted,
                          QStringLiteral("The current record of table '%1' was deleted.")
                              .arg(s.table->definition.name));
    }
    throw EngineError(
        EngineErrorCode::NoCurrentRecord,
        QStringLiteral("Table '%1' has no current record.").arg(s.table->definition.name));
}

size_t CurrentIndex(const State& s)
{
    if (s.where != Where::OnRecord)
        ThrowNoCurrentRecord(s);
    return s.index;
}

// Moving or searching abandons an AddNew or Edit, as it always has.
void DropPendingEdit(State& s)
{
    s.mode = EditMode::None;
    s.buffer.clear();
}

int CheckedFieldIndex(const State& s, const QString& name)
{
    const int index = s.table->fieldIndex(name);
    if (index < 0) {
        throw EngineError(
            EngineErrorCode::ItemNotFound,
            QStringLiteral("Table '%1' has no field '%2'.").arg(s.table->definition.name, name));
    }
    return index;
}

const FieldDef& CheckedField(const State& s, int index)
{
    const auto& fields = s.table->definition.fields;
    if (index < 0 || size_t(index) >= fields.size()) {
        throw EngineError(EngineErrorCode::ItemNotFound,
                          QStringLiteral("Table '%1' has no field number %2.")
                              .arg(s.table->definition.name)
                              .arg(index));
    }
    return fields[size_t(index)];
}

void Search(State& s, const QString& filter, size_t from)
{
    const auto bound = s.table->boundFilter(filter);
    DropPendingEdit(s);
    const engine_detail::TableStore& table = *s.table;
    const size_t count = table.rowCount();
    for (size_t i = from; i < count; ++i) {
        if (bound->Matches(table.rowRef(i))) {
            s.where = Where::OnRecord;
            s.index = i;
            s.noMatch = false;
            return;
        }
    }
    s.noMatch = true;
}

} // namespace

Recordset::Recordset(std::unique_ptr<State> state) : m_state(std::move(state)) {}

Recordset::~Recordset() = default;

void Recordset::Close()
{
    m_state->detach();
}

QString Recordset::TableName() const
{
    return Live(m_state).table->definition.name;
}

void Recordset::FindFirst(const QString& filter)
{
    Search(Live(m_state), filter, 0);
}

void Recordset::FindNext(const QString& filter)
{
    State& s = Live(m_state);
    size_t from = s.table->rowCount();
    if (s.where == Where::OnRecord)
        from = s.index + 1;
    else if (s.where == Where::Deleted)
        from = s.index;
    Search(s, filter, from);
}

bool Recordset::NoMatch() const
{
    return Live(m_state).noMatch;
}

void Recordset::MoveFirst()
{
    State& s = Live(m_state);
    DropPendingEdit(s);
    if (s.table->rowCount() == 0) {
        s.where = Where::PastEnd;
        return;
    }
    s.where = Where::OnRecord;
    s.index = 0;
}

void Recordset::MoveNext()
{
    State& s = Live(m_state);
    if (s.where == Where::PastEnd)
        ThrowNoCurrentRecord(s);
    DropPendingEdit(s);
    const size_t next = s.where == Where::Deleted ? s.index : s.index + 1;
    if (next >= s.table->rowCount()) {
        s.where = Where::PastEnd;
        return;
    }
    s.where = Where::OnRecord;
    s.index = next;
}

void Recordset::MoveLast()
{
    State& s = Live(m_state);
    DropPendingEdit(s);
    if (s.table->rowCount() == 0) {
        s.where = Where::PastEnd;
        return;
    }
    s.where = Where::OnRecord;
    s.index = s.table->rowCount() - 1;
}

bool Recordset::IsEOF() const
{
    return Live(m_state).where == Where::PastEnd;
}

int Recordset::RecordCount() const
{
    return int(Live(m_state).table->rowCount());
}

int Recordset::AbsolutePosition() const
{
    const State& s = Live(m_state);
    return s.where == Where::OnRecord ? int(s.index) : -1;
}

qint64 Recordset::RecordId() const
{
    const State& s = Live(m_state);
    return s.where == Where::OnRecord ? s.table->rowids[s.index] : 0;
}

int Recordset::PositionOfRecordId(qint64 id) const
{
    const State& s = Live(m_state);
    return int(s.table->indexOfRowid(id));
}

qint64 Recordset::RecordIdAt(int position) const
{
    const State& s = Live(m_state);
    if (position < 0 || size_t(position) >= s.table->rowCount())
        return 0;
    return s.table->rowids[size_t(position)];
}

void Recordset::SetAbsolutePosition(int position)
{
    State& s = Live(m_state);
    if (position < 0 || size_t(position) >= s.table->rowCount()) {
        throw EngineError(EngineErrorCode::InvalidArgument,
                          QStringLiteral("Position %1 is outside table '%2' (%3 records).")
                              .arg(position)
                              .arg(s.table->definition.name)
                              .arg(s.table->rowCount()));
    }
    DropPendingEdit(s);
    s.where = Where::OnRecord;
    s.index = size_t(position);
}

void Recordset::AddNew()
{
    State& s = Live(m_state);
    s.mode = EditMode::Adding;
    s.buffer.assign(s.table->definition.fields.size(), Value());
}

void Recordset::Edit()
{
    State& s = Live(m_state);
    const size_t index = CurrentIndex(s);
    s.mode = EditMode::Editing;
    s.buffer = s.table->rowValues(index);
    s.editRowid = s.table->rowids[index];
}

void Recordset::Update()
{
    State& s = Live(m_state);
    switch (s.mode) {
    case EditMode::None:
        throw EngineError(EngineErrorCode::UpdateWithoutEdit,
                          QStringLiteral("Update on table '%1' without AddNew or Edit.")
                              .arg(s.table->definition.name));
    case EditMode::Adding: {
        // A recordset past its end stays past its end; the new record is
        // reached with MoveLast.
        s.database->write(
            [&](engine_detail::SqliteConnection& db) { s.table->append(db, s.buffer); });
        break;
    }
    case EditMode::Editing: {
        const qsizetype index = s.table->indexOfRowid(s.editRowid);
        if (index < 0) {
            throw EngineError(EngineErrorCode::RecordDeleted,
                              QStringLiteral("The record being edited in table '%1' was deleted.")
                                  .arg(s.table->definition.name));
        }
        s.database->write([&](engine_detail::SqliteConnection& db) {
            s.table->replace(db, size_t(index), s.buffer);
        });
        break;
    }
    }
    DropPendingEdit(s);
}

void Recordset::CancelUpdate()
{
    State& s = Live(m_state);
    if (s.mode == EditMode::None) {
        throw EngineError(EngineErrorCode::UpdateWithoutEdit,
                          QStringLiteral("CancelUpdate on table '%1' without AddNew or Edit.")
                              .arg(s.table->definition.name));
    }
    DropPendingEdit(s);
}

EditMode Recordset::GetEditMode() const
{
    return Live(m_state).mode;
}

void Recordset::Delete()
{
    State& s = Live(m_state);
    const size_t index = CurrentIndex(s);
    DropPendingEdit(s);
    // Observers, this recordset among them, move their positions.
    s.database->write([&](engine_detail::SqliteConnection& db) { s.table->remove(db, index); });
}

int Recordset::FieldCount() const
{
    return int(Live(m_state).table->definition.fields.size());
}

int Recordset::FieldIndex(const QString& name) const
{
    return CheckedFieldIndex(Live(m_state), name);
}

FieldDef Recordset::Fields(const QString& name) const
{
    const State& s = Live(m_state);
    return CheckedField(s, CheckedFieldIndex(s, name));
}

FieldDef Recordset::Fields(int index) const
{
    return CheckedField(Live(m_state), index);
}

int Recordset::Size(const QString& name) const
{
    return Fields(name).size;
}

Value Recordset::GetValue(const QString& name) const
{
    const State& s = Live(m_state);
    return GetValue(CheckedFieldIndex(s, name));
}

bool Recordset::FieldMayHoldValues(int index) const
{
    const State& s = Live(m_state);
    CheckedField(s, index);
    return s.mode != EditMode::None || s.table->mayHoldValues(size_t(index));
}

Value Recordset::GetValue(int index) const
{
    const State& s = Live(m_state);
    CheckedField(s, index);
    if (s.mode != EditMode::None) {
        const size_t at = size_t(index);
        return at < s.buffer.size() ? s.buffer[at] : Value();
    }
    return s.table->value(CurrentIndex(s), size_t(index));
}

void Recordset::SetValue(const QString& name, const Value& value)
{
    const State& s = Live(m_state);
    SetValue(CheckedFieldIndex(s, name), value);
}

void Recordset::SetValue(int index, const Value& value)
{
    State& s = Live(m_state);
    const FieldDef& field = CheckedField(s, index);
    if (s.mode == EditMode::None) {
        throw EngineError(
            EngineErrorCode::UpdateWithoutEdit,
            QStringLiteral("Field '%1' written without AddNew or Edit.").arg(field.name));
    }
    Value converted = engine_detail::ConvertForField(field, value);
    // A field appended while the edit was pending widens the buffer.
    if (s.buffer.size() < s.table->definition.fields.size())
        s.buffer.resize(s.table->definition.fields.size());
    s.buffer[size_t(index)] = std::move(converted);
}

} // namespace morvane
