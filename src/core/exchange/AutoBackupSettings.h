#pragma once

#include <memory>

class QSettings;

namespace qvmd {

// Whether the program backs up the log by itself and how many of those copies it keeps per log. They are
// the user's own choice, kept in the user's configuration, never in the organiser's Md.ini.
struct AutoBackupSettings {
    static constexpr int defaultKeep = 10;
    static constexpr int minKeep = 1;
    static constexpr int maxKeep = 99;

    bool enabled = true;
    int keep = defaultKeep;

    // Missing or unreadable values take their defaults; a count out of range is brought into it.
    static AutoBackupSettings load(const QSettings& settings);
    // Returns false when the configuration could not be written.
    bool save(QSettings& settings) const;

    // The user's own configuration of the program (an INI file in the user's configuration folder).
    static std::unique_ptr<QSettings> openUserSettings();

    friend bool operator==(const AutoBackupSettings&, const AutoBackupSettings&) = default;
};

} // namespace qvmd
