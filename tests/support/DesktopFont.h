#pragma once

#include <QApplication>
#include <QFont>

namespace qvmd {

// The application font at the given size for one test, as a desktop would hand it over; restored afterwards.
class DesktopFont {
public:
    explicit DesktopFont(qreal points) : old_(QApplication::font()) {
        QFont font = old_;
        font.setPointSizeF(points);
        QApplication::setFont(font);
    }
    ~DesktopFont() { QApplication::setFont(old_); }
    DesktopFont(const DesktopFont&) = delete;
    DesktopFont& operator=(const DesktopFont&) = delete;

private:
    QFont old_;
};

} // namespace qvmd
