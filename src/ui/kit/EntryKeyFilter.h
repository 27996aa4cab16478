#pragma once

#include <QObject>

#include <functional>

class QDropEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;

namespace qvmd {

// The typing rules of the entry boxes of the station and logging windows: typed letters become capitals,
// a box takes only the characters it admits and no more than its typed limit, a read-only box takes none,
// Enter (and Escape where the window wants it) is reported instead of typed, and the focus selects the
// box's text. Text that arrives any other way (pasted with a key or the middle button, dropped, chosen
// from the box's menu, composed by an input method) goes through the same rules, character by character,
// or is refused where the window takes keys only.
class EntryKeyFilter : public QObject {
    Q_OBJECT
public:
    enum class Shortcuts {
        Editing,  // Ctrl and Ctrl+Shift shortcuts are the box's own; pasted text is cleaned by the rules
        CopyOnly, // only copy and select-all; nothing but typed keys brings text in
    };
    enum class FocusSelection {
        All,              // the whole text, the cursor at its end
        TextFromTheStart, // the trimmed text, shown from its first character
    };
    struct Rules {
        std::function<bool(const QLineEdit* box, QChar upper)> admits;
        Shortcuts shortcuts = Shortcuts::Editing;
        FocusSelection selection = FocusSelection::All;
        bool escapeReported = false; // otherwise Escape keeps its usual meaning
        // The most characters typing may leave in the box (0: no limit). A longer text the program shows
        // stays whole; typing into it can only shorten it.
        std::function<int(const QLineEdit* box)> typedLimit = nullptr;
    };

    explicit EntryKeyFilter(Rules rules, QObject* parent = nullptr);

    void watch(QLineEdit* box);

signals:
    void enterPressed(QLineEdit* box);
    void escapePressed(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The part of the text the box takes by the rules, at its cursor in place of its selection.
    QString admitted(const QLineEdit* box, const QString& text) const;
    // Puts what the rules admit of the text into the box, as typing it would; false when nothing went in.
    bool insertAdmitted(QLineEdit* box, const QString& text);
    bool keyPressed(QLineEdit* box, QKeyEvent* event);
    bool middleReleased(QLineEdit* box, QMouseEvent* event);
    bool dropped(QLineEdit* box, QDropEvent* event);
    bool composed(QLineEdit* box, QInputMethodEvent* event);
    bool contextMenu(QLineEdit* box, const QPoint& globalPos);
    void paste(QLineEdit* box, bool selection);
    bool pasteAllowed() const { return rules_.shortcuts == Shortcuts::Editing; }
    QString admittedCharacters(const QLineEdit* box, const QString& text) const;
    int room(const QLineEdit* box) const;
    void select(QLineEdit* box) const;

    Rules rules_;
};

} // namespace qvmd
