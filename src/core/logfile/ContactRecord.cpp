#include "core/logfile/ContactRecord.h"

#include "core/common/Windows1252.h"

namespace qvmd {

namespace {

constexpr QChar Separator = QLatin1Char('>');

bool isUnsafe(QChar c) {
    return c == Separator || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

QString cleanField(const QString& text) {
    QString cleaned = text;
    for (QChar& c : cleaned) {
        if (isUnsafe(c))
            c = QLatin1Char(' ');
    }
    return cleaned.trimmed();
}

ContactRecord::ContactRecord() {
    build({});
}

void ContactRecord::build(const std::array<QString, FieldCount>& fields) {
    qsizetype size = FieldCount;
    for (const QString& f : fields)
        size += f.size();
    text_.clear();
    text_.reserve(size);
    bounds_[0] = 0;
    for (int i = 0; i < FieldCount; ++i) {
        text_ += cleanField(fields[static_cast<std::size_t>(i)]);
        text_ += Separator;
        bounds_[static_cast<std::size_t>(i) + 1] = static_cast<std::int32_t>(text_.size());
    }
}

ContactRecord ContactRecord::fromFields(const QStringList& fields) {
    std::array<QString, FieldCount> parts;
    for (qsizetype i = 0; i < std::min<qsizetype>(fields.size(), FieldCount); ++i)
        parts[static_cast<std::size_t>(i)] = fields[i];
    ContactRecord record{Unbuilt{}};
    record.build(parts);
    return record;
}

ContactRecord ContactRecord::contact(int progressive, const QString& received, const QString& unit,
                                     const QString& name, const QString& category, const QString& country,
                                     const QString& dateTime) {
    return fromFields({QString::number(progressive), received, unit, name, category, country, dateTime,
                       QStringLiteral("N")});
}

ContactRecord ContactRecord::blankCancelled(int progressive, const QString& dateTime) {
    return fromFields({QString::number(progressive), QStringLiteral("0"), QStringLiteral("0QV0"),
                       QStringLiteral("DELETED"), QString(), QStringLiteral("NO"), dateTime,
                       QStringLiteral("S")});
}

namespace {

// Takes a decoded line and turns it into a record's text in place: the text up to the eighth separator
// is kept, missing separators are added, stray CRs become blanks. One allocation for a well-formed line.
void normalise(QString& text, std::array<std::int32_t, ContactRecord::FieldCount + 1>& bounds) {
    const QStringView view(text);
    qsizetype pos = 0;
    int fields = 0;
    bounds[0] = 0;
    while (pos < view.size() && fields < ContactRecord::FieldCount) {
        const qsizetype found = view.indexOf(Separator, pos);
        if (found < 0) {
            // The last field has no separator: it gets one (the view is not used after this).
            text += Separator;
            pos = text.size();
            bounds[static_cast<std::size_t>(++fields)] = static_cast<std::int32_t>(pos);
            break;
        }
        pos = found + 1;
        bounds[static_cast<std::size_t>(++fields)] = static_cast<std::int32_t>(pos);
    }
    if (text.size() > pos)
        text.truncate(pos);
    for (; fields < ContactRecord::FieldCount; ++fields) {
        text += Separator;
        bounds[static_cast<std::size_t>(fields) + 1] = static_cast<std::int32_t>(text.size());
    }
    if (text.contains(QLatin1Char('\r')))
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
}

} // namespace

ContactRecord ContactRecord::fromLine(QStringView line) {
    ContactRecord record{Unbuilt{}};
    record.text_ = line.toString();
    normalise(record.text_, record.bounds_);
    return record;
}

ContactRecord ContactRecord::fromBytes(QByteArrayView line) {
    ContactRecord record{Unbuilt{}};
    record.text_ = fromWindows1252(line);
    normalise(record.text_, record.bounds_);
    return record;
}

void ContactRecord::setField(int index, const QString& text) {
    std::array<QString, FieldCount> parts;
    for (int i = 0; i < FieldCount; ++i)
        parts[static_cast<std::size_t>(i)] = i == index ? text : fieldText(i);
    build(parts);
}

QList<QStringView> splitRecordFields(QStringView line) {
    QList<QStringView> fields;
    qsizetype pos = 0;
    while (pos < line.size() && fields.size() < ContactRecord::MaxFields) {
        const qsizetype found = line.indexOf(Separator, pos);
        if (found < 0) {
            fields.append(line.sliced(pos));
            break;
        }
        fields.append(line.sliced(pos, found - pos));
        pos = found + 1;
    }
    return fields;
}

} // namespace qvmd
