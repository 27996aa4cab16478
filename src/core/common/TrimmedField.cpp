#include "core/common/TrimmedField.h"

#include "core/common/Windows1252.h"

#include <QByteArray>
#include <QString>

namespace qvmd::detail {

const std::array<bool, 256> BlankBytes = [] {
    QByteArray every(256, '\0');
    for (int byte = 0; byte < 256; ++byte)
        every[byte] = static_cast<char>(byte);
    const QString decoded = fromWindows1252(every);
    std::array<bool, 256> blank{};
    for (int byte = 0; byte < 256; ++byte)
        blank[static_cast<std::size_t>(byte)] = decoded[byte].isSpace();
    return blank;
}();

} // namespace qvmd::detail
