#include "core/check/CheckTexts.h"

#include "core/common/StringTable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

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
    for (int id = HeaderLines; id <= LastFinding; ++id)
        ids.push_back(id);
    for (int id = HelpPurpose; id <= LastHelp; ++id)
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

namespace {

// Writes a text into room made for it, moving on. The pieces of a finding are a few characters each: up
// to sixteen go as two overlapping moves of a fixed size, without a call.
void put(char16_t*& at, QStringView text) {
    const auto* from = reinterpret_cast<const unsigned char*>(text.utf16());
    auto* to = reinterpret_cast<unsigned char*>(at);
    const std::size_t bytes = static_cast<std::size_t>(text.size()) * 2;
    auto twoMoves = [&](auto block) {
        std::memcpy(to, from, sizeof block);
        std::memcpy(to + bytes - sizeof block, from + bytes - sizeof block, sizeof block);
    };
    if (bytes > 32)
        std::memcpy(to, from, bytes);
    else if (bytes >= 16)
        twoMoves(std::array<unsigned char, 16>{});
    else if (bytes >= 8)
        twoMoves(std::uint64_t{});
    else if (bytes >= 4)
        twoMoves(std::uint32_t{});
    else if (bytes == 2)
        std::memcpy(to, from, 2);
    at += text.size();
}

} // namespace

qsizetype CheckTexts::formattedSize(Id id, std::span<const QStringView> values) const {
    qsizetype size = 0;
    for (const Piece& piece : templates_[slot(id)]) {
        if (piece.value < 0)
            size += piece.literal.size();
        else if (static_cast<std::size_t>(piece.value) < values.size())
            size += values[static_cast<std::size_t>(piece.value)].size();
        else
            size += 2;
    }
    return size;
}

void CheckTexts::formatInto(char16_t*& at, Id id, std::span<const QStringView> values) const {
    for (const Piece& piece : templates_[slot(id)]) {
        if (piece.value < 0) {
            put(at, piece.literal);
        } else if (static_cast<std::size_t>(piece.value) < values.size()) {
            put(at, values[static_cast<std::size_t>(piece.value)]);
        } else { // a marker without its value stays as written, as QString::arg leaves it
            *at++ = u'%';
            *at++ = static_cast<char16_t>(u'1' + piece.value);
        }
    }
}

QString CheckTexts::format(Id id, std::span<const QStringView> values) const {
    QString result(formattedSize(id, values), Qt::Uninitialized);
    char16_t* at = reinterpret_cast<char16_t*>(result.data());
    formatInto(at, id, values);
    return result;
}

QString CheckTexts::lineFinding(int line, Id id, std::span<const QStringView> values) const {
    QString result;
    lineFinding(result, line, id, values);
    return result;
}

void CheckTexts::lineFinding(QString& out, int line, Id id, std::span<const QStringView> values) const {
    // Made by the ten thousand: straight into the text that takes them.
    char16_t digits[12];
    char16_t* end = digits + 12;
    char16_t* first = end;
    for (unsigned number = static_cast<unsigned>(std::max(line, 0));;) {
        *--first = static_cast<char16_t>(u'0' + number % 10);
        number /= 10;
        if (number == 0)
            break;
    }
    const QStringView lineNumber(first, end - first);
    const QStringView separator(u": ");
    const qsizetype start = out.size();
    out.resize(start + formattedSize(LinePrefix, std::span<const QStringView>(&lineNumber, 1)) +
               separator.size() + formattedSize(id, values));
    char16_t* at = reinterpret_cast<char16_t*>(out.data()) + start;
    formatInto(at, LinePrefix, std::span<const QStringView>(&lineNumber, 1));
    put(at, separator);
    formatInto(at, id, values);
}

} // namespace qvmd
