#include "core/exchange/AutoBackupSettings.h"

#include <QSettings>

#include <algorithm>

namespace qvmd {

namespace {

const QString enabledKey = QStringLiteral("AutoBackup/Enabled");
const QString keepKey = QStringLiteral("AutoBackup/Keep");

} // namespace

AutoBackupSettings AutoBackupSettings::load(const QSettings& settings) {
    AutoBackupSettings loaded;
    const QVariant enabled = settings.value(enabledKey);
    if (enabled.isValid()) {
        const QString text = enabled.toString().trimmed().toLower();
        if (text == QLatin1String("false") || text == QLatin1String("0"))
            loaded.enabled = false;
    }
    bool number = false;
    const int keep = settings.value(keepKey).toInt(&number);
    if (number)
        loaded.keep = std::clamp(keep, minKeep, maxKeep);
    return loaded;
}

std::unique_ptr<QSettings> AutoBackupSettings::openUserSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("QV_md"),
                                       QStringLiteral("QV_md"));
}

bool AutoBackupSettings::save(QSettings& settings) const {
    settings.setValue(enabledKey, enabled);
    settings.setValue(keepKey, std::clamp(keep, minKeep, maxKeep));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace qvmd
