#include "core/logging/EntryRules.h"

namespace qvmd {

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isCapital(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

bool isAccentedCapital(QChar c) {
    switch (c.unicode()) {
    case 0xC0: // À
    case 0xC8: // È
    case 0xC9: // É
    case 0xCC: // Ì
    case 0xD2: // Ò
    case 0xD9: // Ù
    case 0xC7: // Ç
        return true;
    default:
        return false;
    }
}

// One pass of the rules; the window's change event ran them again after each of its own changes.
ChangedText applyOnce(const QString& text) {
    static const QString emptied[] = {QStringLiteral("0"), QStringLiteral(" "), QStringLiteral("'"),
                                      QStringLiteral(".")};
    for (const QString& lone : emptied) {
        if (text == lone)
            return {QString(), false};
    }
    if (text.startsWith(QLatin1Char('0')))
        return {text.mid(1), false};
    struct Pair {
        const char* doubled;
        char single;
    };
    static constexpr Pair pairs[] = {{"  ", ' '}, {"..", '.'}, {"''", '\''}, {".'", '.'}, {"'.", '\''}};
    for (const Pair& pair : pairs) {
        const QLatin1String doubled(pair.doubled);
        if (text.endsWith(doubled)) {
            QString collapsed = text;
            collapsed.replace(doubled, QString(QLatin1Char(pair.single)));
            return {collapsed, true};
        }
    }
    return {text, false};
}

} // namespace

bool entryKeyAllowed(int box, QChar upper) {
    switch (box) {
    case BoxCountry:
    case BoxUnit:
    case BoxReceived:
        return isDigit(upper);
    case BoxClub:
        return isCapital(upper);
    case BoxName:
        return isCapital(upper) || upper == QLatin1Char(' ') || upper == QLatin1Char('.') ||
               upper == QLatin1Char('\'') || isAccentedCapital(upper);
    default:
        return false;
    }
}

ChangedText applyChangeRules(const QString& text) {
    ChangedText result{text, false};
    for (;;) {
        const ChangedText next = applyOnce(result.text);
        if (next.text == result.text)
            return result;
        result.text = next.text;
        result.cursorToEnd = result.cursorToEnd || next.cursorToEnd;
    }
}

IdentifierParts splitIdentifier(const QString& identifier) {
    IdentifierParts parts;
    bool pastCountry = false;
    for (const QChar c : identifier) {
        if (!isDigit(c)) {
            pastCountry = true;
            parts.club.append(c);
        } else if (pastCountry) {
            parts.unit.append(c);
        } else {
            parts.country.append(c);
        }
    }
    return parts;
}

} // namespace qvmd
