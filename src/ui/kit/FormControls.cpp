#include "ui/kit/FormControls.h"

#include "ui/kit/LiveStatusLabel.h"

#include <QLabel>
#include <QPushButton>

namespace qvmd {

namespace {

template <typename Control> Control* named(Control* control, const char* name, const char* tag) {
    control->setObjectName(QLatin1String(name));
    if (tag)
        control->setProperty("tag", QLatin1String(tag));
    return control;
}

} // namespace

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const char* tag) {
    return named(new QLabel(text, parent), name, tag);
}

LiveStatusLabel* makeLiveLabel(QWidget* parent, const char* name, const QString& text, const char* tag) {
    auto* label = new LiveStatusLabel(parent);
    label->setText(text);
    return named(label, name, tag);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const char* tag) {
    return named(new QPushButton(text, parent), name, tag);
}

void setNameTag(QWidget* control, const char* id) {
    control->setProperty("nameTag", QLatin1String(id));
}

void keepPlaceWhenHidden(QWidget* control) {
    QSizePolicy policy = control->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    control->setSizePolicy(policy);
}

} // namespace qvmd
