// The sound module: plays a file through Qt Multimedia. Built as a loadable
// library; see SoundModule.h.
#include "alarms/SoundModule.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <memory>

namespace {

struct Playback
{
    // The player goes before the output it plays to.
    std::unique_ptr<QAudioOutput> output;
    std::unique_ptr<QMediaPlayer> player;
};

Playback& playback()
{
    static Playback instance;
    return instance;
}

} // namespace

extern "C" {

Q_DECL_EXPORT void morvane_sound_play(const char16_t* path, long long length)
{
    Playback& p = playback();
    // A player of its own for every playback: the one before stops with it,
    // and no state left over from an ended or failed playback can keep the
    // new one silent. An unplayable file is silent: errors go nowhere.
    if (p.player)
        p.player->stop();
    p.player = std::make_unique<QMediaPlayer>();
    if (!p.output)
        p.output = std::make_unique<QAudioOutput>();
    p.player->setAudioOutput(p.output.get());
    const QString file = QString::fromUtf16(path, qsizetype(length));
    p.player->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    p.player->play();
}

// Ends the playback and lets go of the player and the output while the
// application object still exists.
Q_DECL_EXPORT void morvane_sound_stop()
{
    Playback& p = playback();
    if (p.player)
        p.player->stop();
    p.player.reset();
    p.output.reset();
}

} // extern "C"
