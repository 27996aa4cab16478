#include "core/check/CertificateTexts.h"

#include "core/common/StringTable.h"

#include <QDir>

namespace qvmd {
namespace {

enum TextId { HelpCertificates = 1976, CertificatesWritten = 1977, TemplateUnusable = 1978 };

} // namespace

QString certificateHelpText(int languageOffset) {
    return builtInText(HelpCertificates, languageOffset);
}

QString certificatesWrittenText(int count, const QString& folder, int languageOffset) {
    return builtInText(CertificatesWritten, languageOffset)
        .arg(QString::number(count), QDir::toNativeSeparators(folder));
}

QString certificateTemplateUnusableText(const QString& reason, int languageOffset) {
    return builtInText(TemplateUnusable, languageOffset).arg(reason);
}

} // namespace qvmd
