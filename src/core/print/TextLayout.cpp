#include "core/print/TextLayout.h"

#include <QStringList>

namespace qvmd {

namespace {

bool isAlfanumerico(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9');
}

QString collapseSpaces(QString text) {
    text = text.trimmed();
    while (text.contains(QLatin1String("  ")))
        text.replace(QLatin1String("  "), QLatin1String(" "));
    return text;
}

// Spaces only, as the line helpers trim; tabs and other blanks stay.
QString trimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

int countLines(const QString& text) {
    return int(text.count(QLatin1Char('\r')));
}

QString extractLine(const QString& text, int line) {
    qsizetype at = 0;
    QString rest = text;
    for (int n = 0;; ++n) {
        qsizetype end = rest.indexOf(QLatin1Char('\r'));
        if (end < 0)
            end = rest.size();
        if (n == line)
            return trimSpaces(rest.left(end));
        if (end >= rest.size())
            return {};
        at = end + 1;
        if (at < rest.size() && rest.at(at) == QLatin1Char('\n'))
            ++at;
        rest = trimSpaces(rest.mid(at));
    }
}

QString fitText(QString& text, int maxWidth, bool keepLeft, const TextWidthOf& widthOf) {
    while (!text.isEmpty() && widthOf(text) > maxWidth) {
        if (keepLeft)
            text.chop(1);
        else
            text.remove(0, 1);
    }
    return text;
}

std::vector<PlacedWord> justifyLine(double x, int width, const QString& text, const TextWidthOf& widthOf) {
    const QString line = collapseSpaces(text);
    const double slack = width - widthOf(line);
    const QStringList words = line.split(QLatin1Char(' '));
    const qsizetype gaps = words.size() - 1;
    const double space = gaps > 0 ? widthOf(QStringLiteral(" ")) + slack / gaps : 0;
    std::vector<PlacedWord> placed;
    placed.reserve(std::size_t(words.size()));
    double at = x;
    for (const QString& word : words) {
        placed.push_back({at, word});
        at += widthOf(word) + space;
    }
    return placed;
}

ColumnFill fillColumn(const QString& text, double y, int columnWidth, double lineStep, double bottom,
                      const TextWidthOf& widthOf) {
    ColumnFill fill;
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    const auto joinFrom = [&lines](qsizetype first) {
        return first < lines.size() ? lines.mid(first).join(QStringLiteral("\r\n")) : QString();
    };
    double at = y;
    for (qsizetype li = 0; li < lines.size(); ++li) {
        const QString& source = lines.at(li);
        QString buffer;
        QString carried;
        for (qsizetype ci = 0; ci < source.size(); ++ci) {
            const QChar c = source.at(ci);
            if (widthOf(trimSpaces(buffer + c)) <= columnWidth) {
                buffer += c;
                continue;
            }
            if (!buffer.isEmpty() && isAlfanumerico(buffer.back()) && isAlfanumerico(c)) {
                // Break before the word that would be cut, unless the word is the whole line.
                qsizetype end = buffer.size();
                while (end > 0 && buffer.at(end - 1) == QLatin1Char(' '))
                    --end;
                const qsizetype space = buffer.lastIndexOf(QLatin1Char(' '), end - 1);
                if (space >= 0 && end > 0) {
                    carried = buffer.mid(space + 1);
                    buffer.truncate(space);
                }
            }
            fill.lines.push_back({at, trimSpaces(buffer), true});
            buffer = carried + c;
            carried.clear();
            at += lineStep;
            if (at >= bottom) {
                fill.rest = buffer + source.mid(ci + 1);
                if (li + 1 < lines.size())
                    fill.rest += QStringLiteral("\r\n") + joinFrom(li + 1);
                return fill;
            }
        }
        if (!buffer.isEmpty()) {
            fill.lines.push_back({at, trimSpaces(buffer), false});
            at += lineStep;
            if (at >= bottom) {
                fill.rest = joinFrom(li + 1);
                return fill;
            }
        }
    }
    return fill;
}

} // namespace qvmd
