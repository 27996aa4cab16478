#pragma once

#include "core/logging/RowsByIdentifier.h"

#include <QByteArrayView>

namespace qvmd {

// The duplicate rule, for the logging windows and the checker alike: a contact repeats the first valid
// contact of its log (in file order) with the same station identifier, compared as the file's bytes, and
// a contact being changed never repeats itself. rows holds the log's contacts by identifier; valid(row)
// says whether a row's contact counts (the windows index cancelled ones too); hash is the identifier's
// RowsByIdentifier::hashOf. 0 when none does.
template <typename Valid>
int firstValidRow(const RowsByIdentifier& rows, QByteArrayView identifier, std::uint64_t hash, int exceptRow,
                  Valid&& valid) {
    for (int row = rows.first(identifier, hash); row != 0; row = rows.next(row))
        if (row != exceptRow && valid(row))
            return row;
    return 0;
}
template <typename Valid>
int firstValidRow(const RowsByIdentifier& rows, QByteArrayView identifier, int exceptRow, Valid&& valid) {
    return firstValidRow(rows, identifier, RowsByIdentifier::hashOf(identifier), exceptRow, valid);
}

} // namespace qvmd
