#include "support/FileSizeLimit.h"

namespace qvmd::test {

// Windows has no per-process file-size limit.
struct FileSizeLimit::Saved {};

FileSizeLimit::FileSizeLimit(qint64) {}

FileSizeLimit::~FileSizeLimit() = default;

} // namespace qvmd::test
