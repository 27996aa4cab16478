#include "support/SystemFiles.h"

#include <QFile>

#include <sched.h>
#include <sys/stat.h>

namespace qvmd::test {

bool makeNamedPipe(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

namespace {

cpu_set_t savedSet;

} // namespace

OneCore::OneCore() {
    if (::sched_getaffinity(0, sizeof savedSet, &savedSet) != 0)
        return;
    int first = 0;
    while (first < CPU_SETSIZE && !CPU_ISSET(first, &savedSet))
        ++first;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(first, &one);
    held_ = ::sched_setaffinity(0, sizeof one, &one) == 0;
}

OneCore::~OneCore() {
    if (held_)
        ::sched_setaffinity(0, sizeof savedSet, &savedSet);
}

unsigned allowedCores() {
    cpu_set_t set;
    return ::sched_getaffinity(0, sizeof set, &set) == 0 ? static_cast<unsigned>(CPU_COUNT(&set)) : 0;
}

} // namespace qvmd::test
