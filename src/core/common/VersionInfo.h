#pragma once

#include "core/common/StringTable.h"

#include <QString>

namespace qvmd {

// The program's own version information, shown by the splash and the About window.
struct VersionInfo {
    static constexpr int major = QVMD_VERSION_MAJOR;
    static constexpr int minor = QVMD_VERSION_MINOR;
    static constexpr int revision = QVMD_VERSION_PATCH;
    static QString versionText() { return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision); }
    static QString title() { return QStringLiteral("QV_md"); }
    static QString productName() { return QStringLiteral("QV Marigold Day"); }
    // The same words in both languages.
    static QString description() { return builtInText(1769, 0); }
    static QString legalNotice() { return builtInText(1770, 0); }
};

} // namespace qvmd
