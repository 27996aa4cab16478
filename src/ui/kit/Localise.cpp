#include "ui/kit/Localise.h"

#include "core/common/Numbers.h"
#include "core/common/StringTable.h"
#include "ui/kit/QtTranslations.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVariant>

#include <optional>

namespace qvmd {

namespace {

// The tag taken as a whole number; an empty or non-numeric tag fails the step.
std::optional<std::int64_t> numericTag(const QVariant& tag) {
    if (!tag.isValid())
        return std::nullopt;
    return wholeNumber(tag.toString());
}

std::optional<QString> lookup(const StringTable& strings, std::optional<std::int64_t> tag, int offset) {
    if (!tag)
        return std::nullopt;
    // Ids are 16-bit; anything beyond has no entry. The sum stays in 64 bits so that a huge tag cannot
    // wrap round onto a real id.
    const std::int64_t id = *tag + offset;
    if (id != toInt16(id))
        return std::nullopt;
    return strings.text(static_cast<int>(id));
}

// A control belongs to the window unless a window of its own lies between them.
bool belongsTo(const QWidget& control, const QWidget& window) {
    for (const QWidget* widget = &control; widget && widget != &window; widget = widget->parentWidget()) {
        if (widget->isWindow())
            return false;
    }
    return true;
}

// Text of a control whose kind has a caption; false when it has none.
bool setCaption(QWidget& control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(&control)) {
        group->setTitle(text);
    } else {
        return false;
    }
    return true;
}

void localiseTabs(QTabBar& tabs, const StringTable& strings, int offset) {
    for (int i = 0; i < tabs.count(); ++i) {
        const QVariant tag = tabs.tabData(i);
        if (auto text = lookup(strings, numericTag(tag), offset))
            tabs.setTabText(i, *text);
        if (auto tip = lookup(strings, numericTag(tabs.tabToolTip(i)), 0))
            tabs.setTabToolTip(i, *tip);
    }
}

void localiseToolbar(QToolBar& bar, const StringTable& strings, int offset) {
    for (QAction* action : bar.actions()) {
        if (auto tip = lookup(strings, numericTag(action->toolTip()), offset))
            action->setToolTip(*tip);
    }
}

void localiseHeaders(QTreeWidget& list, const StringTable& strings, int offset) {
    QTreeWidgetItem* header = list.headerItem();
    for (int column = 0; header && column < header->columnCount(); ++column) {
        if (auto text = lookup(strings, numericTag(header->data(column, Qt::UserRole)), offset))
            header->setText(column, *text);
    }
}

// Frames, check boxes, text boxes and the like: the tag's leading number, without the offset.
void localiseOther(QWidget& control, const StringTable& strings) {
    const QVariant tag = control.property("tag");
    const std::int64_t n = tag.isValid() ? leadingNumber(tag.toString()) : 0;
    if (n > 0) {
        if (auto text = lookup(strings, n, 0))
            setCaption(control, *text);
    }
    const std::int64_t m = leadingNumber(control.toolTip());
    if (m >= 1) {
        if (auto tip = lookup(strings, m, 0))
            control.setToolTip(*tip);
    }
}

// What a screen reader says for a control whose caption does not tell it (a picture, an abbreviation, a
// caption the form keeps in one language): "nameTag" holds the id of its accessible name, and a grid's
// "columnNameTags" the ids of its columns' spoken names, comma-separated, each with the language offset.
void localiseAccessible(QWidget& control, const StringTable& strings, int offset) {
    if (auto name = lookup(strings, numericTag(control.property("nameTag")), offset)) {
        control.setAccessibleName(*name);
        // A caption tied to the control labels it for assistive technology, and screen readers say the
        // caption's name rather than the control's: the caption carries the full name too.
        if (QWidget* parent = control.parentWidget()) {
            for (QLabel* caption : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
                if (caption->buddy() == &control)
                    caption->setAccessibleName(*name);
        }
    }
    auto* view = qobject_cast<QAbstractItemView*>(&control);
    const QVariant columnTags = control.property("columnNameTags");
    if (!view || !view->model() || !columnTags.isValid())
        return;
    const QStringList tags = columnTags.toString().split(QLatin1Char(','));
    for (qsizetype column = 0; column < tags.size(); ++column) {
        if (auto name = lookup(strings, numericTag(tags[column].trimmed()), offset))
            view->model()->setHeaderData(static_cast<int>(column), Qt::Horizontal, *name,
                                         Qt::AccessibleTextRole);
    }
}

void localiseControl(QWidget& control, const StringTable& strings, int offset) {
    const std::optional<std::int64_t> tag = numericTag(control.property("tag"));
    if (qobject_cast<QLabel*>(&control) || qobject_cast<QPushButton*>(&control) ||
        qobject_cast<QRadioButton*>(&control)) {
        if (auto text = lookup(strings, tag, offset))
            setCaption(control, *text);
    } else if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        if (auto text = lookup(strings, tag, offset)) {
            if (combo->isEditable())
                combo->setEditText(*text);
            else
                combo->setCurrentText(*text);
        }
    } else if (auto* tabs = qobject_cast<QTabBar*>(&control)) {
        localiseTabs(*tabs, strings, offset);
    } else if (auto* bar = qobject_cast<QToolBar*>(&control)) {
        localiseToolbar(*bar, strings, offset);
    } else if (auto* list = qobject_cast<QTreeWidget*>(&control)) {
        localiseHeaders(*list, strings, offset);
    } else if (qobject_cast<QTabWidget*>(&control) || qobject_cast<QHeaderView*>(&control)) {
        // Their tab bar or header is visited as a control of its own.
    } else {
        localiseOther(control, strings);
    }
}

} // namespace

void Localise(QWidget& window, const StringTable& strings, int languageOffset) {
    // Qt's own texts follow the language of the window being localised, which is the active one.
    useQtTranslations(languageOffset);
    if (auto caption = lookup(strings, numericTag(window.property("tag")), languageOffset))
        window.setWindowTitle(*caption);
    // Creation order stands for the form's control order.
    const QList<QWidget*> controls = window.findChildren<QWidget*>();
    for (QWidget* control : controls) {
        // Controls of child windows belong to those windows.
        if (!belongsTo(*control, window))
            continue;
        localiseControl(*control, strings, languageOffset);
        localiseAccessible(*control, strings, languageOffset);
    }
}

} // namespace qvmd
