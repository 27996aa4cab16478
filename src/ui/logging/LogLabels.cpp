#include "ui/logging/LogLabels.h"

#include <QLabel>

namespace qvmd {

QLabel* makeValueLabel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setContentsMargins(0, 0, 4, 0);
    return label;
}

QLabel* makeCaptionLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                         const char* tag) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    if (tag)
        label->setProperty("tag", QString::fromLatin1(tag));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace qvmd
