#pragma once

#include <QString>
#include <Qt>

class QAbstractItemModel;

namespace qvmd {

// What a cell says within its row when its shown text would mean little there (a flag letter); an empty
// text leaves the cell out. Without it the cell says its column's name and its text.
constexpr int SpokenInRowRole = Qt::UserRole + 0x51;

// A table cell as a screen reader should read it: what it shows after the name of its column ("Name
// CATERINA BIANCHI"), empty when it shows nothing. The column's spoken name (Qt::AccessibleTextRole of the
// header) is preferred to its shown header, which is often an abbreviation. A screen reader reads a whole
// row cell by cell, so the row is heard once, each value after its column's name.
QString spokenCell(const QAbstractItemModel& model, int row, int column);

} // namespace qvmd
