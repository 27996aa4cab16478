#include "ui/kit/Seams.h"

#include <QDialog>
#include <QMessageBox>

namespace qvmd {

namespace {

QMessageBox::Icon toBoxIcon(Seams::Icon icon) {
    switch (icon) {
    case Seams::Icon::Information:
        return QMessageBox::Information;
    case Seams::Icon::Warning:
        return QMessageBox::Warning;
    case Seams::Icon::Error:
        return QMessageBox::Critical;
    case Seams::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void DesktopSeams::message(QWidget* parent, const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toBoxIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool DesktopSeams::ask(QWidget* parent, const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toBoxIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

bool DesktopSeams::askDefaultNo(QWidget* parent, const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toBoxIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int DesktopSeams::showModal(QDialog& dialog) {
    return dialog.exec();
}

} // namespace qvmd
