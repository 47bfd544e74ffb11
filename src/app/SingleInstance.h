#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace morvane {

// One running copy per user. The lock is a file in the user's runtime
// folder holding the owner's process id: a copy that crashed leaves it
// behind, and the next start takes it over because that process is gone.
class SingleInstance
{
public:
    // lockFolder: where the lock file lives; empty for the user's runtime
    // folder (the temporary folder where there is none).
    explicit SingleInstance(QString lockFolder = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is now the one running copy; false when
    // another live copy holds the lock (or the folder cannot hold it).
    bool acquire();

    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

// The default folder of the lock: the runtime folder of the user, else the
// temporary folder (the file name then carries the user's name).
QString DefaultLockFilePath();

} // namespace morvane
