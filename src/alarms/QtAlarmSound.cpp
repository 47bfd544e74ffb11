#include "alarms/QtAlarmSound.h"

#include <QApplication>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace morvane {

QtAlarmSound::QtAlarmSound() = default;

QtAlarmSound::~QtAlarmSound()
{
    if (m_player)
        m_player->stop();
}

void QtAlarmSound::beep()
{
    QApplication::beep();
}

void QtAlarmSound::play(const QString& file)
{
    if (file.trimmed().isEmpty())
        return;
    // A player of its own for every playback: the one before stops with it,
    // and no state left over from an ended or failed playback can keep the
    // new one silent. An unplayable file is silent: errors go nowhere.
    if (m_player)
        m_player->stop();
    m_player = std::make_unique<QMediaPlayer>();
    if (!m_output)
        m_output = std::make_unique<QAudioOutput>();
    m_player->setAudioOutput(m_output.get());
    m_player->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    m_player->play();
}

} // namespace morvane
