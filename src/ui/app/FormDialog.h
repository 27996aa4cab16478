#pragma once

#include <QDialog>

namespace qvmd {

// A modal form that closes only through its own buttons: the title-bar close box and Escape are refused
// unless the form allows them.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    explicit FormDialog(QWidget* parent = nullptr) : QDialog(parent) {}

    void reject() override;

protected:
    // Closes the form with the given result; the one way the form's buttons and timers close it.
    void closeWith(int result);
    // Forms whose close box is allowed (it closes without doing anything) call this once.
    void allowCloseBox() { closeBoxAllowed_ = true; }

    void closeEvent(QCloseEvent* event) override;

private:
    bool closing_ = false;
    bool closeBoxAllowed_ = false;
};

} // namespace qvmd
