#pragma once

#include <QProxyStyle>

namespace qvmd {

// The desktop's style with one addition: a button reached from the keyboard shows a frame in the
// highlight colour. Some styles mark the focus only by the outline the default button has anyway, so a
// keyboard user could not tell which button Space would press.
class FocusMarkStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;

private:
    static void drawMark(const QStyleOption& option, QPainter& painter, const QWidget* widget);
};

} // namespace qvmd
