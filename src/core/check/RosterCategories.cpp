#include "core/check/RosterCategories.h"

#include "core/common/Windows1252.h"
#include "core/refdata/CountryTable.h"

namespace qvmd {

void RosterCategories::addRoster(const QByteArray& bytes, quint8 category) {
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
        start = end + 1;
        if (line.isEmpty() || line.startsWith('#') || !line.contains('>'))
            continue;
        const QString text = fromWindows1252(line);
        const QString key = splitLine(text).key.trimmed().toString().toUpper();
        if (key.isEmpty())
            continue;
        const auto number = static_cast<std::size_t>(ids_.add(key));
        if (number >= categories_.size())
            categories_.resize(number + 1, 0);
        categories_[number] |= category;
    }
}

} // namespace qvmd
