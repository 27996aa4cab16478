#include "ui/kit/SpokenRow.h"

#include <QAbstractItemModel>

namespace qvmd {

QString spokenCell(const QAbstractItemModel& model, int row, int column) {
    const QModelIndex cell = model.index(row, column);
    const QVariant own = model.data(cell, SpokenInRowRole);
    if (own.isValid())
        return own.toString();
    const QString text = model.data(cell, Qt::DisplayRole).toString().trimmed();
    if (text.isEmpty())
        return {};
    QString name = model.headerData(column, Qt::Horizontal, Qt::AccessibleTextRole).toString();
    if (name.isEmpty())
        name = model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    return name.isEmpty() ? text : name + QLatin1Char(' ') + text;
}

} // namespace qvmd
