#include "support/LayoutCheck.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTableView>
#include <QTextDocument>
#include <QToolButton>
#include <QtMath>

namespace qvmd::test {

namespace {

// Rounding of text metrics against whole pixels.
constexpr int slack = 1;

QString nameOf(const QWidget& widget) {
    return widget.objectName().isEmpty() ? QString::fromLatin1(widget.metaObject()->className())
                                         : widget.objectName();
}

// Drawn text of a caption with a mnemonic: "&&" shows one ampersand, a single one none.
QString shown(QString text) {
    text.replace(QLatin1String("&&"), QChar(0x1));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0x1), QLatin1Char('&'));
    return text;
}

bool fits(const QSize& needed, const QSize& room) {
    return needed.width() <= room.width() + slack && needed.height() <= room.height() + slack;
}

QString cut(const QWidget& widget, const QString& text, const QSize& needed, const QSize& room) {
    return QStringLiteral("%1: \"%2\" needs %3x%4, has %5x%6")
        .arg(nameOf(widget), text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(room.width())
        .arg(room.height());
}

void checkLabel(const QLabel& label, QStringList& faults) {
    if (label.text().isEmpty() || !label.pixmap().isNull())
        return;
    const int margin = label.margin();
    const QRect room = label.contentsRect().adjusted(margin, margin, -margin, -margin);
    QSize needed;
    const bool rich = label.textFormat() == Qt::RichText ||
                      (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()));
    if (rich) {
        QTextDocument document;
        document.setDocumentMargin(0);
        document.setDefaultFont(label.font());
        document.setHtml(label.text());
        if (label.wordWrap())
            document.setTextWidth(room.width());
        needed = QSize(qCeil(label.wordWrap() ? document.idealWidth() : document.size().width()),
                       qCeil(document.size().height()));
    } else {
        const QString text = label.buddy() ? shown(label.text()) : label.text();
        const int flags = Qt::TextExpandTabs | (label.wordWrap() ? Qt::TextWordWrap : 0);
        const QRect bounds(0, 0, label.wordWrap() ? room.width() : 100000, 100000);
        needed = label.fontMetrics().boundingRect(bounds, flags, text).size();
    }
    if (!fits(needed, room.size()))
        faults << cut(label, label.text(), needed, room.size());
}

void checkButton(const QAbstractButton& button, QStringList& faults) {
    const QString text = shown(button.text());
    if (text.isEmpty())
        return;
    const QFontMetrics metrics = button.fontMetrics();
    const QStyle& style = *button.style();
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    QSize needed(metrics.horizontalAdvance(text), metrics.height());
    QRect room;
    if (qobject_cast<const QCheckBox*>(&button)) {
        room = style.subElementRect(QStyle::SE_CheckBoxContents, &option, &button);
    } else if (qobject_cast<const QRadioButton*>(&button)) {
        room = style.subElementRect(QStyle::SE_RadioButtonContents, &option, &button);
    } else if (const auto* tool = qobject_cast<const QToolButton*>(&button)) {
        const int frame = style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
        room = button.rect().adjusted(frame, frame, -frame, -frame);
        if (!button.icon().isNull() && tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon)
            needed.rheight() += button.iconSize().height() + 4;
    } else {
        if (const auto* push = qobject_cast<const QPushButton*>(&button); push && push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        room = style.subElementRect(QStyle::SE_PushButtonContents, &option, &button);
        if (!button.icon().isNull())
            needed = QSize(needed.width() + button.iconSize().width() + 4,
                           std::max(needed.height(), button.iconSize().height()));
    }
    if (!fits(needed, room.size()))
        faults << cut(button, text, needed, room.size());
}

void checkLineEdit(const QLineEdit& box, QStringList& faults) {
    const QStyle& style = *box.style();
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = box.contentsRect();
    option.lineWidth = box.hasFrame() ? style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    // The box's own margins: two pixels beside the text, one above and below.
    const QRect room = style.subElementRect(QStyle::SE_LineEditContents, &option, &box)
                           .marginsRemoved(box.textMargins())
                           .adjusted(2, 1, -2, -1);
    const QFontMetrics metrics = box.fontMetrics();
    const QString text = box.displayText();
    const QSize needed(text.isEmpty() ? 0 : metrics.horizontalAdvance(text), metrics.height());
    if (!fits(needed, room.size()))
        faults << cut(box, text, needed, room.size());
}

void checkComboBox(const QComboBox& combo, QStringList& faults) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    option.currentText = combo.currentText();
    const QRect room =
        combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    const QFontMetrics metrics = combo.fontMetrics();
    const QSize needed(metrics.horizontalAdvance(combo.currentText()) + 2, metrics.height());
    if (!fits(needed, room.size()))
        faults << cut(combo, combo.currentText(), needed, room.size());
}

