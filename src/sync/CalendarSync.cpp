#include "sync/CalendarSync.h"

#include "core/ActivityLog.h"
#include "core/AnsiText.h"
#include "core/Clock.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"
#include "interchange/IcsImport.h"
#include "interchange/IcsResource.h"
#include "sync/DavTransport.h"
#include "sync/DavXml.h"
#include "sync/SentMark.h"
#include "sync/SyncItems.h"

#include <QHash>
#include <QSet>
#include <functional>
#include <unordered_map>

namespace morvane {

namespace {

// Resources fetched per calendar-multiget.
constexpr int kFetchBatch = 100;
// Answers of the server written here per commit while sending.
constexpr int kSendsPerCommit = 100;

const QString kConflictMark = QStringLiteral("（競合）");

struct Listed
{
    QString href;
    QString etag;
};

struct Listing
{
    std::vector<Listed> changed;
    QStringList removed;
    QString token;
};

struct Fetched
{
    QString etag;
    QByteArray data;
};

} // namespace

QString SyncSummary(const SyncCounts& c)
{
    QString text = QStringLiteral("同期しました（送信 %1件、受信 %2件").arg(c.sent).arg(c.received);
    if (c.deletedThere)
        text += QStringLiteral("、削除の送信 %1件").arg(c.deletedThere);
    if (c.deletedHere)
        text += QStringLiteral("、削除の受信 %1件").arg(c.deletedHere);
    if (c.conflicts)
        text += QStringLiteral("、競合 %1件").arg(c.conflicts);
    if (c.notSent)
        text += QStringLiteral("、送信できない予定 %1件").arg(c.notSent);
    return text + QStringLiteral("）");
}

struct CalendarSync::Run
{
    CalendarSync& sync;
    SyncItems items;
    SyncOutcome outcome;
    QUrl collection;
    QString collectionPath;
    // Schedules never sent, by what they say: one the server already holds
    // (the same holiday of two machines' initial sets) is joined to it,
    // not sent a second time. Filled at the first event received.
    std::optional<std::unordered_multimap<QString, SyncItem>> unsent;
    bool grouping = false; // local writes of the sending phase share commits
    int grouped = 0;
    QString identity; // the data file's, read when first needed

    explicit Run(CalendarSync& owner) : sync(owner), items(owner.m_database)
    {
        collection = owner.m_collection;
        QString path = collection.path(QUrl::FullyEncoded);
        if (!path.endsWith(u'/'))
            path += u'/';
        collection.setPath(path, QUrl::TolerantMode);
        collectionPath = collection.path(QUrl::FullyEncoded);
    }

    // ------------------------------------------------------------ helpers

    QString normalized(const QString& href) const
    {
        return collection.resolved(QUrl::fromEncoded(href.toUtf8())).path(QUrl::FullyEncoded);
    }

    QUrl urlOf(const QString& href) const
    {
        return collection.resolved(QUrl::fromEncoded(href.toUtf8()));
    }

    DavResponse send(const QByteArray& method, const QUrl& url,
                     QList<QPair<QByteArray, QByteArray>> headers = {}, QByteArray body = {})
    {
        return sync.m_transport.send(DavRequest{method, url, std::move(headers), std::move(body)});
    }

    bool fail(const DavResponse& response, const QString& what)
    {
        if (!response.fault.isEmpty())
            outcome.failure = response.fault;
        else if (response.status >= 500)
            outcome.failure = QStringLiteral("サーバーの内部エラーです（%1 に HTTP %2）。")
                                  .arg(what)
                                  .arg(response.status);
        else if (response.status < 300)
            outcome.failure =
                QStringLiteral("サーバーの応答が WebDAV の形式ではありません（%1 に HTTP %2）。")
                    .arg(what)
                    .arg(response.status);
        else if (response.status == 401)
            outcome.failure = QStringLiteral("ユーザー名またはパスワードが違います（HTTP 401）。");
        else
            outcome.failure = QStringLiteral("サーバーが %1 を受け付けませんでした（HTTP %2）。")
                                  .arg(what)
                                  .arg(response.status);
        return false;
    }

