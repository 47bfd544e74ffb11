#include "alarms/QtAlarmSound.h"

#include <QApplication>
#include <QDir>
#include <QLibrary>

namespace morvane {

QtAlarmSound::QtAlarmSound(QStringList folders) : m_folders(std::move(folders))
{
    if (m_folders.isEmpty()) {
        const QString programFolder = QCoreApplication::applicationDirPath();
        m_folders << programFolder
                  << QDir::cleanPath(programFolder + QLatin1Char('/') +
                                     QStringLiteral(MORVANE_SOUND_MODULE_DIR));
    }
}

QtAlarmSound::~QtAlarmSound()
{
    // The module stays loaded: its framework may still have threads that
    // run its code until the process ends.
    if (m_stop)
        m_stop();
}

void QtAlarmSound::beep()
{
    QApplication::beep();
}

void QtAlarmSound::play(const QString& file)
{
    if (file.trimmed().isEmpty() || !load())
        return;
    m_play(reinterpret_cast<const char16_t*>(file.utf16()), file.size());
}

bool QtAlarmSound::load()
{
    if (m_tried)
        return m_play != nullptr;
    m_tried = true;
    for (const QString& folder : m_folders) {
        QLibrary library(folder + QLatin1Char('/') + QLatin1String(kSoundModuleName));
        auto play = reinterpret_cast<MorvaneSoundPlay>(library.resolve(kSoundPlayEntry));
        auto stop = reinterpret_cast<MorvaneSoundStop>(library.resolve(kSoundStopEntry));
        if (play && stop) {
            m_play = play;
            m_stop = stop;
            return true;
        }
        if (library.isLoaded())
            library.unload();
    }
    return false;
}

} // namespace morvane
