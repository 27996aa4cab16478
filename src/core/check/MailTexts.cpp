#include "core/check/MailTexts.h"

#include "core/common/StringTable.h"

namespace qvmd {

MailTexts::MailTexts(int languageOffset) : offset_(languageOffset) {
    for (int id = MessageLine; id <= Last; ++id)
        texts_.push_back(StringTable::builtIn().localised(id, offset_).value_or(QString()));
}

} // namespace qvmd
