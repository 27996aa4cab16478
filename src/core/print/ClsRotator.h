#pragma once

#include "core/print/PrintSurface.h"

namespace qvmd {

// Prints text at an angle on a surface, through a logical font built from the surface's own font.
class ClsRotator {
public:
    int Angle() const { return angle_; }
    void setAngle(int degrees) { angle_ = degrees; }

    // Prints the text at the surface's current point; the current point does not move.
    void PrintText(const QString& text);
    // The text's extent in device pixels.
    void GetTextDim(const QString& text, long& width, long& height);
    // The surface to draw on; null leaves everything unchanged.
    void Device(PrintSurface* surface);

    // The logical font PrintText uses on the current device.
    RotatedFont logicalFont() const;

private:
    int PixelX(double x) const;
    int PixelY(double y) const;

    PrintSurface* device_ = nullptr;
    double scaleLeft_ = 0;
    double scaleTop_ = 0;
    double pixelsPerUnitX_ = 1;
    double pixelsPerUnitY_ = 1;
    int angle_ = 0;
};

} // namespace qvmd
