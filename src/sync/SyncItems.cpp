#include "sync/SyncItems.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace morvane {

namespace {

const QString kSelect = QStringLiteral(
    "SELECT i.ItemId, i.RecordId, i.Uid, i.Href, i.ETag, i.Agreed, i.Mirror, j.Seq "
    "FROM sync_item i LEFT JOIN sync_journal j USING (ItemId) ");

SyncItem ItemOf(const std::vector<Value>& row)
{
    SyncItem item;
    item.itemId = row[0].toLongLong();
    item.recordId = row[1].toLongLong();
    item.uid = row[2].toString();
    item.href = row[3].toString();
    item.etag = row[4].toString();
    item.agreed = row[5].toString();
    item.mirror = row[6].toInt() != 0;
    item.journalSeq = row[7].toLongLong();
    return item;
}

QJsonValue Optional(const std::optional<int>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

} // namespace

QString EntryText(const ScheduleEntry& e)
{
    QJsonArray fields{e.type,        e.year,      e.month,          e.day,
                            e.week,        e.dayOfTheWeek, Optional(e.birthYear), e.birthPerson,
                            e.startTime,   e.endTime,   e.alarm,          e.color,
                            Optional(e.mark), e.message};
    // A rule's first, last and skipped days count as the rule itself; left
    // out when there are none, so texts agreed before keep their form.
    if (!e.bounds.isEmpty()) {
        fields.append(BoundDateText(e.bounds.first));
        fields.append(BoundDateText(e.bounds.last));
        fields.append(SkippedDatesText(e.bounds.skipped));
    }
    return QString::fromUtf8(QJsonDocument(fields).toJson(QJsonDocument::Compact));
}

std::vector<SyncItem> SyncItems::all() const
{
    std::vector<SyncItem> items;
    for (const auto& row : m_database.database().QuerySql(kSelect + QStringLiteral("ORDER BY i.ItemId")))
        items.push_back(ItemOf(row));
    return items;
}

std::vector<SyncItem> SyncItems::pending() const
{
    std::vector<SyncItem> items;
    for (const auto& row : m_database.database().QuerySql(
             kSelect + QStringLiteral("WHERE j.Seq IS NOT NULL OR (i.Mirror = 0 AND "
                                      "(i.RecordId IS NULL OR i.Href IS NULL)) ORDER BY i.ItemId")))
        items.push_back(ItemOf(row));
    return items;
}

std::vector<SyncItem> SyncItems::withHref(const QString& href) const
{
    std::vector<SyncItem> items;
    for (const auto& row : m_database.database().QuerySql(
             kSelect + QStringLiteral("WHERE i.Href = ? ORDER BY i.ItemId"), {Value(href)}))
        items.push_back(ItemOf(row));
    return items;
}

std::optional<SyncItem> SyncItems::withUid(const QString& uid) const
{
    const auto rows = m_database.database().QuerySql(
        kSelect + QStringLiteral("WHERE i.Uid = ? AND i.Mirror = 0 ORDER BY i.ItemId DESC LIMIT 1"),
        {Value(uid)});
    if (rows.empty())
        return std::nullopt;
    return ItemOf(rows.front());
}

QString SyncItems::fileIdentity() const
{
    const auto rows = m_database.database().QuerySql(
        QStringLiteral("SELECT Value FROM sync_file WHERE Key = 'Identity'"));
    return rows.empty() ? QString() : rows.front().front().toString();
}

QString SyncItems::collectionUrl() const
{
    const auto rows =
        m_database.database().QuerySql(QStringLiteral("SELECT Url FROM sync_collection LIMIT 1"));
    return rows.empty() ? QString() : rows.front().front().toString();
}

QString SyncItems::syncToken() const
{
    const auto rows = m_database.database().QuerySql(
        QStringLiteral("SELECT SyncToken FROM sync_collection LIMIT 1"));
    return rows.empty() ? QString() : rows.front().front().toString();
}

void SyncItems::setCollection(const QString& url, const QString& token)
{
    Database& db = m_database.database();
    db.ExecuteSql(QStringLiteral("DELETE FROM sync_collection"));
    db.ExecuteSql(QStringLiteral("INSERT INTO sync_collection (Url, SyncToken) VALUES (?, ?)"),
                  {Value(url), token.isEmpty() ? Value() : Value(token)});
}

int SyncItems::mirrorYear() const
{
    const auto rows = m_database.database().QuerySql(
        QStringLiteral("SELECT Value FROM sync_file WHERE Key = 'MirrorYear'"));
    return rows.empty() ? 0 : rows.front().front().toInt();
}

void SyncItems::setMirrorYear(int year)
{
    m_database.database().ExecuteSql(
        QStringLiteral("INSERT OR REPLACE INTO sync_file (Key, Value) VALUES ('MirrorYear', ?)"),
        {Value(QString::number(year))});
}

QStringList SyncItems::mirroredHrefs() const
{
    QStringList hrefs;
    for (const auto& row : m_database.database().QuerySql(QStringLiteral(
             "SELECT DISTINCT Href FROM sync_item WHERE Mirror = 1 AND Href IS NOT NULL")))
        hrefs.append(row.front().toString());
    return hrefs;
}

void SyncItems::forgetServer()
{
    Database& db = m_database.database();
    // Dates mirrored from the old collection's events go with it.
    for (const auto& row : db.QuerySql(QStringLiteral(
             "SELECT RecordId FROM sync_item WHERE Mirror = 1 AND RecordId IS NOT NULL")))
        removeRecord(row[0].toLongLong());
    db.ExecuteSql(QStringLiteral("DELETE FROM sync_item WHERE RecordId IS NULL"));
    db.ExecuteSql(QStringLiteral("DELETE FROM sync_journal WHERE ItemId NOT IN (SELECT ItemId FROM sync_item)"));
    db.ExecuteSql(
        QStringLiteral("UPDATE sync_item SET Href = NULL, ETag = NULL, Agreed = NULL, Mirror = 0"));
    db.ExecuteSql(QStringLiteral("DELETE FROM sync_collection"));
}

std::optional<ScheduleEntry> SyncItems::entryOf(qint64 recordId) const
{
    Recordset& schedules = m_database.schedules();
    const int position = schedules.PositionOfRecordId(recordId);
    if (position < 0)
        return std::nullopt;
    schedules.SetAbsolutePosition(position);
    return ReadScheduleEntry(schedules);
}

ScheduleEntry SyncItems::overwrite(qint64 recordId, const ScheduleEntry& entry)
{
    Recordset& schedules = m_database.schedules();
    schedules.SetAbsolutePosition(schedules.PositionOfRecordId(recordId));
    schedules.Edit();
    WriteScheduleEntry(schedules, entry);
    schedules.Update();
    return ReadScheduleEntry(schedules);
}

qint64 SyncItems::add(const ScheduleEntry& entry)
{
    Recordset& schedules = m_database.schedules();
    schedules.AddNew();
    WriteScheduleEntry(schedules, entry);
    schedules.Update();
    schedules.MoveLast();
    return schedules.RecordId();
}

void SyncItems::removeRecord(qint64 recordId)
{
    Recordset& schedules = m_database.schedules();
    const int position = schedules.PositionOfRecordId(recordId);
    if (position < 0)
        return;
    schedules.SetAbsolutePosition(position);
    schedules.Delete();
}

void SyncItems::bind(qint64 itemId, const QString& uid, const QString& href, const QString& etag,
                     const QString& agreed, bool mirror)
{
    m_database.database().ExecuteSql(
        QStringLiteral("UPDATE sync_item SET Uid = ?, Href = ?, ETag = ?, Agreed = ?, Mirror = ? "
                       "WHERE ItemId = ?"),
        {Value(uid), href.isEmpty() ? Value() : Value(href), etag.isEmpty() ? Value() : Value(etag),
         agreed.isEmpty() ? Value() : Value(agreed), Value(mirror ? 1 : 0), Value(itemId)});
}

qint64 SyncItems::itemOfRecord(qint64 recordId) const
{
    const auto rows = m_database.database().QuerySql(
        QStringLiteral("SELECT ItemId FROM sync_item WHERE RecordId = ?"), {Value(recordId)});
    return rows.empty() ? 0 : rows.front().front().toLongLong();
}

void SyncItems::clearJournal(qint64 itemId, qint64 seq)
{
    if (seq == 0)
        m_database.database().ExecuteSql(QStringLiteral("DELETE FROM sync_journal WHERE ItemId = ?"),
                                         {Value(itemId)});
    else
        m_database.database().ExecuteSql(
            QStringLiteral("DELETE FROM sync_journal WHERE ItemId = ? AND Seq = ?"),
            {Value(itemId), Value(seq)});
}

void SyncItems::dropItem(qint64 itemId)
{
    clearJournal(itemId);
    m_database.database().ExecuteSql(QStringLiteral("DELETE FROM sync_item WHERE ItemId = ?"),
                                     {Value(itemId)});
}

void SyncItems::markNewToServer(qint64 itemId)
{
    m_database.database().ExecuteSql(
        QStringLiteral("UPDATE sync_item SET Href = NULL, ETag = NULL, Agreed = NULL WHERE ItemId = ?"),
        {Value(itemId)});
    m_database.database().ExecuteSql(
        QStringLiteral("INSERT OR REPLACE INTO sync_journal (ItemId, Change) VALUES (?, 'add')"),
        {Value(itemId)});
}

} // namespace morvane
