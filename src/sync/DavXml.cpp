#include "sync/DavXml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <functional>

namespace morvane {

namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");

bool Is(const QXmlStreamReader& xml, const QString& ns, const char* name)
{
    return xml.namespaceUri() == ns && xml.name() == QLatin1String(name);
}

int StatusCode(const QString& line)
{
    // "HTTP/1.1 404 Not Found"
    const QStringList parts = line.simplified().split(u' ');
    return parts.size() >= 2 ? parts[1].toInt() : 0;
}

// The href elements directly inside the current element.
QStringList Hrefs(QXmlStreamReader& xml)
{
    QStringList hrefs;
    while (xml.readNextStartElement()) {
        if (Is(xml, kDav, "href"))
            hrefs.append(xml.readElementText().trimmed());
        else
            xml.skipCurrentElement();
    }
    return hrefs;
}

void ReadProp(QXmlStreamReader& xml, DavResource& into)
{
    while (xml.readNextStartElement()) {
        if (Is(xml, kDav, "getetag")) {
            into.etag = xml.readElementText().trimmed();
        } else if (Is(xml, kCalDav, "calendar-data")) {
            into.calendarData = xml.readElementText().toUtf8();
        } else if (Is(xml, kDav, "displayname")) {
            into.displayName = xml.readElementText().trimmed();
        } else if (Is(xml, kDav, "resourcetype")) {
            while (xml.readNextStartElement()) {
                if (Is(xml, kDav, "collection"))
                    into.isCollection = true;
                else if (Is(xml, kCalDav, "calendar"))
                    into.isCalendar = true;
                xml.skipCurrentElement();
            }
        } else if (Is(xml, kCalDav, "supported-calendar-component-set")) {
            into.componentsGiven = true;
            while (xml.readNextStartElement()) {
                if (Is(xml, kCalDav, "comp"))
                    into.components.append(xml.attributes().value(QLatin1String("name")).toString());
                xml.skipCurrentElement();
            }
        } else if (Is(xml, kDav, "current-user-principal")) {
            const QStringList hrefs = Hrefs(xml);
            if (!hrefs.isEmpty())
                into.principal = hrefs.front();
        } else if (Is(xml, kCalDav, "calendar-home-set")) {
            into.homeSets = Hrefs(xml);
        } else {
            xml.skipCurrentElement();
        }
    }
}

void ReadResponse(QXmlStreamReader& xml, DavResource& resource)
{
    while (xml.readNextStartElement()) {
        if (Is(xml, kDav, "href")) {
            resource.href = xml.readElementText().trimmed();
        } else if (Is(xml, kDav, "status")) {
            resource.status = StatusCode(xml.readElementText());
        } else if (Is(xml, kDav, "propstat")) {
            DavResource found;
            int status = 0;
            while (xml.readNextStartElement()) {
                if (Is(xml, kDav, "prop"))
                    ReadProp(xml, found);
                else if (Is(xml, kDav, "status"))
                    status = StatusCode(xml.readElementText());
                else
                    xml.skipCurrentElement();
            }
            // Properties the server could not give come in a propstat of
            // their own with a 404; only the found ones count.
            if (status >= 200 && status < 300) {
                const QString href = resource.href;
                const int own = resource.status;
                if (!found.etag.isEmpty())
                    resource.etag = found.etag;
                if (!found.calendarData.isEmpty())
                    resource.calendarData = found.calendarData;
                if (!found.displayName.isEmpty())
                    resource.displayName = found.displayName;
                resource.isCollection |= found.isCollection;
                resource.isCalendar |= found.isCalendar;
                if (found.componentsGiven) {
                    resource.componentsGiven = true;
                    resource.components = found.components;
                }
                if (!found.principal.isEmpty())
                    resource.principal = found.principal;
                if (!found.homeSets.isEmpty())
                    resource.homeSets = found.homeSets;
                resource.href = href;
                resource.status = own;
            }
        } else {
            xml.skipCurrentElement();
        }
    }
}

QByteArray Write(const std::function<void(QXmlStreamWriter&)>& body)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument();
    xml.writeNamespace(kDav, QStringLiteral("d"));
    xml.writeNamespace(kCalDav, QStringLiteral("c"));
    body(xml);
    xml.writeEndDocument();
    return bytes;
}

