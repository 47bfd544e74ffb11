#include "viewer/platform/FileSizeLimit.h"

namespace morvane::test {

FileSizeLimit::FileSizeLimit(long long) {}
FileSizeLimit::~FileSizeLimit() = default;

} // namespace morvane::test
