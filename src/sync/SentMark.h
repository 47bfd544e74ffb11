#pragma once

#include <QByteArray>
#include <QString>

namespace morvane {

// Each resource this program sends carries a mark: the data file's
// identity and a digest of the schedule as sent. A version on the server
// that carries this file's mark with the digest of what it holds is one
// this file sent itself (its answer may have been lost to a kill), not
// another side's change; a version another program changed keeps the mark
// but no longer matches its digest.
QByteArray SentMark(const QString& fileIdentity, const QString& entryText);

// resource with mark added to its event.
QByteArray WithSentMark(const QByteArray& resource, const QByteArray& mark);

// The mark a resource carries, or empty.
QByteArray SentMarkOf(const QByteArray& resource);

} // namespace morvane
