#include "core/check/CheckTexts.h"

#include "core/app/StringTable.h"

namespace qvmd {

QString CheckTexts::text(Id id) const {
    return StringTable::builtIn().localised(id, offset_).value_or(QString());
}

} // namespace qvmd
