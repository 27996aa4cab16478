#pragma once

#include <QPixmap>
#include <QString>

namespace qvmd {

struct AppState;

// Pictures compiled into the program, by type ("CUSTOM", "BUTTON", "FLAG") and numeric id.
class cLoadResPicture {
public:
    explicit cLoadResPicture(AppState& state) : state_(state) {}

    // The picture, or a null pixmap with PictureLoadFailed set when there is none or it cannot be decoded.
    QPixmap LoadResPicture(int id, const QString& type);

    // The resource path tried first for (id, type); for tests and tools.
    static QString resourceBase(int id, const QString& type);

private:
    AppState& state_;
};

} // namespace qvmd
