#include "core/check/CertificateTemplate.h"

#include "core/common/FileError.h"
#include "core/common/FileErrorText.h"
#include "core/common/StringTable.h"
#include "core/common/TextFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>

namespace qvmd {
namespace {

enum TextId {
    NotANumberReason = 1970,
    ValueCountReason = 1971,
    MissingTextReason = 1972,
    DrawsNothingReason = 1973,
    UnknownFieldReason = 1974,
    UnknownWordReason = 1975,
    OutOfRangeReason = 1710,
};

constexpr double SmallestPage = 50;
constexpr double LargestPage = 1000;

using Error = CertificateTemplateError;
using Problem = CertificateTemplateError::Problem;

// Thrown inside the reader only: the first fault ends the reading.
struct Fault {
    Error error;
};

[[noreturn]] void fail(Error error) {
    throw Fault{std::move(error)};
}

QString decoded(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return splitLines(bytes).join(u'\n');
}

class Reader {
public:
    explicit Reader(int line) : line_(line) {}

    double number(const QString& word, double low, double high) const {
        QString plain = word;
        plain.replace(u',', u'.'); // an Italian hand writes 12,5
        bool ok = false;
        const double value = plain.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            fail(error(Problem::NotANumber, word));
        if (value < low || value > high) {
            Error e = error(Problem::OutOfRange, word);
            e.low = low;
            e.high = high;
            fail(e);
        }
        return value;
    }

    int choice(const QString& word, const QStringList& allowed) const {
        const qsizetype at = allowed.indexOf(word.toLower());
        if (at < 0) {
            Error e = error(Problem::UnknownWord, word);
            e.allowed = allowed.join(QStringLiteral(", "));
            fail(e);
        }
        return static_cast<int>(at);
    }

    void count(const QStringList& values, int least, int most) const {
        const int found = static_cast<int>(values.size());
        if (found < least || found > most) {
            Error e = error(Problem::ValueCount, QString());
            e.expected = found < least ? least : most;
            e.found = found;
            fail(e);
        }
    }

    // Every {field} of a text must be one the certificates fill.
    void fields(const QString& text) const {
        static const QStringList known = certificateFields();
        for (qsizetype open = text.indexOf(u'{'); open >= 0; open = text.indexOf(u'{', open + 1)) {
            const qsizetype close = text.indexOf(u'}', open);
            const QString field = close < 0 ? text.mid(open) : text.mid(open, close - open + 1);
            if (close < 0 || !known.contains(field.mid(1, field.size() - 2))) {
                Error e = error(Problem::UnknownField, field);
                QStringList braced;
                for (const QString& name : known)
                    braced.append(u'{' + name + u'}');
                e.allowed = braced.join(QStringLiteral(", "));
                fail(e);
            }
        }
    }

