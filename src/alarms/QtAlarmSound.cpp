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
    if (!m_player) {
        m_output = std::make_unique<QAudioOutput>();
        m_player = std::make_unique<QMediaPlayer>();
        m_player->setAudioOutput(m_output.get());
        // An unplayable file is silent: the player's errors go nowhere.
    }
    m_player->stop();
    const QUrl source = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    if (m_player->source() != source)
        m_player->setSource(source);
    m_player->play();
}

} // namespace morvane
