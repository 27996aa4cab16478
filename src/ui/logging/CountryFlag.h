#pragma once

#include <QHash>
#include <QPixmap>

class QLabel;

namespace qvmd {

// The flag of the country typed in the entry row, or the logo where a country has no flag.
class CountryFlag {
public:
    explicit CountryFlag(QLabel& picture);

    // The logo shown in place of a missing flag.
    void setLogo(const QPixmap& logo);
    // The spoken name says what the picture shows ("Flag: Canada").
    void show(int country, const QString& spokenName);

private:
    QLabel& picture_;
    QPixmap logo_;
    QHash<int, QPixmap> flags_; // by country number
};

} // namespace qvmd