    void log(const QString& what, const ScheduleEntry& entry)
    {
        QString text = entry.message.section(u'\n', 0, 0).section(u'\r', 0, 0);
        text.remove(u'"');
        AppendLogLine(sync.m_logFolder, QStringLiteral("同期の競合（%1）：%2").arg(what, text),
                      sync.m_clock);
        ++outcome.counts.conflicts;
    }

    // Local writes in one batch; false (with the reason) when the file refused.
    bool inBatch(const std::function<void()>& writes)
    {
        Database& db = sync.m_database.database();
        try {
            if (!db.InTransaction())
                db.BeginTrans();
            writes();
            if (!grouping || ++grouped >= kSendsPerCommit) {
                db.CommitTrans();
                grouped = 0;
            }
            return true;
        } catch (const EngineError& error) {
            if (sync.m_database.schedules().GetEditMode() != EditMode::None)
                sync.m_database.schedules().CancelUpdate();
            if (db.InTransaction())
                db.Rollback();
            outcome.failure =
                QStringLiteral("データファイルに書き込めません（%1）。").arg(error.message());
            return false;
        }
    }

    // What the server answered so far is written in one commit per group
    // of sends: one disk sync per schedule would cost more than the
    // sending. A group lost to a kill costs nothing but requests: the next
    // sync finds those events under their UIDs and takes them as sent.
    bool commitGroup()
    {
        grouping = false;
        grouped = 0;
        Database& db = sync.m_database.database();
        if (!db.InTransaction())
            return true;
        return inBatch([] {});
    }

    bool locallyChanged(const SyncItem& item, const ScheduleEntry& current) const
    {
        return item.journalSeq != 0 && EntryText(current) != item.agreed;
    }

    QByteArray sentMark(const QString& text)
    {
        if (identity.isEmpty())
            identity = items.fileIdentity();
        return SentMark(identity, text);
    }

    // Whether the server's version (its schedule as text, and the resource)
    // is no change of another side: what was agreed, stored anew, or what
    // this file sent itself and never heard back about.
    bool settledThere(const SyncItem& item, const QString& there, const QByteArray& resource)
    {
        return there == item.agreed || SentMarkOf(resource) == sentMark(there);
    }

    void keepAsConflict(ScheduleEntry entry)
    {
        entry.message = FitAnsiCapacity(kConflictMark + entry.message, text_capacity::Message);
        items.add(entry);
    }

    qint64 addBound(const ScheduleEntry& entry, const QString& uid, const QString& href,
                    const QString& etag, bool mirror)
    {
        const qint64 id = items.add(entry);
        const qint64 item = items.itemOfRecord(id);
        items.bind(item, uid, href, etag, EntryText(*items.entryOf(id)), mirror);
        items.clearJournal(item);
        return id;
    }

    void removeItem(const SyncItem& item)
    {
        if (item.recordId)
            items.removeRecord(item.recordId);
        // The deletion the trigger journaled is the server's own.
        items.dropItem(item.itemId);
    }

    // ------------------------------------------------------------ receiving

