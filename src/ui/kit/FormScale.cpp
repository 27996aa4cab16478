#include "ui/kit/FormScale.h"

#include "ui/kit/GridControl.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>
#include <QtMath>

#include <algorithm>
#include <utility>
#include <vector>

namespace qvmd {

namespace {

constexpr char scaleProperty[] = "qvmdFormScale";
constexpr char scaledProperty[] = "qvmdFormScaled";
constexpr qreal designPoints = 9.0;

int scaled(int value, qreal factor) {
    return qRound(value * factor);
}

// Edges are scaled rather than sizes, so that controls that touched still touch and none come to overlap.
QRect scaledRect(const QRect& rect, qreal factor) {
    const int left = scaled(rect.x(), factor);
    const int top = scaled(rect.y(), factor);
    return {left, top, scaled(rect.x() + rect.width(), factor) - left,
            scaled(rect.y() + rect.height(), factor) - top};
}

QFont scaledFont(QFont font, qreal factor) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(scaled(font.pixelSize(), factor));
    return font;
}

// Controls that place their own children (viewports, scroll bars, inner edit boxes) and do so again
// when they are resized.
bool placesItsOwnChildren(const QWidget& widget) {
    return qobject_cast<const QAbstractScrollArea*>(&widget) ||
           qobject_cast<const QAbstractSpinBox*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
           qobject_cast<const QMenuBar*>(&widget) || qobject_cast<const QLineEdit*>(&widget);
}

void scaleSizeLimits(QWidget& widget, qreal factor) {
    const QSize min = widget.minimumSize();
    const QSize max = widget.maximumSize();
    const auto limit = [factor](int value) {
        return value >= QWIDGETSIZE_MAX ? value : scaled(value, factor);
    };
    // The maximum first: a fixed size grows, and the minimum may never pass the maximum.
    widget.setMaximumSize(limit(max.width()), limit(max.height()));
    widget.setMinimumSize(scaled(min.width(), factor), scaled(min.height(), factor));
}

void scaleLayout(QLayout& layout, qreal factor) {
    const QMargins margins = layout.contentsMargins();
    layout.setContentsMargins(scaled(margins.left(), factor), scaled(margins.top(), factor),
                              scaled(margins.right(), factor), scaled(margins.bottom(), factor));
    if (auto* box = qobject_cast<QBoxLayout*>(&layout)) {
        if (box->spacing() > 0)
            box->setSpacing(scaled(box->spacing(), factor));
    } else if (auto* grid = qobject_cast<QGridLayout*>(&layout)) {
        if (grid->horizontalSpacing() > 0)
            grid->setHorizontalSpacing(scaled(grid->horizontalSpacing(), factor));
        if (grid->verticalSpacing() > 0)
            grid->setVerticalSpacing(scaled(grid->verticalSpacing(), factor));
        for (int row = 0; row < grid->rowCount(); ++row)
            grid->setRowMinimumHeight(row, scaled(grid->rowMinimumHeight(row), factor));
        for (int col = 0; col < grid->columnCount(); ++col)
            grid->setColumnMinimumWidth(col, scaled(grid->columnMinimumWidth(col), factor));
    } else if (auto* form = qobject_cast<QFormLayout*>(&layout)) {
        if (form->horizontalSpacing() > 0)
            form->setHorizontalSpacing(scaled(form->horizontalSpacing(), factor));
        if (form->verticalSpacing() > 0)
            form->setVerticalSpacing(scaled(form->verticalSpacing(), factor));
    }
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem* item = layout.itemAt(i);
        if (QSpacerItem* spacer = item->spacerItem()) {
            const QSize hint = spacer->sizeHint();
            const QSizePolicy policy = spacer->sizePolicy();
            spacer->changeSize(scaled(hint.width(), factor), scaled(hint.height(), factor),
                               policy.horizontalPolicy(), policy.verticalPolicy());
        } else if (QLayout* inner = item->layout()) {
            scaleLayout(*inner, factor);
        }
    }
    layout.invalidate();
}

