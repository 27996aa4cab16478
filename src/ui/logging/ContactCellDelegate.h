#pragma once

#include <QCache>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace qvmd {

// Draws the contact grid's cells as the style does, but keeps each cell text laid out once: a keystroke
// that scrolls the grid to an earlier contact repaints every row shown, and laying out their texts anew
// each time was most of that repaint.
class ContactCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const QStaticText& laidOut(const QString& text, int width, const QStyleOptionViewItem& option) const;

    mutable QCache<QString, QStaticText> texts_{4000};
};

} // namespace qvmd
