#include "sync/CalendarDiscovery.h"

#include "sync/DavTransport.h"
#include "sync/DavXml.h"
#include "sync/QtDavTransport.h"

namespace morvane {

namespace {

struct Found
{
    std::vector<DavResource> resources;
    QString failure;
};

Found Propfind(DavTransport& transport, const QUrl& url, const char* depth)
{
    const DavResponse r =
        transport.send(DavRequest{"PROPFIND", url, {{"Depth", depth}}, PropfindBody()});
    if (!r.fault.isEmpty())
        return {{}, r.fault};
    if (r.status == 401)
        return {{}, QStringLiteral("ユーザー名またはパスワードが違います（HTTP 401）。")};
    if (r.status != 207)
        return {{},
                QStringLiteral("%1 はカレンダーのサーバーとして答えませんでした（HTTP %2）。")
                    .arg(url.toDisplayString(QUrl::RemoveUserInfo))
                    .arg(r.status)};
    DavMultistatus answer = ParseMultistatus(r.body);
    if (!answer.ok())
        return {{}, answer.error};
    return {std::move(answer.resources), {}};
}

QString SamePath(const QUrl& base, const QString& href)
{
    QString path = base.resolved(QUrl::fromEncoded(href.toUtf8())).path(QUrl::FullyEncoded);
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

} // namespace

CalendarSearch FindCalendars(DavTransport& transport, const QUrl& server)
{
    CalendarSearch search;
    Found here = Propfind(transport, server, "0");
    if (!here.failure.isEmpty()) {
        search.failure = here.failure;
        return search;
    }
    QString principal;
    for (const DavResource& resource : here.resources) {
        if (resource.isCalendar && resource.holdsEvents()) {
            search.calendars.push_back({server, resource.displayName});
            return search;
        }
        if (!resource.principal.isEmpty())
            principal = resource.principal;
    }
    if (principal.isEmpty()) {
        const Found known = Propfind(transport, server.resolved(QUrl(QStringLiteral("/.well-known/caldav"))), "0");
        for (const DavResource& resource : known.resources) {
            if (!resource.principal.isEmpty())
                principal = resource.principal;
        }
    }
    if (principal.isEmpty()) {
        search.failure = QStringLiteral("%1 でユーザーのカレンダーが見つかりません。")
                             .arg(server.toDisplayString(QUrl::RemoveUserInfo));
        return search;
    }
    const QUrl principalUrl = server.resolved(QUrl::fromEncoded(principal.toUtf8()));
    Found ofPrincipal = Propfind(transport, principalUrl, "0");
    if (!ofPrincipal.failure.isEmpty()) {
        search.failure = ofPrincipal.failure;
        return search;
    }
    QStringList homes;
    for (const DavResource& resource : ofPrincipal.resources)
        homes += resource.homeSets;
    for (const QString& home : homes) {
        const QUrl homeUrl = principalUrl.resolved(QUrl::fromEncoded(home.toUtf8()));
        Found inside = Propfind(transport, homeUrl, "1");
        if (!inside.failure.isEmpty()) {
            search.failure = inside.failure;
            return search;
        }
        for (const DavResource& resource : inside.resources) {
            if (!resource.isCalendar || !resource.holdsEvents())
                continue;
            QUrl url = homeUrl;
            url.setPath(SamePath(homeUrl, resource.href), QUrl::TolerantMode);
            search.calendars.push_back({url, resource.displayName});
        }
    }
    if (search.calendars.empty())
        search.failure = QStringLiteral("%1 に予定を入れられるカレンダーがありません。")
                             .arg(server.toDisplayString(QUrl::RemoveUserInfo));
    return search;
}

SyncTarget CollectionToSync(DavTransport& transport, const QUrl& server, const QString& picked)
{
    SyncTarget target;
    if (!picked.isEmpty()) {
        target.collection = QUrl::fromUserInput(picked);
        target.failure = RefusedAddress(target.collection);
        return target;
    }
    target.failure = RefusedAddress(server);
    if (!target.ok())
        return target;
    const CalendarSearch found = FindCalendars(transport, server);
    if (found.ok())
        target.collection = found.calendars.front().url;
    target.failure = found.failure;
    return target;
}

} // namespace morvane
