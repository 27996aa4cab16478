#pragma once

#include <QString>

namespace qvmd {

// The checker's texts about certificates, from the string table in the language (offset 0 or 1000).
QString certificateHelpText(int languageOffset);
// "Certificates: N written to FOLDER".
QString certificatesWrittenText(int count, const QString& folder, int languageOffset);
// A template that cannot be used stops the run: the reason wrapped in one sentence.
QString certificateTemplateUnusableText(const QString& reason, int languageOffset);

} // namespace qvmd
