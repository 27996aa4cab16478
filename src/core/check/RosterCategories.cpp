#include "core/check/RosterCategories.h"

#include "core/common/Windows1252.h"
#include "core/refdata/CountryTable.h"

#include <algorithm>

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
        if (std::all_of(key.cbegin(), key.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
            const QByteArray ascii = key.toLatin1();
            if (static_cast<std::size_t>(asciiIds_.add(ascii)) == asciiNumbers_.size())
                asciiNumbers_.push_back(static_cast<int>(number));
        }
        if (number >= categories_.size())
            categories_.resize(number + 1, 0);
        categories_[number] |= category;
    }
}

QString RosterCategories::text(quint8 categories) {
    QString text;
    if (categories & Hunter)
        text += u'H';
    if (categories & Lady)
        text += text.isEmpty() ? QStringLiteral("L") : QStringLiteral("/L");
    return text;
}

} // namespace qvmd
