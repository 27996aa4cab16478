#include "ui/kit/SpokenRow.h"

#include <QAbstractItemModel>
#include <QStringList>

namespace qvmd {

QString spokenRow(const QAbstractItemModel& model, int row) {
    QStringList parts;
    for (int column = 0; column < model.columnCount(); ++column) {
        const QString text = model.data(model.index(row, column), Qt::DisplayRole).toString().trimmed();
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
