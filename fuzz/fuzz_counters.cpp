#include "FuzzFolder.h"
#include "core/logfile/LogCounters.h"

// Log.dat on arbitrary bytes: always read, and what is written from it reads back the same.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& fuzz = qvmd::fuzz::FuzzFolder::instance();
    QDir(fuzz.folder().folder()).mkpath(QStringLiteral("Logs"));
    QFile file(fuzz.folder().logs(qvmd::counterFileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size))
        __builtin_trap();
    file.close();
    const qvmd::Result<qvmd::LogCounters> read = qvmd::readCounterFile(fuzz.folder());
    if (!read) // only a file beyond the size limit may fail
        return 0;
    if (!(qvmd::parseCounterLines(qvmd::counterLines(read.value())) == read.value()))
        __builtin_trap();
    return 0;
}
