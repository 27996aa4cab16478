#include "ui/kit/EntryKeyFilter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <memory>

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
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPressed(box, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
        // Let the box take the focus first, then select.
        static_cast<QObject*>(box)->event(event);
        select(box);
        // A click places the cursor after the focus arrives; select again once it has.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            QTimer::singleShot(0, box, [this, box] { select(box); });
        return true;
    case QEvent::MouseButtonRelease:
        return middleReleased(box, static_cast<QMouseEvent*>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (pasteAllowed() && !box->isReadOnly())
            return false;
        event->ignore();
        return true;
    case QEvent::Drop:
        return dropped(box, static_cast<QDropEvent*>(event));
    case QEvent::InputMethod:
        return composed(box, static_cast<QInputMethodEvent*>(event));
    case QEvent::ContextMenu:
        if (box->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        return contextMenu(box, static_cast<QContextMenuEvent*>(event)->globalPos());
    default:
        return QObject::eventFilter(watched, event);
    }
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

int EntryKeyFilter::room(const QLineEdit* box) const {
    const int limit = rules_.typedLimit ? rules_.typedLimit(box) : 0;
    if (limit <= 0)
        return std::numeric_limits<int>::max();
    const auto kept = box->text().size() - box->selectedText().size();
    return static_cast<int>(std::max<qsizetype>(0, limit - kept));
}

QString EntryKeyFilter::admittedCharacters(const QLineEdit* box, const QString& text) const {
    QString kept;
    for (const QChar c : upperEach(text)) {
        if (rules_.admits(box, c))
            kept.append(c);
    }
    return kept;
}

QString EntryKeyFilter::admitted(const QLineEdit* box, const QString& text) const {
    return admittedCharacters(box, text).left(room(box));
}

bool EntryKeyFilter::insertAdmitted(QLineEdit* box, const QString& text) {
    if (box->isReadOnly())
        return false;
    const QString kept = admitted(box, text);
    if (kept.isEmpty())
        return false;
    box->insert(kept);
    return true;
}

void EntryKeyFilter::paste(QLineEdit* box, bool selection) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    insertAdmitted(box, clipboard->text(selection ? QClipboard::Selection : QClipboard::Clipboard));
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
    // Ctrl+V, Shift+Insert and the like: the clipboard's text goes through the rules, or nowhere.
    if (event->matches(QKeySequence::Paste)) {
        if (pasteAllowed()) {
            const bool selection = QGuiApplication::clipboard()->supportsSelection() &&
                                   key == Qt::Key_Insert &&
                                   event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
            paste(box, selection);
        }
        return true;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (rules_.shortcuts == Shortcuts::Editing) {
        // Undo, cut and select-all are the box's own; it never types their letter.
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
    if (box->isReadOnly() || upper.size() > room(box))
        return true;
    if (upper == text)
        return false;
    box->insert(upper);
    return true;
}

bool EntryKeyFilter::middleReleased(QLineEdit* box, QMouseEvent* event) {
    // The box would insert the X selection here as it stands.
    if (event->button() != Qt::MiddleButton)
        return false;
    if (pasteAllowed() && !box->isReadOnly() && QGuiApplication::clipboard()->supportsSelection()) {
        box->deselect();
        paste(box, true);
    }
    return true;
}

bool EntryKeyFilter::dropped(QLineEdit* box, QDropEvent* event) {
    if (!pasteAllowed() || box->isReadOnly() || !event->mimeData()->hasText()) {
        event->ignore();
        return true;
    }
    // Dropped text goes where it is dropped, beside any selection.
    QString kept = admittedCharacters(box, event->mimeData()->text());
    const int limit = rules_.typedLimit ? rules_.typedLimit(box) : 0;
    if (limit > 0)
        kept.truncate(std::max<qsizetype>(0, limit - box->text().size()));
    if (kept.isEmpty()) {
        event->ignore();
        return true;
    }
    // The box drops the cleaned text at the place and with the action the person chose.
    QMimeData clean;
    clean.setText(kept);
    QDropEvent cleaned(event->position(), event->possibleActions(), &clean, event->buttons(),
                       event->modifiers());
    cleaned.setDropAction(event->dropAction());
    static_cast<QObject*>(box)->event(&cleaned);
    event->setDropAction(cleaned.dropAction());
    event->setAccepted(cleaned.isAccepted());
    return true;
}

bool EntryKeyFilter::composed(QLineEdit* box, QInputMethodEvent* event) {
    // An input method commits text as keys would type it; the text being composed is only shown.
    if (event->commitString().isEmpty())
        return false;
    const QString kept = box->isReadOnly() ? QString() : admitted(box, event->commitString());
    QInputMethodEvent cleaned(event->preeditString(), event->attributes());
    cleaned.setCommitString(kept, event->replacementStart(), event->replacementLength());
    static_cast<QObject*>(box)->event(&cleaned);
    event->setAccepted(cleaned.isAccepted());
    return true;
}

bool EntryKeyFilter::contextMenu(QLineEdit* box, const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        // Submenus insert control characters no key types.
        if (action->menu()) {
            action->setVisible(false);
        } else if (action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste")) {
            // The box's own Paste, known by the words it gives it.
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            if (pasteAllowed())
                connect(action, &QAction::triggered, box, [this, box] { paste(box, false); });
            else
                action->setVisible(false);
        }
    }
    menu->exec(globalPos);
    return true;
}

} // namespace qvmd
