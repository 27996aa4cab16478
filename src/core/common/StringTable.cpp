#include "core/common/StringTable.h"

#include <QFile>
#include <QList>

namespace qvmd {

StringTable StringTable::fromTsv(const QByteArray& utf8) {
    StringTable table;
    const QList<QByteArray> lines = utf8.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        bool ok = false;
        const int id = fields.value(0).toInt(&ok);
        if (!ok)
            continue;
        const QString italian = QString::fromUtf8(fields.value(1));
        const QString english = QString::fromUtf8(fields.value(2));
        if (!italian.isEmpty())
            table.texts_.insert(id, italian);
        if (!english.isEmpty())
            table.texts_.insert(id + 1000, english);
    }
    return table;
}

const StringTable& StringTable::builtIn() {
    static const StringTable table = [] {
        QFile file(QStringLiteral(":/strings.tsv"));
        return file.open(QIODevice::ReadOnly) ? fromTsv(file.readAll()) : StringTable();
    }();
    return table;
}

std::optional<QString> StringTable::text(int id) const {
    const auto found = texts_.constFind(id);
    if (found == texts_.constEnd())
        return std::nullopt;
    return *found;
}

QString builtInText(int italianId, int languageOffset) {
    return StringTable::builtIn().localised(italianId, languageOffset).value_or(QString());
}

} // namespace qvmd
