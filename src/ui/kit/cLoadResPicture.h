#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace qvmd {

// Pictures compiled into the program, by type ("CUSTOM", "BUTTON", "FLAG") and numeric id.
class cLoadResPicture {
public:
    // The picture, or a null pixmap when there is none or it cannot be decoded.
    QPixmap LoadResPicture(int id, const QString& type);

    // The resource path tried first for (id, type); for tests and tools.
    static QString resourceBase(int id, const QString& type);

    // "<base>.png" or its denser renderings "<base>@<N>x.png", as an image of `ratio` pixels per unit; null
    // when there is none.
    static QImage loadPng(const QString& base, qreal ratio);
};

} // namespace qvmd
