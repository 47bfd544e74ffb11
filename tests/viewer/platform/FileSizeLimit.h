#pragma once

namespace morvane::test {

// While it lives, files this process writes cannot grow beyond `bytes`: a
// write past it fails as on a full disk. Where the system offers no such
// limit, active() is false and nothing changes.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    bool m_active = false;
    long long m_previous = 0;
};

} // namespace morvane::test
