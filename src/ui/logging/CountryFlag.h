#pragma once

#include <QHash>
#include <QPixmap>

class QLabel;

namespace qvmd {

struct AppState;

// The flag of the country typed in the entry row, or the logo where a country has no flag.
class CountryFlag {
public:
    CountryFlag(QLabel& picture, AppState& state);

    // The logo shown in place of a missing flag.
    void setLogo(const QPixmap& logo);
    void show(int country);

private:
    QLabel& picture_;
    AppState& state_;
    QPixmap logo_;
    QHash<int, QPixmap> flags_; // by country number
};

} // namespace qvmd
