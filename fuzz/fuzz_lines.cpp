#include "core/common/Numbers.h"
#include "core/common/TextFile.h"

#include <cstddef>
#include <cstdint>

// The line splitter and the number readers on arbitrary bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = qvmd::splitLines(bytes);
    for (const QString& line : lines) {
        (void)qvmd::leadingInt16(line);
        (void)qvmd::wholeNumber(line);
    }
    return 0;
}