    void applyChanged(const QString& href, const QString& etag, const QByteArray& data)
    {
        const int year = sync.m_clock.today().year();
        const IcsImportPlan plan = ReadIcs(data, IcsExpandWindow{year, year + 1});
        const QString uid = EventResourceUid(data);
        if (!plan.ok() || uid.isEmpty()) {
            // Not an event we can read (a task, a damaged file): remembered
            // so that it is not fetched again until it changes.
            for (const SyncItem& item : items.withHref(href))
                removeItem(item);
            placeholder(uid, href, etag);
            return;
        }
        const bool held = plan.events.size() == 1 && !plan.events.front().expanded;
        std::vector<SyncItem> existing = items.withHref(href);
        if (existing.empty()) {
            if (const std::optional<SyncItem> own = items.withUid(uid); own && own->href.isEmpty()) {
                adoptOwn(*own, href, etag, held ? &plan.entries[std::size_t(plan.eventEntries.front())] : nullptr);
                return;
            }
            if (held && joinSame(plan.entries[std::size_t(plan.eventEntries.front())], uid, href, etag))
                return;
        }
        const SyncItem* single = nullptr;
        for (const SyncItem& item : existing) {
            if (!item.mirror)
                single = &item;
        }
        if (held) {
            const ScheduleEntry& entry = plan.entries[std::size_t(plan.eventEntries.front())];
            for (const SyncItem& item : existing) {
                if (item.mirror)
                    removeItem(item);
            }
            const std::optional<ScheduleEntry> current =
                single && single->recordId ? items.entryOf(single->recordId) : std::nullopt;
            if (current && locallyChanged(*single, *current) &&
                EntryText(*current) != EntryText(entry) &&
                settledThere(*single, EntryText(entry), data)) {
                // The change here is the newer one: it goes out with the
                // server's new ETag.
                items.bind(single->itemId, uid, href, etag, EntryText(entry), false);
                return;
            }
            if (current) {
                const bool conflict =
                    locallyChanged(*single, *current) && EntryText(*current) != EntryText(entry);
                const ScheduleEntry stored = items.overwrite(single->recordId, entry);
                if (conflict) {
                    keepAsConflict(*current);
                    log(QStringLiteral("両方で変更、サーバーの版を採用"), *current);
                }
                items.bind(single->itemId, uid, href, etag, EntryText(stored), false);
                items.clearJournal(single->itemId);
            } else {
                addBound(entry, uid, href, etag, false);
                if (single) {
                    // Deleted here, changed there: the change wins.
                    log(QStringLiteral("こちらで削除、サーバーで変更、予定を残しました"), entry);
                    items.dropItem(single->itemId);
                }
            }
            ++outcome.counts.received;
            return;
        }
        // Dates of an event a schedule cannot hold.
        for (const SyncItem& item : existing) {
            const std::optional<ScheduleEntry> current =
                !item.mirror && item.recordId ? items.entryOf(item.recordId) : std::nullopt;
            if (current && locallyChanged(item, *current)) {
                keepAsConflict(*current);
                log(QStringLiteral("両方で変更、サーバーの版を採用"), *current);
            }
            removeItem(item);
        }
        for (const ScheduleEntry& entry : plan.entries)
            addBound(entry, uid, href, etag, true);
        if (plan.entries.empty())
            placeholder(uid, href, etag);
        ++outcome.counts.received;
    }

    // What makes two schedules the same one: rule, kind, text and times.
    static QString SameKey(ScheduleEntry e)
    {
        e.birthYear.reset();
        e.birthPerson.clear();
        e.alarm.clear();
        e.color = 0;
        e.mark.reset();
        return EntryText(e);
    }

    bool joinSame(const ScheduleEntry& entry, const QString& uid, const QString& href,
                  const QString& etag)
    {
        if (!unsent) {
            unsent.emplace();
            for (const SyncItem& item : items.pending()) {
                if (!item.mirror && item.recordId && item.href.isEmpty()) {
                    if (const std::optional<ScheduleEntry> e = items.entryOf(item.recordId))
                        unsent->emplace(SameKey(*e), item);
                }
            }
        }
        const auto found = unsent->find(SameKey(entry));
        if (found == unsent->end())
            return false;
        const SyncItem item = found->second;
        unsent->erase(found);
        const ScheduleEntry stored = items.overwrite(item.recordId, entry);
        items.bind(item.itemId, uid, href, etag, EntryText(stored), false);
        items.clearJournal(item.itemId);
        ++outcome.counts.received;
        return true;
    }

