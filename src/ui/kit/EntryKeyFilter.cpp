#include "ui/kit/EntryKeyFilter.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace qvmd {

namespace {

// One character for one key, as the code page upper-cases: "ß" stays itself instead of becoming "SS".
QString upperEach(const QString& text) {
    QString upper = text;
    for (QChar& c : upper)
        c = c.toUpper();
    return upper;
}

} // namespace

EntryKeyFilter::EntryKeyFilter(Rules rules, QObject* parent) : QObject(parent), rules_(std::move(rules)) {}

void EntryKeyFilter::watch(QLineEdit* box) {
    box->installEventFilter(this);
}

bool EntryKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return keyPressed(box, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusIn) {
        // Let the box take the focus first, then select.
        static_cast<QObject*>(box)->event(event);
        select(box);
        // A click places the cursor after the focus arrives; select again once it has.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            QTimer::singleShot(0, box, [this, box] { select(box); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void EntryKeyFilter::select(QLineEdit* box) const {
    if (rules_.selection == FocusSelection::All) {
        box->selectAll();
        return;
    }
    // Selected from its end back to its start, so the cursor, and with it the view, is at the start.
    const int length = static_cast<int>(box->text().trimmed().size());
    box->setSelection(length, -length);
}

bool EntryKeyFilter::keyPressed(QLineEdit* box, QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape && rules_.escapeReported) {
        emit escapePressed(box);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit enterPressed(box);
        return true;
    }
    if (key == Qt::Key_Backspace)
        return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (rules_.shortcuts == Shortcuts::Editing) {
        // Paste, undo and select-all are the box's own; it never types their letter.
        if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
            return false;
    } else if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        // Copy and select-all are harmless; anything that could bring text in is not.
        return !(event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll));
    }
    const QString text = event->text();
    // Keys without a character (arrows, Tab, Delete) keep their usual meaning.
    if (text.isEmpty() || text.at(0).category() == QChar::Other_Control)
        return false;
    const QString upper = upperEach(text);
    for (const QChar c : upper) {
        if (!rules_.admits(box, c))
            return true;
    }
    if (box->isReadOnly())
        return true;
    if (upper == text)
        return false;
    box->insert(upper);
    return true;
}

} // namespace qvmd
