#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace qvmd {

// The width of a text in the current font, in the caller's units.
using TextWidthOf = std::function<double(const QString&)>;

// The number of carriage returns, that is the number of lines less one.
int countLines(const QString& text);
// Line n (from 0) of a text whose lines end in carriage returns, with an optional line feed after each;
// spaces round the line removed. Empty past the last line.
QString extractLine(const QString& text, int line);
// Drops characters from the right (keepLeft) or the left until the text is no wider than maxWidth; the
// text is shortened in place and returned.
QString fitText(QString& text, int maxWidth, bool keepLeft, const TextWidthOf& widthOf);

// One word of a justified line and where it starts.
struct PlacedWord {
    double x = 0;
    QString word;
};
// Spreads the words of a line, runs of spaces taken as one, over the width from x.
std::vector<PlacedWord> justifyLine(double x, int width, const QString& text, const TextWidthOf& widthOf);

// One line of a filled column: justified when the column's width broke it, left-aligned when its source
// line ended there.
struct ColumnLine {
    double y = 0;
    QString text;
    bool justified = false;
};
struct ColumnFill {
    std::vector<ColumnLine> lines;
    QString rest; // what did not fit, to continue in the next column; empty when everything fitted
};
// Breaks text (lines ending in carriage-return line-feed pairs) into lines of the column's width, from y
// down one line step each until y reaches bottom. A word that would be cut moves to the next line
// unless it is the whole line.
ColumnFill fillColumn(const QString& text, double y, int columnWidth, double lineStep, double bottom,
                      const TextWidthOf& widthOf);

} // namespace qvmd
