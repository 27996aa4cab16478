#pragma once

namespace qvmd {

// Puts Qt's own texts (message box buttons, the file dialog) into the active language: Italian loads
// Qt's Italian translation, English takes it away. Without an installed translation Qt's texts stay
// English. Cheap when the language has not changed.
void useQtTranslations(int languageOffset);

} // namespace qvmd
