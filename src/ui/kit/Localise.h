#pragma once

class QWidget;

namespace qvmd {

class StringTable;

// Gives a window and its children the texts of the active language from their "tag" properties.
// Every failing step (no tag, non-numeric tag, id without text) is skipped and the control keeps its text.
// Accessible names follow in the same pass: a control's "nameTag" property names it for a screen reader
// where its caption cannot, and a grid's "columnNameTags" (ids, comma-separated) names its columns.
void Localise(QWidget& window, const StringTable& strings, int languageOffset);

} // namespace qvmd
