#pragma once

#include <QtGlobal>

#include <memory>

namespace qvmd::test {

// A disk that fills up part-way: the file-size limit makes the write fail even for root. Only POSIX systems
// have such a limit; elsewhere it limits nothing, and the tests that rely on it are listed as Linux-only.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
};

} // namespace qvmd::test
