#pragma once

#include <QString>

namespace qvmd::test {

// A named pipe at `path`, as a stand-in for any file that is neither regular nor a folder; false where the
// system has no such thing in its file system (those tests are Linux-only).
bool makeNamedPipe(const QString& path);

// Holds the process to the first core it may use, for as long as it lives.
class OneCore {
public:
    OneCore();
    ~OneCore();
    OneCore(const OneCore&) = delete;
    OneCore& operator=(const OneCore&) = delete;
    bool held() const { return held_; }

private:
    bool held_ = false;
    unsigned long long saved_ = 0; // the mask of cores the process had
};

// How many cores the process may use now.
unsigned allowedCores();

} // namespace qvmd::test
