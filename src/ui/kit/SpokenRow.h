#pragma once

#include <QString>

class QAbstractItemModel;

namespace qvmd {

// A table row as a screen reader should read it: each cell that shows something after the name of its
// column ("Name CATERINA BIANCHI, Country Canada"). The column's spoken name (Qt::AccessibleTextRole of
// the header) is preferred to its shown header, which is often an abbreviation.
QString spokenRow(const QAbstractItemModel& model, int row);

} // namespace qvmd
