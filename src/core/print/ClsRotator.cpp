#include "core/print/ClsRotator.h"

#include <cmath>

namespace qvmd {

void ClsRotator::Device(PrintSurface* surface) {
    if (!surface)
        return;
    device_ = surface;
    scaleLeft_ = 0;
    scaleTop_ = 0;
    const double right = surface->scaleWidth();
    const double bottom = surface->scaleHeight();
    if (right > scaleLeft_ && bottom > scaleTop_) {
        pixelsPerUnitX_ = surface->pixelWidth() / (right - scaleLeft_);
        pixelsPerUnitY_ = surface->pixelHeight() / (bottom - scaleTop_);
    }
}

int ClsRotator::PixelX(double x) const {
    return int(std::lround((x - scaleLeft_) * pixelsPerUnitX_));
}

int ClsRotator::PixelY(double y) const {
    return int(std::lround((y - scaleTop_) * pixelsPerUnitY_));
}

RotatedFont ClsRotator::logicalFont() const {
    RotatedFont logical;
    if (!device_)
        return logical;
    const SurfaceFont& font = device_->font();
    // A face name longer than the record's 31 bytes is cut there, as the record keeps it.
    logical.face = font.name.toLatin1().left(31);
    logical.height = int(std::lround(font.size * device_->dpiY())) / 72;
    logical.weight = font.bold ? 700 : 400;
    logical.italic = font.italic;
    logical.underline = font.underline;
    logical.strikeOut = font.strikethru;
    logical.escapement = angle_ * 10;
    return logical;
}

void ClsRotator::PrintText(const QString& text) {
    if (!device_)
        return;
    device_->textOutRotated(QPoint(PixelX(device_->currentX()), PixelY(device_->currentY())), logicalFont(),
                            text);
}

void ClsRotator::GetTextDim(const QString& text, long& width, long& height) {
    if (!device_)
        return;
    const QSize extent = device_->rotatedExtent(logicalFont(), text);
    width = extent.width();
    height = extent.height();
}

} // namespace qvmd
