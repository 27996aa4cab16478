#include "ui/kit/SpokenRow.h"

#include <QAbstractItemModel>
#include <QStringList>

namespace qvmd {

QString spokenRow(const QAbstractItemModel& model, int row) {
    QStringList parts;
    for (int column = 0; column < model.columnCount(); ++column) {
        const QModelIndex cell = model.index(row, column);
        const QVariant own = model.data(cell, SpokenInRowRole);
        if (own.isValid()) {
            if (!own.toString().isEmpty())
                parts.append(own.toString());
            continue;
        }
        const QString text = model.data(cell, Qt::DisplayRole).toString().trimmed();
        if (text.isEmpty())
            continue;
        QString name = model.headerData(column, Qt::Horizontal, Qt::AccessibleTextRole).toString();
        if (name.isEmpty())
            name = model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        parts.append(name.isEmpty() ? text : name + QLatin1Char(' ') + text);
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace qvmd
