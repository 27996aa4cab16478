#pragma once

namespace qvmd {

// The duplicate rule, for the logging windows and the checker alike: a contact repeats the first valid
// contact of its log (in file order) with the same station, and a contact being changed never repeats
// itself. rows gives a station's rows in ascending order (first(station), then next(row) until 0), as
// RowsByIdentifier does by identifier; valid(row) says whether a row's contact counts (the windows index
// cancelled ones too). 0 when none does.
template <typename Rows, typename Station, typename Valid>
int firstValidRow(const Rows& rows, const Station& station, int exceptRow, Valid&& valid) {
    for (int row = rows.first(station); row != 0; row = rows.next(row))
        if (row != exceptRow && valid(row))
            return row;
    return 0;
}

} // namespace qvmd