    void placeholder(const QString& uid, const QString& href, const QString& etag)
    {
        sync.m_database.database().ExecuteSql(
            QStringLiteral("INSERT INTO sync_item (RecordId, Uid, Href, ETag, Mirror) "
                           "VALUES (NULL, ?, ?, ?, 1)"),
            {Value(uid.isEmpty() ? href : uid), Value(href), Value(etag)});
    }

    // The server holds what an earlier sync sent but never heard back about.
    void adoptOwn(const SyncItem& own, const QString& href, const QString& etag,
                  const ScheduleEntry* there)
    {
        QString agreed;
        const std::optional<ScheduleEntry> current =
            own.recordId ? items.entryOf(own.recordId) : std::nullopt;
        if (current && there) {
            agreed = EntryText(*there);
            if (EntryText(*current) == agreed)
                items.clearJournal(own.itemId);
        }
        items.bind(own.itemId, own.uid, href, etag, agreed, false);
    }

    void applyRemoved(const QString& href)
    {
        for (const SyncItem& item : items.withHref(href)) {
            const std::optional<ScheduleEntry> current =
                !item.mirror && item.recordId ? items.entryOf(item.recordId) : std::nullopt;
            if (current && locallyChanged(item, *current)) {
                // Deleted there, changed here: the change wins.
                items.markNewToServer(item.itemId);
                log(QStringLiteral("サーバーで削除、こちらで変更、予定を残しました"), *current);
                continue;
            }
            if (current)
                ++outcome.counts.deletedHere;
            removeItem(item);
        }
    }

    std::optional<Listing> list()
    {
        const bool sameCollection = items.collectionUrl() == collection.toString();
        const QString token = sameCollection ? items.syncToken() : QString();
        const QUrl url = collection;
        if (!token.isEmpty()) {
            const DavResponse r = send("REPORT", url, {{"Depth", "0"}}, SyncCollectionBody(token));
            if (r.status == 207) {
                const DavMultistatus answer = ParseMultistatus(r.body);
                if (!answer.ok()) {
                    outcome.failure = answer.error;
                    return std::nullopt;
                }
                Listing listing;
                listing.token = answer.syncToken;
                for (const DavResource& resource : answer.resources) {
                    const QString href = normalized(resource.href);
                    if (href == collectionPath)
                        continue;
                    if (resource.status == 404)
                        listing.removed.append(href);
                    else if (!resource.etag.isEmpty() && !knownEtag(href, resource.etag))
                        listing.changed.push_back({href, resource.etag});
                }
                return listing;
            }
            if (!r.answered() || r.status >= 500) {
                fail(r, QStringLiteral("変更の一覧"));
                return std::nullopt;
            }
            // The token is no longer valid: everything is compared again.
        }
        Listing listing;
        DavMultistatus answer;
        DavResponse r = send("REPORT", url, {{"Depth", "0"}}, SyncCollectionBody(QString()));
        if (r.status != 207) {
            if (!r.answered() || r.status >= 500) {
                fail(r, QStringLiteral("変更の一覧"));
                return std::nullopt;
            }
            // No sync reports here: the ETags of every event instead.
            r = send("REPORT", url, {{"Depth", "1"}}, CalendarQueryEtagsBody());
            if (r.status != 207) {
                fail(r, QStringLiteral("予定の一覧"));
                return std::nullopt;
            }
        }
        answer = ParseMultistatus(r.body);
        if (!answer.ok()) {
            outcome.failure = answer.error;
            return std::nullopt;
        }
        listing.token = answer.syncToken;
        QSet<QString> present;
        for (const DavResource& resource : answer.resources) {
            const QString href = normalized(resource.href);
            if (href == collectionPath || resource.status == 404 || resource.etag.isEmpty())
                continue;
            present.insert(href);
            if (!sameCollection || !knownEtag(href, resource.etag))
                listing.changed.push_back({href, resource.etag});
        }
        if (sameCollection) {
            QSet<QString> gone;
            for (const SyncItem& item : items.all()) {
                if (!item.href.isEmpty() && !present.contains(item.href))
                    gone.insert(item.href);
            }
            listing.removed = QStringList(gone.begin(), gone.end());
        }
        return listing;
    }

