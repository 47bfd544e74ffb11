#pragma once

#include <QString>
#include <memory>

namespace morvane {

// Whether the desktop starts the program when the user logs in. The state
// lives where the desktop reads it (an autostart entry, the Run key), so it
// is read from there every time rather than from a stored copy.
class LoginStart
{
public:
    virtual ~LoginStart() = default;

    virtual bool isEnabled() const = 0;
    // Writes or removes the entry. False with a description of what failed;
    // the entry is then as it was.
    virtual bool setEnabled(bool enabled, QString* error) = 0;
};

// The entry of this desktop for the program at programPath: the XDG
// autostart folder, or the per-user Run key on Windows.
std::unique_ptr<LoginStart> SystemLoginStart(const QString& programPath);

} // namespace morvane
