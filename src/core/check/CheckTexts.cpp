#include "core/check/CheckTexts.h"

#include "core/app/StringTable.h"

namespace qvmd {

namespace {

// The marker's value number (0 up) when text has a marker %1 … %9 at i, or -1.
int markerAt(const QString& text, qsizetype i) {
    if (text[i] != u'%' || i + 1 >= text.size() || text[i + 1] < u'1' || text[i + 1] > u'9')
        return -1;
    return text[i + 1].unicode() - u'1';
}

} // namespace

CheckTexts::CheckTexts(int languageOffset) : offset_(languageOffset) {
    std::vector<int> ids;
    for (int id = HeaderLines; id <= ReportFolderHoldsLogs; ++id)
        ids.push_back(id);
    for (int id = HelpPurpose; id <= UnknownOption; ++id)
        ids.push_back(id);
    for (const int id : ids) {
        const QString text = StringTable::builtIn().localised(id, offset_).value_or(QString());
        texts_.push_back(text);
        std::vector<Piece> pieces;
        qsizetype literalStart = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const int value = markerAt(text, i);
            if (value < 0)
                continue;
            if (i > literalStart)
                pieces.push_back({text.mid(literalStart, i - literalStart), -1});
            pieces.push_back({QString(), value});
            literalStart = ++i + 1;
        }
        if (literalStart < text.size())
            pieces.push_back({text.mid(literalStart), -1});
        templates_.push_back(std::move(pieces));
    }
}

QString CheckTexts::format(Id id, std::initializer_list<QStringView> values) const {
    const std::vector<Piece>& pieces = templates_[slot(id)];
    QString result;
    result.reserve(texts_[slot(id)].size() + 32);
    for (const Piece& piece : pieces) {
        if (piece.value < 0)
            result += piece.literal;
        else if (static_cast<std::size_t>(piece.value) < values.size())
            result += values.begin()[piece.value];
        else // a marker without its value stays as written, as QString::arg leaves it
            result += u'%' + QString::number(piece.value + 1);
    }
    return result;
}

QString CheckTexts::lineFinding(int line, Id id, std::initializer_list<QStringView> values) const {
    return format(LinePrefix, {QString::number(line)}) + QStringLiteral(": ") + format(id, values);
}

} // namespace qvmd
