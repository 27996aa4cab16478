#include "ui/kit/FormDialog.h"

#include "ui/kit/FormScale.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QToolButton>

namespace qvmd {

FormDialog::FormDialog(QWidget* parent) : QDialog(parent) {
    prepareFormScale(*this);
}

void FormDialog::setVisible(bool visible) {
    if (visible)
        applyFormScale(*this);
    QDialog::setVisible(visible);
}

void FormDialog::closeWith(int result) {
    closing_ = true;
    done(result);
    closing_ = false;
}

void FormDialog::reject() {
    if (closing_ || closeBoxAllowed_)
        QDialog::reject();
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    // A push button takes its own Enter; a picture button does not, so the form presses the focused one.
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QToolButton*>(focusWidget()); button && button->isEnabled()) {
            event->accept();
            button->click();
            return;
        }
    }
    if ((enter && !enterPressesDefault_) || (key == Qt::Key_Escape && escapeRefused_)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (closing_ || closeBoxAllowed_) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
}

} // namespace qvmd