void checkGrid(const QTableView& grid, QStringList& faults) {
    const QAbstractItemModel* model = grid.model();
    if (!model)
        return;
    const QStyle& style = *grid.style();
    const int cellMargin = 2 * (style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
    const QHeaderView& header = *grid.horizontalHeader();
    const int headerMargin = 2 * style.pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    const QFontMetrics headerMetrics = header.fontMetrics();
    for (int col = 0; col < model->columnCount(); ++col) {
        if (grid.isColumnHidden(col))
            continue;
        const QSize cell(grid.columnWidth(col), header.height());
        if (!header.isHidden()) {
            const QString title = model->headerData(col, Qt::Horizontal).toString();
            const QSize needed(headerMetrics.horizontalAdvance(title) + headerMargin, headerMetrics.height());
            if (!fits(needed, cell))
                faults << cut(grid, QStringLiteral("column %1 heading %2").arg(col).arg(title), needed, cell);
        }
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, col);
            const QVariant font = index.data(Qt::FontRole);
            const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : grid.font());
            const QString text = index.data().toString();
            const QSize needed(text.isEmpty() ? 0 : metrics.horizontalAdvance(text) + cellMargin,
                               metrics.height());
            const QSize room(grid.columnWidth(col), grid.rowHeight(row));
            if (!fits(needed, room))
                faults << cut(grid, QStringLiteral("row %1 column %2 %3").arg(row).arg(col).arg(text), needed,
                              room);
        }
    }
}

bool placesItsOwnChildren(const QWidget& widget) {
    return qobject_cast<const QAbstractScrollArea*>(&widget) ||
           qobject_cast<const QAbstractSpinBox*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
           qobject_cast<const QMenuBar*>(&widget) || qobject_cast<const QLineEdit*>(&widget);
}

void checkControl(const QWidget& widget, QStringList& faults) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        checkLabel(*label, faults);
    else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        checkButton(*button, faults);
    else if (const auto* box = qobject_cast<const QLineEdit*>(&widget))
        checkLineEdit(*box, faults);
    else if (const auto* combo = qobject_cast<const QComboBox*>(&widget))
        checkComboBox(*combo, faults);
    else if (const auto* grid = qobject_cast<const QTableView*>(&widget))
        checkGrid(*grid, faults);
}

void checkChildren(const QWidget& parent, QStringList& faults) {
    QList<const QWidget*> shownChildren;
    for (const QObject* child : parent.children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (!widget || widget->isWindow() || !widget->isVisible() || widget->geometry().isEmpty())
            continue;
        shownChildren.append(widget);
        if (!parent.rect().contains(widget->geometry()))
            faults << QStringLiteral("%1 reaches outside %2").arg(nameOf(*widget), nameOf(parent));
        checkControl(*widget, faults);
        if (!placesItsOwnChildren(*widget))
            checkChildren(*widget, faults);
    }
    for (qsizetype i = 0; i < shownChildren.size(); ++i)
        for (qsizetype j = i + 1; j < shownChildren.size(); ++j)
            if (shownChildren[i]->geometry().intersects(shownChildren[j]->geometry()))
                faults << QStringLiteral("%1 overlaps %2")
                              .arg(nameOf(*shownChildren[i]), nameOf(*shownChildren[j]));
}

} // namespace

QStringList layoutFaults(QWidget& window) {
    QStringList faults;
    checkChildren(window, faults);
    return faults;
}

} // namespace qvmd::test
