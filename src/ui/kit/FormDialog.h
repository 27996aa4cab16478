#pragma once

#include <QDialog>

namespace qvmd {

// A modal form that closes only through its own buttons: the title-bar close box and Escape are refused
// unless the form allows them. Enter that no control takes presses no button either: a focused button takes
// its own Enter, and a default button pressed by surprise (a search that empties a typed name, a list swap)
// only does harm. Forms whose one button is the obvious answer opt in to the usual default button. Enter on a
// focused picture (tool) button presses it, as Space does.
// Forms are built in the design's pixels; FormScale grows them when the desktop font is larger.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    explicit FormDialog(QWidget* parent = nullptr);

    void reject() override;
    // Before the form first shows, its layout grows with a large desktop font (FormScale).
    void setVisible(bool visible) override;

protected:
    // Closes the form with the given result; the one way the form's buttons and timers close it.
    void closeWith(int result);
    // Forms whose close box is allowed (it closes without doing anything) call this once.
    void allowCloseBox() { closeBoxAllowed_ = true; }
    // Escape is refused even where the close box is allowed.
    void refuseEscape() { escapeRefused_ = true; }
    // Enter anywhere in the form presses its default button.
    void enterPressesDefaultButton() { enterPressesDefault_ = true; }

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool closing_ = false;
    bool closeBoxAllowed_ = false;
    bool escapeRefused_ = false;
    bool enterPressesDefault_ = false;
};

} // namespace qvmd
