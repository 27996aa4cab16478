#pragma once

#include <QLabel>
#include <QString>

class QTextDocument;

namespace qvmd {

// A label whose news a screen reader speaks without the focus moving to it: assistive technology sees a
// status bar, and each announcement reaches it as a change of the label's name and of its text, and as
// a notification inside the status bar shown anew, which screen readers speak wherever the focus is.
// What it shows is set as on any label; what it says is given to announce(), so a changing display (a
// clock, a line that follows the typing) is never spoken by itself.
class LiveStatusLabel : public QLabel {
    Q_OBJECT
public:
    explicit LiveStatusLabel(QWidget* parent = nullptr);

    enum class Repeat { IfChanged, Always };

    // What the label says now: the last text announced.
    QString spokenText() const { return spoken_; }
    // Speaks the text. The same text again is spoken only when asked (a Find repeated gives the same
    // answer, and the operator still wants to hear it). An empty text silences the label.
    void announce(const QString& text, Repeat repeat = Repeat::IfChanged);

    // Shows rich text without telling assistive technology: a label's own rich text reports every change
    // of it as text inserted and removed, which floods a screen reader while the operator types.
    void showRichText(const QString& html);
    // The plain text of what showRichText shows.
    QString shownText() const;

    // The notification a screen reader speaks: shown while the label has something to say.
    QWidget* notice() const { return notice_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* notice_ = nullptr;
    QString spoken_;
    QTextDocument* rich_ = nullptr;
};

} // namespace qvmd
