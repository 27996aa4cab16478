#pragma once

#include <QImage>
#include <QString>

namespace qvmd {

// An SVG picture drawn at its own size times `ratio` pixels per unit (the image carries that ratio), or a
// null image when it cannot be read or the build has no SVG renderer; the caller then looks for a PNG.
QImage renderSvgImage(const QString& path, qreal ratio);

} // namespace qvmd