    bool knownEtag(const QString& href, const QString& etag)
    {
        const std::vector<SyncItem> known = items.withHref(href);
        return !known.empty() && known.front().etag == etag;
    }

    std::optional<QHash<QString, Fetched>> fetch(const std::vector<Listed>& changed)
    {
        QHash<QString, Fetched> fetched;
        for (std::size_t from = 0; from < changed.size(); from += kFetchBatch) {
            QStringList hrefs;
            for (std::size_t i = from; i < std::min(changed.size(), from + kFetchBatch); ++i)
                hrefs.append(changed[i].href);
            const DavResponse r = send("REPORT", collection, {{"Depth", "1"}}, MultigetBody(hrefs));
            if (r.status != 207) {
                fail(r, QStringLiteral("予定の取得"));
                return std::nullopt;
            }
            const DavMultistatus answer = ParseMultistatus(r.body);
            if (!answer.ok()) {
                outcome.failure = answer.error;
                return std::nullopt;
            }
            for (const DavResource& resource : answer.resources) {
                if (resource.status == 404 || resource.calendarData.isEmpty())
                    continue;
                fetched.insert(normalized(resource.href), {resource.etag, resource.calendarData});
            }
        }
        return fetched;
    }

    bool receive()
    {
        std::optional<Listing> listing = list();
        if (!listing)
            return false;
        // A new year moves the window of dates on: the events held as
        // their dates are turned into the dates of the new window.
        const int year = sync.m_clock.today().year();
        if (items.mirrorYear() != year) {
            QSet<QString> listed(listing->removed.begin(), listing->removed.end());
            for (const Listed& changed : listing->changed)
                listed.insert(changed.href);
            for (const QString& href : items.mirroredHrefs()) {
                if (!listed.contains(href))
                    listing->changed.push_back({href, QString()});
            }
        }
        const bool sameCollection = items.collectionUrl() == collection.toString();
        // Nothing new: nothing to write, not even the token.
        if (listing->changed.empty() && listing->removed.isEmpty() && sameCollection &&
            listing->token == items.syncToken() && items.mirrorYear() == year)
            return true;
        const std::optional<QHash<QString, Fetched>> fetched = fetch(listing->changed);
        if (!fetched)
            return false;
        return inBatch([&] {
            if (!sameCollection)
                items.forgetServer();
            for (const Listed& listed : listing->changed) {
                const auto found = fetched->constFind(listed.href);
                if (found == fetched->constEnd())
                    applyRemoved(listed.href); // gone between the list and the fetch
                else
                    applyChanged(listed.href, found->etag.isEmpty() ? listed.etag : found->etag,
                                 found->data);
            }
            for (const QString& href : listing->removed)
                applyRemoved(href);
            items.setCollection(collection.toString(), listing->token);
            items.setMirrorYear(year);
        });
    }

    // ------------------------------------------------------------ sending

    // The server's version of href after it refused ours; false on a fault.
    bool takeServerVersion(const QString& href)
    {
        const DavResponse r = send("GET", urlOf(href));
        if (r.status == 404)
            return inBatch([&] { applyRemoved(href); });
        if (r.status != 200)
            return fail(r, QStringLiteral("予定の取得"));
        return inBatch([&] { applyChanged(href, QString::fromUtf8(r.etag), r.body); });
    }

    bool sendDeletion(const SyncItem& item)
    {
        QList<QPair<QByteArray, QByteArray>> headers;
        if (!item.etag.isEmpty())
            headers.append(qMakePair(QByteArray("If-Match"), item.etag.toUtf8()));
        const DavResponse r = send("DELETE", urlOf(item.href), headers);
        if (r.success() || r.status == 404) {
            ++outcome.counts.deletedThere;
            return inBatch([&] { items.dropItem(item.itemId); });
        }
        if (r.status == 412)
            return takeServerVersion(item.href);
        return fail(r, QStringLiteral("予定の削除"));
    }

