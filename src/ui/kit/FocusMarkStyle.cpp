#include "ui/kit/FocusMarkStyle.h"

#include "ui/kit/FormScale.h"

#include <QFontMetricsF>
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

int FocusMarkStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight: {
        // In step with the text beside the box: its font's line height against the usual font's.
        const qreal text = widget   ? QFontMetricsF(widget->font()).height()
                           : option ? QFontMetricsF(option->fontMetrics).height()
                                    : 0;
        const qreal usual = QFontMetricsF(designFont()).height();
        return text > usual ? qRound(base * text / usual) : base;
    }
    default:
        return base;
    }
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
