#pragma once

#include <QString>

namespace morvane {

// The noises of an alarm. The program plays through the sound system;
// tests count the calls.
class AlarmSound
{
public:
    virtual ~AlarmSound() = default;
    // The system beep, once.
    virtual void beep() = 0;
    // Starts playing `file` once and returns at once. A playback of it that
    // is still running is stopped first. A missing or unplayable file is
    // silent.
    virtual void play(const QString& file) = 0;
};

} // namespace morvane
