#pragma once

class QWidget;

namespace qvmd {

class StringTable;

// Gives a window and its children the texts of the active language from their "tag" properties.
// Every failing step (no tag, non-numeric tag, id without text) is skipped and the control keeps its text.
void Localise(QWidget& window, const StringTable& strings, int languageOffset);

} // namespace qvmd
