#pragma once

#include <QString>
#include <Qt>

class QAbstractItemModel;

namespace qvmd {

// What a cell says within its row when its shown text would mean little there (a flag letter); an empty
// text leaves the cell out. Without it the cell says its column's name and its text.
constexpr int SpokenInRowRole = Qt::UserRole + 0x51;

// A table row as a screen reader should read it: each cell that shows something after the name of its
// column ("Name CATERINA BIANCHI, Country Canada"). The column's spoken name (Qt::AccessibleTextRole of
// the header) is preferred to its shown header, which is often an abbreviation.
QString spokenRow(const QAbstractItemModel& model, int row);

} // namespace qvmd
