#pragma once

#include "alarms/AlarmSound.h"

#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace morvane {

// The beep of the desktop and the sound file through Qt Multimedia. The
// audio output is made on the first playback, so a program whose alarms
// never play a file never opens the audio system.
class QtAlarmSound final : public AlarmSound
{
public:
    QtAlarmSound();
    ~QtAlarmSound() override;

    void beep() override;
    void play(const QString& file) override;

private:
    // The player goes before the output it plays to.
    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
};

} // namespace morvane
