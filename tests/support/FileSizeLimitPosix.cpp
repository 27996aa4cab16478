#include "support/FileSizeLimit.h"

#include <csignal>

#include <sys/resource.h>

namespace qvmd::test {

struct FileSizeLimit::Saved {
    rlimit limit{};
    void (*handler)(int) = nullptr;
};

FileSizeLimit::FileSizeLimit(qint64 bytes) : saved_(std::make_unique<Saved>()) {
    getrlimit(RLIMIT_FSIZE, &saved_->limit);
    saved_->handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_->limit;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_->limit);
    std::signal(SIGXFSZ, saved_->handler);
}

} // namespace qvmd::test
