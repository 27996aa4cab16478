#include "ui/logging/CountryFlag.h"

#include "ui/kit/FormScale.h"
#include "ui/kit/cLoadResPicture.h"

#include <QLabel>

namespace qvmd {

CountryFlag::CountryFlag(QLabel& picture) : picture_(picture) {}

void CountryFlag::setLogo(const QPixmap& logo) {
    // Drawn once: the flag box shows it for every number without a flag.
    logo_ =
        logo.scaled(picture_.size() * logo.devicePixelRatio(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void CountryFlag::show(int country, const QString& spokenName) {
    // Flags are compiled in and never change during a run, so each is decoded once, not at every contact.
    auto shown = flags_.constFind(country);
    if (shown == flags_.cend()) {
        QPixmap flag = cLoadResPicture().LoadResPicture(country, QStringLiteral("FLAG"));
        if (flag.isNull())
            flag = logo_;
        shown = flags_.insert(country, flag);
    }
    // The flag grows with its window, as the box it sits in did.
    QPixmap flag = *shown;
    flag.setDevicePixelRatio(flag.devicePixelRatio() / formScale(picture_));
    picture_.setPixmap(flag);
    picture_.setAccessibleName(spokenName);
}

} // namespace qvmd
