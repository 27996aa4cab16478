#include "ui/kit/FocusMarkStyle.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace qvmd {

void FocusMarkStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && option && painter)
        drawMark(*option, *painter, widget);
}

void FocusMarkStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ToolButton && option && painter)
        drawMark(*option, *painter, widget);
}

void FocusMarkStyle::drawMark(const QStyleOption& option, QPainter& painter, const QWidget* widget) {
    // Only a focus the keyboard moved; a button with a style sheet draws its own.
    const bool keyboardFocus = option.state.testFlag(State_HasFocus) &&
                               option.state.testFlag(State_KeyboardFocusChange) &&
                               option.state.testFlag(State_Enabled);
    if (!keyboardFocus || (widget && !widget->styleSheet().isEmpty()))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(option.palette.color(QPalette::Active, QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(option.rect).adjusted(3, 3, -3, -3));
    painter.restore();
}

} // namespace qvmd
