#include "ui/kit/SvgImage.h"

namespace qvmd {

// Built without QtSvg: the pictures are compiled in as PNG instead.
QImage renderSvgImage(const QString&, qreal) {
    return {};
}

} // namespace qvmd
