#include "viewer/platform/FileSizeLimit.h"

#include <csignal>
#include <sys/resource.h>

namespace morvane::test {

FileSizeLimit::FileSizeLimit(long long bytes)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_previous = static_cast<long long>(limit.rlim_cur);
    // Without this the process would be ended by SIGXFSZ instead of seeing
    // the write fail.
    std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (!m_active)
        return;
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_previous);
    setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace morvane::test
