#include "ui/kit/Seams.h"

#include "core/common/VersionInfo.h"

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
    case Seams::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A screen reader reads a box as its title, its text and its buttons: a box never goes without a title.
QString boxTitle(const QString& title) {
    return title.trimmed().isEmpty() ? VersionInfo::title() : title;
}

} // namespace

void DesktopSeams::message(QWidget* parent, const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toBoxIcon(icon), boxTitle(title), text, QMessageBox::Ok, parent);
    box.exec();
}

std::unique_ptr<QMessageBox> makeQuestionBox(QWidget* parent, const QString& text, const QString& title,
                                             Seams::Icon icon, Seams::Default answer) {
    auto box = std::make_unique<QMessageBox>(toBoxIcon(icon), boxTitle(title), text,
                                             QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(answer == Seams::Default::No ? QMessageBox::No : QMessageBox::Yes);
    return box;
}

bool DesktopSeams::ask(QWidget* parent, const QString& text, const QString& title, Icon icon,
                       Default answer) {
    return makeQuestionBox(parent, text, title, icon, answer)->exec() == QMessageBox::Yes;
}

int DesktopSeams::showModal(QDialog& dialog) {
    return dialog.exec();
}

} // namespace qvmd