void EmptyElements(QXmlStreamWriter& xml, const QString& ns, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        xml.writeEmptyElement(ns, QString::fromLatin1(name));
}

} // namespace

DavMultistatus ParseMultistatus(const QByteArray& body)
{
    DavMultistatus result;
    if (body.trimmed().isEmpty()) {
        result.error = QStringLiteral("サーバーの応答が空です。");
        return result;
    }
    QXmlStreamReader xml(body);
    if (!xml.readNextStartElement()) {
        result.error =
            QStringLiteral("サーバーの応答が XML として読めません（%1）。").arg(xml.errorString());
        return result;
    }
    if (!Is(xml, kDav, "multistatus")) {
        result.error = QStringLiteral("サーバーの応答が WebDAV の形式ではありません（<%1> が届きました）。")
                           .arg(xml.name().toString());
        return result;
    }
    while (xml.readNextStartElement()) {
        if (Is(xml, kDav, "response")) {
            DavResource resource;
            ReadResponse(xml, resource);
            result.resources.push_back(std::move(resource));
        } else if (Is(xml, kDav, "sync-token")) {
            result.syncToken = xml.readElementText().trimmed();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        result = DavMultistatus{};
        result.error =
            QStringLiteral("サーバーの応答が XML として読めません（%1）。").arg(xml.errorString());
    }
    return result;
}

QByteArray PropfindBody()
{
    return Write([](QXmlStreamWriter& xml) {
        xml.writeStartElement(kDav, QStringLiteral("propfind"));
        xml.writeStartElement(kDav, QStringLiteral("prop"));
        EmptyElements(xml, kDav, {"resourcetype", "displayname", "current-user-principal", "getetag"});
        EmptyElements(xml, kCalDav, {"calendar-home-set", "supported-calendar-component-set"});
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

QByteArray SyncCollectionBody(const QString& syncToken)
{
    return Write([&](QXmlStreamWriter& xml) {
        xml.writeStartElement(kDav, QStringLiteral("sync-collection"));
        xml.writeTextElement(kDav, QStringLiteral("sync-token"), syncToken);
        xml.writeTextElement(kDav, QStringLiteral("sync-level"), QStringLiteral("1"));
        xml.writeStartElement(kDav, QStringLiteral("prop"));
        EmptyElements(xml, kDav, {"getetag"});
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

QByteArray CalendarQueryEtagsBody()
{
    return Write([](QXmlStreamWriter& xml) {
        xml.writeStartElement(kCalDav, QStringLiteral("calendar-query"));
        xml.writeStartElement(kDav, QStringLiteral("prop"));
        EmptyElements(xml, kDav, {"getetag"});
        xml.writeEndElement();
        xml.writeStartElement(kCalDav, QStringLiteral("filter"));
        xml.writeStartElement(kCalDav, QStringLiteral("comp-filter"));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("VCALENDAR"));
        xml.writeStartElement(kCalDav, QStringLiteral("comp-filter"));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("VEVENT"));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

QByteArray MultigetBody(const QStringList& hrefs)
{
    return Write([&](QXmlStreamWriter& xml) {
        xml.writeStartElement(kCalDav, QStringLiteral("calendar-multiget"));
        xml.writeStartElement(kDav, QStringLiteral("prop"));
        EmptyElements(xml, kDav, {"getetag"});
        EmptyElements(xml, kCalDav, {"calendar-data"});
        xml.writeEndElement();
        for (const QString& href : hrefs)
            xml.writeTextElement(kDav, QStringLiteral("href"), href);
        xml.writeEndElement();
    });
}

QString DavErrorCondition(const QByteArray& body)
{
    QXmlStreamReader xml(body);
    if (!xml.readNextStartElement() || !Is(xml, kDav, "error"))
        return {};
    if (xml.readNextStartElement())
        return xml.name().toString();
    return {};
}

} // namespace morvane
