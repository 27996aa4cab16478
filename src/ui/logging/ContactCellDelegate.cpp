#include "ui/logging/ContactCellDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace qvmd {

const QStaticText& ContactCellDelegate::laidOut(const QString& text, int width,
                                                const QStyleOptionViewItem& option) const {
    const QString key =
        QString::number(width) + QLatin1Char('\x1f') + option.font.key() + QLatin1Char('\x1f') + text;
    if (const QStaticText* found = texts_.object(key))
        return *found;
    auto* laid = new QStaticText(option.fontMetrics.elidedText(text, option.textElideMode, width));
    laid->setTextFormat(Qt::PlainText);
    laid->setPerformanceHint(QStaticText::AggressiveCaching);
    laid->prepare(QTransform(), option.font);
    texts_.insert(key, laid);
    return *texts_.object(key);
}

void ContactCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QString text = cell.text;
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    // Background, selection and focus as the style draws them; the text is ours.
    cell.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    if (text.isEmpty())
        return;

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect room = textRect.adjusted(margin, 0, -margin, 0);
    if (room.width() <= 0)
        return;
    const QStaticText& laid = laidOut(text, room.width(), cell);
    const QSizeF size = laid.size();
    qreal x = room.left();
    if (cell.displayAlignment & Qt::AlignRight)
        x = room.right() + 1 - size.width();
    else if (cell.displayAlignment & Qt::AlignHCenter)
        x = room.left() + (room.width() - size.width()) / 2;
    const qreal y = room.top() + (room.height() - size.height()) / 2;

    const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (cell.state & QStyle::State_Active) ? QPalette::Normal
                                                                             : QPalette::Inactive;
    painter->save();
    painter->setClipRect(textRect);
    painter->setFont(cell.font);
    painter->setPen(cell.palette.color(
        group, (cell.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    painter->drawStaticText(QPointF(x, y), laid);
    painter->restore();
}

} // namespace qvmd
