#pragma once

#include <QString>
#include <optional>

namespace morvane {

// The sync password in the desktop's secret store (Secret Service on
// Linux, the credential store on Windows), filed under the server and the
// user name. Never in a settings file: where no secret store answers, the
// password is not kept at all.
struct SecretResult
{
    std::optional<QString> password; // read: the password, when stored
    QString failure;                 // why the store could not be used; empty when it answered
};

SecretResult ReadSyncPassword(const QString& server, const QString& user);
// Returns the failure, or an empty text when stored.
QString WriteSyncPassword(const QString& server, const QString& user, const QString& password);

} // namespace morvane