    Error error(Problem problem, const QString& value) const {
        Error e;
        e.problem = problem;
        e.line = line_;
        e.value = value;
        return e;
    }

private:
    int line_;
};

struct PlacedItem {
    CertificateTemplate::Item item;
    int line = 0;
    QStringList words; // of the position, as written, for the message
};

// Each position lies on the page, and what has a size ends on it; known only once the page is read.
void checkOnPage(const PlacedItem& placed, const CertificateTemplate& layout) {
    const Reader reader(placed.line);
    const auto& at = placed.item.at;
    using Kind = CertificateTemplate::Kind;
    const Kind kind = placed.item.kind;
    const int values = kind == Kind::Text ? 2 : kind == Kind::Rule ? 3 : 4;
    for (int i = 0; i < values; ++i) {
        const bool across = i % 2 == 0;
        const double page = across ? layout.pageWidth : layout.pageHeight;
        if (i < 2)
            reader.number(placed.words[i], 0, page);
        else
            reader.number(placed.words[i], 0.1, page - at[static_cast<std::size_t>(i - 2)]);
    }
}

CertificateTemplate readAll(const QString& text) {
    CertificateTemplate layout;
    std::vector<PlacedItem> placed;
    QString font = QStringLiteral("Arial");
    quint32 colour = 0;
    const QStringList lines = text.split(u'\n');
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    static const QStringList instructions = {
        QStringLiteral("page"),  QStringLiteral("award"), QStringLiteral("font"),   QStringLiteral("colour"),
        QStringLiteral("frame"), QStringLiteral("rule"),  QStringLiteral("emblem"), QStringLiteral("text")};
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const Reader reader(static_cast<int>(n + 1));
        const qsizetype bar = trimmed.indexOf(u'|');
        const QString head = bar < 0 ? trimmed : trimmed.left(bar).trimmed();
        QStringList words = head.split(blanks, Qt::SkipEmptyParts);
        const QString instruction = words.takeFirst();
        const int which = reader.choice(instruction, instructions);
        // The rest of the line as written, for the instructions that take a name.
        const QString rest = trimmed.mid(instruction.size()).trimmed();
        if (which != 7 && bar >= 0)
            fail(reader.error(Problem::UnknownWord, QStringLiteral("|")));
        CertificateTemplate::Item item;
        item.colour = colour;
        switch (which) {
        case 0:
            reader.count(words, 2, 2);
            layout.pageWidth = reader.number(words[0], SmallestPage, LargestPage);
            layout.pageHeight = reader.number(words[1], SmallestPage, LargestPage);
            continue;
        case 1:
            reader.count(words, 1, 1000);
            reader.fields(rest);
            layout.award = rest;
            continue;
        case 2:
            reader.count(words, 1, 1000);
            font = rest;
            continue;
        case 3: {
            reader.count(words, 1, 1);
            static const QRegularExpression hex(QStringLiteral("^#?[0-9A-Fa-f]{6}$"));
            if (!hex.match(words[0]).hasMatch())
                fail(reader.error(Problem::NotANumber, words[0]));
            colour = words[0].right(6).toUInt(nullptr, 16);
            continue;
        }
        case 4:
        case 5: {
            const int positions = which == 4 ? 4 : 3;
            reader.count(words, positions, positions + 1);
            item.kind = which == 4 ? CertificateTemplate::Kind::Frame : CertificateTemplate::Kind::Rule;
            if (words.size() > positions)
                item.thickness = reader.number(words[positions], 0.05, 10);
            break;
        }
        case 6:
            reader.count(words, 4, 4);
            item.kind = CertificateTemplate::Kind::Emblem;
            break;
        default: {
            reader.count(words, 4, 5);
            item.kind = CertificateTemplate::Kind::Text;
            item.font = font;
            item.align = static_cast<CertificateTemplate::Align>(reader.choice(
                words[2], {QStringLiteral("left"), QStringLiteral("centre"), QStringLiteral("right")}));
            item.size = reader.number(words[3], 4, 200);
            if (words.size() == 5) {
                const int style =
                    reader.choice(words[4], {QStringLiteral("plain"), QStringLiteral("bold"),
                                             QStringLiteral("italic"), QStringLiteral("bold-italic")});
                item.bold = style == 1 || style == 3;
                item.italic = style >= 2;
            }
            const QStringList texts = bar < 0 ? QStringList() : trimmed.mid(bar + 1).split(u'|');
            if (texts.isEmpty() || texts.size() > 2 || texts[0].trimmed().isEmpty())
                fail(reader.error(Problem::MissingText, QString()));
            item.texts = {texts[0].trimmed(), texts.value(texts.size() - 1).trimmed()};
            if (item.texts[1].isEmpty())
                item.texts[1] = item.texts[0];
            reader.fields(item.texts[0]);
            reader.fields(item.texts[1]);
            break;
        }
        }
        const int positions = item.kind == CertificateTemplate::Kind::Text   ? 2
                              : item.kind == CertificateTemplate::Kind::Rule ? 3
                                                                             : 4;
        for (int i = 0; i < positions; ++i)
            item.at[static_cast<std::size_t>(i)] = reader.number(words[i], 0, LargestPage);
        placed.push_back({item, static_cast<int>(n + 1), words});
    }
    if (placed.empty())
        fail(Reader(0).error(Problem::DrawsNothing, QString()));
    for (const PlacedItem& item : placed) {
        checkOnPage(item, layout);
        layout.items.push_back(item.item);
    }
    return layout;
}

} // namespace

QStringList certificateFields() {
    return {QStringLiteral("name"),  QStringLiteral("station"), QStringLiteral("category"),
            QStringLiteral("score"), QStringLiteral("rank"),    QStringLiteral("award"),
            QStringLiteral("year"),  QStringLiteral("country")};
}

CertificateTemplateReading readCertificateTemplate(const QByteArray& bytes) {
    CertificateTemplateReading reading;
    try {
        reading.layout = readAll(decoded(bytes));
    } catch (const Fault& fault) {
        reading.error = fault.error;
    }
    return reading;
}

QByteArray defaultCertificateTemplateText() {
    QFile file(QStringLiteral(":/certificate.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString certificateTemplateErrorText(const CertificateTemplateError& error, const QString& path,
                                     int languageOffset) {
    const auto text = [languageOffset](int id) { return builtInText(id, languageOffset); };
    const auto number = [](double value) { return QString::number(value, 'g', 6); };
    FileError place = fileError(FileError::Kind::Malformed, path);
    place.line = error.line;
    QString reason;
    switch (error.problem) {
    case Problem::UnknownWord:
        reason = text(UnknownWordReason).arg(quotedValue(error.value), error.allowed);
        break;
    case Problem::NotANumber:
        reason = text(NotANumberReason).arg(quotedValue(error.value));
        break;
    case Problem::OutOfRange:
        reason = text(OutOfRangeReason).arg(quotedValue(error.value), number(error.low), number(error.high));
        break;
    case Problem::ValueCount:
        reason = text(ValueCountReason).arg(error.expected).arg(error.found);
        break;
    case Problem::MissingText:
        reason = text(MissingTextReason);
        break;
    case Problem::UnknownField:
        reason = text(UnknownFieldReason).arg(quotedValue(error.value), error.allowed);
        break;
    case Problem::DrawsNothing:
        reason = text(DrawsNothingReason);
        break;
    }
    return fileErrorText(place, languageOffset) + QStringLiteral(": ") + reason;
}

} // namespace qvmd
