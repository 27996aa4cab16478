#include "core/logging/EntryRules.h"

#include "core/common/EntryCharacters.h"

namespace qvmd {

namespace {

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

EntryKind entryKindOf(int box) {
    switch (box) {
    case BoxCountry:
    case BoxUnit:
    case BoxReceived:
        return EntryKind::Number;
    case BoxClub:
        return EntryKind::Club;
    case BoxName:
        return EntryKind::Name;
    default:
        return EntryKind::None;
    }
}

bool entryKeyAllowed(int box, QChar upper) {
    return entryAdmits(entryKindOf(box), upper);
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

} // namespace qvmd