// A picture grows with its form: drawn from the finer pixels the picture loader keeps for this, or else
// smoothly enlarged.
void growIcon(QAbstractButton& button, qreal factor) {
    const QSize size = scaledSize(button.iconSize(), factor);
    button.setIconSize(size);
    const QIcon icon = button.icon();
    QSize largest;
    for (const QSize& available : icon.availableSizes())
        largest = largest.width() >= available.width() ? largest : available;
    if (largest.isEmpty())
        return;
    QPixmap picture = icon.pixmap(largest, 1.0);
    const qreal ratio = button.devicePixelRatioF();
    const QSize needed = (QSizeF(size) * ratio).toSize();
    if (picture.width() < needed.width() && picture.height() < needed.height())
        picture = picture.scaled(needed, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    button.setIcon(QIcon(picture));
}

void growPicture(QLabel& label, qreal factor) {
    QPixmap picture = label.pixmap();
    if (picture.isNull() || label.hasScaledContents())
        return;
    picture.setDevicePixelRatio(picture.devicePixelRatio() / factor);
    label.setPixmap(picture);
}

void scaleChildren(QWidget& parent, qreal factor) {
    for (QObject* child : parent.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        scaleSizeLimits(*widget, factor);
        // A layout places its own widgets; the rest stand where the form put them.
        if (!parent.layout())
            widget->setGeometry(scaledRect(widget->geometry(), factor));
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            growIcon(*button, factor);
        if (auto* label = qobject_cast<QLabel*>(widget))
            growPicture(*label, factor);
        if (auto* grid = qobject_cast<GridControl*>(widget))
            grid->setZoom(factor);
        if (widget->layout())
            scaleLayout(*widget->layout(), factor);
        if (!placesItsOwnChildren(*widget))
            scaleChildren(*widget, factor);
    }
}

// Every font the form set grows by the factor; the rest follow their parents. All are read before any
// is changed, so that no font inherited from a grown parent grows twice.
void scaleFonts(QWidget& form, qreal factor) {
    std::vector<std::pair<QWidget*, QFont>> fonts;
    const auto note = [&fonts, factor](QWidget* widget) {
        // A style sheet's widget no longer follows its parent's font: it is given its own.
        if (widget->testAttribute(Qt::WA_SetFont) || widget->testAttribute(Qt::WA_StyleSheet))
            fonts.emplace_back(widget, scaledFont(widget->font(), factor));
    };
    note(&form);
    for (QWidget* widget : form.findChildren<QWidget*>())
        if (widget->window() == &form)
            note(widget);
    for (auto& [widget, font] : fonts)
        widget->setFont(font);
}

// Room for a window on its screen, less its frame and title bar.
constexpr QSize windowFrame(16, 48);

// A form grows no larger than its screen: its text then grows less than the desktop asks, but stays whole
// and in proportion, and every control stays within reach. A form that can be resized only shrinks.
qreal fittingScale(const QWidget& form, qreal factor, bool fixed) {
    const QScreen* screen = form.screen();
    const QSize smallest = fixed ? form.size() : form.minimumSize().expandedTo(form.minimumSizeHint());
    if (!screen || smallest.isEmpty())
        return factor;
    const QSize room = screen->availableGeometry().size() - windowFrame;
    const qreal fits =
        std::min(qreal(room.width()) / smallest.width(), qreal(room.height()) / smallest.height());
    return std::clamp(fits, qreal(1), factor);
}

} // namespace

QFont designFont() {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(designPoints);
    return font;
}

qreal fontScale(const QFont& font) {
    static const QString sample =
        QStringLiteral("Marigold Day 0123456789 QV Hunter Lady ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const QFontMetricsF asked(font);
    const QFontMetricsF design(designFont());
    const qreal height = asked.height() / std::max<qreal>(1, design.height());
    const qreal width =
        asked.horizontalAdvance(sample) / std::max<qreal>(1, design.horizontalAdvance(sample));
    return std::max<qreal>(1, std::max(height, width));
}

void prepareFormScale(QWidget& form) {
    const QFont desktop = QApplication::font();
    const qreal factor = fontScale(desktop);
    form.setProperty(scaleProperty, factor);
    if (factor > 1)
        form.setFont(scaledFont(desktop, 1 / factor));
}

void applyFormScale(QWidget& form) {
    const qreal asked = form.property(scaleProperty).toReal();
    if (asked <= 1 || form.property(scaledProperty).toBool())
        return;
    const bool fixed = form.minimumSize() == form.maximumSize();
    const qreal factor = fittingScale(form, asked, fixed);
    form.setProperty(scaleProperty, factor);
    form.setProperty(scaledProperty, true);

    scaleFonts(form, factor);
    scaleChildren(form, factor);
    scaleSizeLimits(form, factor);
    if (QLayout* layout = form.layout())
        scaleLayout(*layout, factor);
    if (!fixed && form.testAttribute(Qt::WA_Resized)) {
        QSize size = scaledSize(form.size(), factor);
        if (const QScreen* screen = form.screen())
            size = size.boundedTo(screen->availableGeometry().size());
        form.resize(size);
    }
    // Text does not grow quite in step with its point size: a laid-out form takes what its layout needs.
    if (QLayout* layout = form.layout(); layout && fixed) {
        layout->activate();
        const QSize needed = form.minimumSizeHint();
        if (needed.isValid() && (needed.width() > form.width() || needed.height() > form.height()))
            form.setFixedSize(form.size().expandedTo(needed));
    }
}

qreal askedFormScale(const QWidget& form) {
    return std::max<qreal>(1, form.property(scaleProperty).toReal());
}

QSize formRoom(const QWidget& form) {
    const QScreen* screen = form.screen();
    if (!screen)
        return {};
    const qreal asked = askedFormScale(form);
    const QSize room = screen->availableGeometry().size() - windowFrame;
    return {qFloor(room.width() / asked), qFloor(room.height() / asked)};
}

qreal formScale(const QWidget& widget) {
    const QWidget* form = widget.window();
    return form->property(scaledProperty).toBool() ? form->property(scaleProperty).toReal() : 1.0;
}

QSize scaledSize(const QSize& size, qreal factor) {
    return {scaled(size.width(), factor), scaled(size.height(), factor)};
}

} // namespace qvmd
