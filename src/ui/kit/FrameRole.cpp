#include "ui/kit/FrameRole.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace qvmd {

namespace {

const char* const frameProperty = "qvmdReadAsFrame";

QAccessibleInterface* frameFactory(const QString& key, QObject* object) {
    // Asked for each class of the object in turn; answered at the dialog's own, once for the whole chain.
    if (key != QLatin1String("QDialog") || !object->isWidgetType() ||
        !object->property(frameProperty).toBool())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

} // namespace

void readAsFrame(QWidget* window) {
    QAccessible::installFactory(frameFactory);
    window->setProperty(frameProperty, true);
}

} // namespace qvmd
