#include "core/check/CheckTexts.h"

#include "core/app/StringTable.h"

namespace qvmd {

CheckTexts::CheckTexts(int languageOffset) : offset_(languageOffset) {
    for (int id = HeaderLines; id <= WriteFailed; ++id)
        texts_.push_back(StringTable::builtIn().localised(id, offset_).value_or(QString()));
}

} // namespace qvmd
