#pragma once

#include "core/common/EntryCharacters.h"
#include "core/station/StationIdentifier.h"

#include <QChar>
#include <QString>

namespace qvmd {

// The boxes of the logging window's entry row, by index.
enum EntryBox {
    BoxCountry = 0,
    BoxClub = 1,
    BoxUnit = 2,
    BoxReceived = 3,
    BoxName = 4,
    BoxCategory = 5,
    BoxCountryName = 6,
};

// The most digits the received progressive takes when typed: the largest progressive is 32767.
constexpr int ReceivedMaxLength = 5;

EntryKind entryKindOf(int box);

// Whether a box takes this (already upper-cased) character: digits in the number boxes, letters in the
// club, letters, blank, ".", "'" and the accented capitals in the name, nothing in boxes 5 and 6.
bool entryKeyAllowed(int box, QChar upper);

// A box's text after the change rules: a lone "0", blank, "'" or "." is emptied, leading zeros go, and
// doubled blanks or punctuation at the end collapse (cursorToEnd then says the cursor follows).
struct ChangedText {
    QString text;
    bool cursorToEnd = false;
};
ChangedText applyChangeRules(const QString& text);

} // namespace qvmd
