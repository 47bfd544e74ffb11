#include "sync/SentMark.h"

#include <QCryptographicHash>

namespace morvane {

namespace {

// At the start of a line, never inside another property's text.
constexpr char kProperty[] = "\nX-MORVANE-SENT:";

} // namespace

QByteArray SentMark(const QString& fileIdentity, const QString& entryText)
{
    return fileIdentity.toLatin1() + '-' +
           QCryptographicHash::hash(entryText.toUtf8(), QCryptographicHash::Sha256)
               .toHex()
               .left(32);
}

QByteArray WithSentMark(const QByteArray& resource, const QByteArray& mark)
{
    const qsizetype end = resource.lastIndexOf("END:VEVENT");
    if (end < 0)
        return resource;
    QByteArray marked = resource;
    marked.insert(end, QByteArray(kProperty + 1) + mark + "\r\n");
    return marked;
}

QByteArray SentMarkOf(const QByteArray& resource)
{
    qsizetype at = resource.indexOf(kProperty);
    if (at < 0)
        return {};
    // A server may have folded the line anew.
    QByteArray value;
    for (at += qsizetype(sizeof(kProperty)) - 1; at < resource.size(); ++at) {
        const char c = resource[at];
        if (c == '\r')
            continue;
        if (c == '\n') {
            if (at + 1 < resource.size() && (resource[at + 1] == ' ' || resource[at + 1] == '\t')) {
                ++at;
                continue;
            }
            break;
        }
        value += c;
    }
    return value;
}

} // namespace morvane