    bool sendRecord(SyncItem item)
    {
        const std::optional<ScheduleEntry> found = items.entryOf(item.recordId);
        if (!found)
            return true; // gone meanwhile: its deletion goes with the next sync
        const ScheduleEntry& current = *found;
        const QString text = EntryText(current);
        if (!item.href.isEmpty() && text == item.agreed)
            return inBatch([&] { items.clearJournal(item.itemId, item.journalSeq); });
        QByteArray resource = BuildEventResource(current, item.uid, sync.m_clock.now());
        if (resource.isEmpty()) {
            ++outcome.counts.notSent;
            return inBatch([&] { items.clearJournal(item.itemId, item.journalSeq); });
        }
        resource = WithSentMark(resource, sentMark(text));
        const bool isNew = item.href.isEmpty();
        const QString href = isNew ? collectionPath + item.uid + QStringLiteral(".ics") : item.href;
        QList<QPair<QByteArray, QByteArray>> headers{
            {"Content-Type", "text/calendar; charset=utf-8"}};
        if (isNew)
            headers.append(qMakePair(QByteArray("If-None-Match"), QByteArray("*")));
        else if (!item.etag.isEmpty())
            headers.append(qMakePair(QByteArray("If-Match"), item.etag.toUtf8()));
        const DavResponse r = send("PUT", urlOf(href), headers, resource);
        if (r.success()) {
            ++outcome.counts.sent;
            return inBatch([&] {
                items.bind(item.itemId, item.uid, href, QString::fromUtf8(r.etag), text, false);
                items.clearJournal(item.itemId, item.journalSeq);
            });
        }
        if (r.status == 412 && isNew) {
            // Already there: what a sync that was stopped sent. Taken as
            // ours when it carries our UID, then sent again if it differs.
            const DavResponse there = send("GET", urlOf(href));
            if (there.status != 200 || EventResourceUid(there.body) != item.uid)
                return fail(r, QStringLiteral("新しい予定"));
            if (!inBatch([&] { applyChanged(href, QString::fromUtf8(there.etag), there.body); }))
                return false;
            const std::optional<SyncItem> adopted = items.withUid(item.uid);
            if (!adopted || adopted->journalSeq == 0 || adopted->href.isEmpty())
                return true;
            return sendRecord(*adopted);
        }
        if (r.status == 412)
            return takeServerVersion(href);
        return fail(r, QStringLiteral("予定の送信"));
    }

    bool push()
    {
        grouping = true;
        const bool sent = pushEach();
        const bool written = commitGroup();
        return sent && written;
    }

    bool pushEach()
    {
        for (const SyncItem& item : items.pending()) {
            bool ok = true;
            if (item.mirror) {
                // Dates of a server event are never sent back.
                if (item.journalSeq)
                    ok = inBatch([&] { items.clearJournal(item.itemId, item.journalSeq); });
            } else if (!item.recordId) {
                ok = item.href.isEmpty() ? inBatch([&] { items.dropItem(item.itemId); })
                                         : sendDeletion(item);
            } else if (item.href.isEmpty() || item.journalSeq) {
                ok = sendRecord(item);
            }
            if (!ok)
                return false;
        }
        return true;
    }
};

CalendarSync::CalendarSync(ScheduleDatabase& database, DavTransport& transport,
                           const QUrl& collection, const Clock& clock, QString logFolder)
    : m_database(database), m_transport(transport), m_collection(collection), m_clock(clock),
      m_logFolder(std::move(logFolder))
{
}

SyncOutcome CalendarSync::run()
{
    Run run(*this);
    if (run.receive())
        run.push();
    return run.outcome;
}

} // namespace morvane
