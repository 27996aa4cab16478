#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace qvmd {

// The resource string table: Italian texts under ids from 1000, English ones under the same id plus 1000.
// An id without an entry fails the lookup, as some ids have only an Italian text.
class StringTable {
public:
    // Lines "id<TAB>Italian<TAB>English" in UTF-8; an empty English field means no English entry.
    // Lines starting with "#" and blank lines are skipped.
    static StringTable fromTsv(const QByteArray& utf8);
    // The table compiled into the program's resources.
    static const StringTable& builtIn();

    std::optional<QString> text(int id) const;
    // The text of id in the active language (offset 0 or 1000), falling back to nothing.
    std::optional<QString> localised(int italianId, int languageOffset) const {
        return text(italianId + languageOffset);
    }

private:
    QHash<int, QString> texts_;
};

// The built-in table's text of an id in the language (offset 0 or 1000), empty when it has none: how
// core words its codes without holding a text of its own.
QString builtInText(int italianId, int languageOffset);

} // namespace qvmd
