#pragma once

#include <QFileDevice>
#include <QString>

namespace morvane {

// Why a file could not be opened, read or written, in the user's words:
// from the error number the failing call left (errno), else from the kind
// of error Qt reports, else Qt's own text. Every message about a file that
// failed uses it, so the same cause always reads the same.
QString FileErrorReason(int errorNumber, QFileDevice::FileError kind = QFileDevice::NoError,
                        const QString& systemText = {});

// The reason for a failed write of `needed` bytes into the folder of path:
// a full disk is named as such even when the call left no error number.
QString FileWriteReason(const QString& path, qint64 needed, int errorNumber,
                        QFileDevice::FileError kind, const QString& systemText);

} // namespace morvane
