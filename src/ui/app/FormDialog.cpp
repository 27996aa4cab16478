#include "ui/app/FormDialog.h"

#include <QCloseEvent>

namespace qvmd {

void FormDialog::closeWith(int result) {
    closing_ = true;
    done(result);
    closing_ = false;
}

void FormDialog::reject() {
    if (closing_ || closeBoxAllowed_)
        QDialog::reject();
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (closing_ || closeBoxAllowed_) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
}

} // namespace qvmd
