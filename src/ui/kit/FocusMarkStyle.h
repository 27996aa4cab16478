#pragma once

#include <QProxyStyle>

namespace qvmd {

// The desktop's style with two additions: a button reached from the keyboard shows a frame in the
// highlight colour (some styles mark the focus only by the outline the default button has anyway, so a
// keyboard user could not tell which button Space would press), and the boxes of check boxes and options
// grow with their text, as the style draws them for its usual font whatever the font asked for.
class FocusMarkStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    static void drawMark(const QStyleOption& option, QPainter& painter, const QWidget* widget);
};

} // namespace qvmd
