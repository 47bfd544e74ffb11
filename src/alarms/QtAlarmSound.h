#pragma once

#include "alarms/AlarmSound.h"
#include "alarms/SoundModule.h"

#include <QString>
#include <QStringList>

namespace morvane {

// The beep of the desktop and the sound file through the sound module,
// which is loaded on the first playback: a program whose alarms never play
// a file never loads the media framework. Without the module a file is
// silent, as an unplayable one is.
class QtAlarmSound final : public AlarmSound
{
public:
    // folders: where the module is looked for, in order; empty takes the
    // program's own folder, then the library folder of an installation.
    explicit QtAlarmSound(QStringList folders = {});
    ~QtAlarmSound() override;

    void beep() override;
    void play(const QString& file) override;

    // Whether a module was found and loaded (by an earlier play).
    bool moduleLoaded() const { return m_play != nullptr; }

private:
    bool load();

    QStringList m_folders;
    bool m_tried = false;
    MorvaneSoundPlay m_play = nullptr;
    MorvaneSoundStop m_stop = nullptr;
};

} // namespace morvane
