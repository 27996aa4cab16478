#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QLineEdit;

namespace qvmd {

// The keyboard rules of the entry boxes of the station and logging windows: typed letters become
// capitals, a box takes only the characters it admits, a read-only box takes none, Enter (and Escape
// where the window wants it) is reported instead of typed, and the focus selects the box's text.
class EntryKeyFilter : public QObject {
    Q_OBJECT
public:
    enum class Shortcuts {
        Editing,  // Ctrl and Ctrl+Shift shortcuts are the box's own: the window cleans what they bring in
        CopyOnly, // only copy and select-all; nothing else typed with Ctrl, Alt or Meta reaches the box
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
    };

    explicit EntryKeyFilter(Rules rules, QObject* parent = nullptr);

    void watch(QLineEdit* box);

signals:
    void enterPressed(QLineEdit* box);
    void escapePressed(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(QLineEdit* box, QKeyEvent* event);
    void select(QLineEdit* box) const;

    Rules rules_;
};

} // namespace qvmd
