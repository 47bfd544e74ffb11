#pragma once

#include "sync/DavTransport.h"

#include <QRegularExpression>
#include <functional>
#include <map>
#include <optional>

namespace morvane::test {

// A calendar collection in memory that answers as a CalDAV server does:
// PUT and DELETE with their preconditions, GET, sync-collection with
// numbered tokens, calendar-query and calendar-multiget. A test can answer
// any request itself before the collection sees it (`before`), or let the
// collection act and lose the answer (`loseAnswer`), as a cut line would.
class CannedServer final : public DavTransport
{
public:
    static constexpr const char* kPath = "/dav/alice/cal/";
    struct Resource
    {
        QByteArray etag;
        QByteArray data;
    };

    std::map<QString, Resource> resources; // by path
    bool offersSyncCollection = true;
    std::function<std::optional<DavResponse>(const DavRequest&)> before;
    std::function<bool(const DavRequest&)> loseAnswer;
    std::vector<QByteArray> log; // "METHOD path"

    QUrl url() const { return QUrl(QStringLiteral("https://dav.example") + QLatin1String(kPath)); }

    void store(const QString& name, const QByteArray& data)
    {
        const QString path = QLatin1String(kPath) + name;
        resources[path] = {"\"" + QByteArray::number(++m_version) + "\"", data};
        m_changes.emplace_back(m_version, path);
    }
    void erase(const QString& name)
    {
        const QString path = QLatin1String(kPath) + name;
        resources.erase(path);
        m_changes.emplace_back(++m_version, path);
    }

    DavResponse send(const DavRequest& request) override
    {
        log.push_back(request.method + ' ' + request.url.path().toUtf8());
        if (before) {
            if (std::optional<DavResponse> canned = before(request))
                return *canned;
        }
        DavResponse response = handle(request);
        if (loseAnswer && loseAnswer(request))
            return DavResponse{0, {}, {}, {}, QStringLiteral("接続が切れました。"), {}};
        return response;
    }

private:
    static QByteArray Header(const DavRequest& request, const char* name)
    {
        for (const auto& [key, value] : request.headers) {
            if (key.compare(name, Qt::CaseInsensitive) == 0)
                return value;
        }
        return {};
    }

    static QByteArray Escaped(const QByteArray& text)
    {
        return QString::fromUtf8(text).toHtmlEscaped().toUtf8();
    }

    static DavResponse Multistatus(const QByteArray& inner)
    {
        return {207,
                "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" "
                "xmlns:c=\"urn:ietf:params:xml:ns:caldav\">" +
                    inner + "</d:multistatus>",
                {}, "application/xml", {}, {}};
    }

    QByteArray entry(const QString& path, bool withData) const
    {
        const auto found = resources.find(path);
        if (found == resources.end())
            return "<d:response><d:href>" + path.toUtf8() +
                   "</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>";
        QByteArray props = "<d:getetag>" + Escaped(found->second.etag) + "</d:getetag>";
        if (withData)
            props += "<c:calendar-data>" + Escaped(found->second.data) + "</c:calendar-data>";
        return "<d:response><d:href>" + path.toUtf8() + "</d:href><d:propstat><d:prop>" + props +
               "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
    }

    DavResponse handle(const DavRequest& request)
    {
        const QString path = request.url.path();
        const auto found = resources.find(path);
        const QByteArray ifMatch = Header(request, "If-Match");
        if (request.method == "PUT") {
            const bool exists = found != resources.end();
            if ((Header(request, "If-None-Match") == "*" && exists) ||
                (!ifMatch.isEmpty() && (!exists || found->second.etag != ifMatch)))
                return {412, {}, {}, {}, {}, {}};
            store(path.mid(qsizetype(strlen(kPath))), request.body);
            return {exists ? 204 : 201, {}, resources[path].etag, {}, {}, {}};
        }
        if (request.method == "DELETE") {
            if (found == resources.end())
                return {404, {}, {}, {}, {}, {}};
            if (!ifMatch.isEmpty() && found->second.etag != ifMatch)
                return {412, {}, {}, {}, {}, {}};
            erase(path.mid(qsizetype(strlen(kPath))));
            return {204, {}, {}, {}, {}, {}};
        }
        if (request.method == "GET") {
            if (found == resources.end())
                return {404, {}, {}, {}, {}, {}};
            return {200, found->second.data, found->second.etag, "text/calendar", {}, {}};
        }
        if (request.method != "REPORT")
            return {405, {}, {}, {}, {}, {}};
        QByteArray inner;
        if (request.body.contains("calendar-multiget")) {
            static const QRegularExpression href(QStringLiteral("href>([^<]*)<"));
            for (auto it = href.globalMatch(QString::fromUtf8(request.body)); it.hasNext();)
                inner += entry(it.next().captured(1), true);
            return Multistatus(inner);
        }
        const bool syncReport = request.body.contains("sync-collection");
        if (syncReport && !offersSyncCollection)
            return {403, {}, {}, {}, {}, {}};
        int since = -1;
        if (syncReport) {
            static const QRegularExpression token(QStringLiteral("sync-token>([^<]*)<"));
            const QString given = token.match(QString::fromUtf8(request.body)).captured(1);
            if (!given.isEmpty() && !given.startsWith(QLatin1String("token-")))
                return {403, {}, {}, {}, {}, {}};
            if (!given.isEmpty())
                since = given.mid(6).toInt();
        }
        if (since >= 0) {
            std::map<QString, bool> changed;
            for (const auto& [version, changedPath] : m_changes) {
                if (version > since)
                    changed[changedPath] = true;
            }
            for (const auto& [changedPath, unused] : changed)
                inner += entry(changedPath, false);
        } else {
            for (const auto& [resourcePath, unused] : resources)
                inner += entry(resourcePath, false);
        }
        if (syncReport)
            inner += "<d:sync-token>token-" + QByteArray::number(m_version) + "</d:sync-token>";
        return Multistatus(inner);
    }

    int m_version = 0;
    std::vector<std::pair<int, QString>> m_changes;
};

} // namespace morvane::test
