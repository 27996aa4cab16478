#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

// Qt sends accessibility events only while a screen reader's bridge is active; the offscreen platform
// has none, so the tests switch its plain one on themselves.
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <vector>

namespace qvmd::test {

// Records the accessibility events the program sends, as the bridge to a screen reader would get them,
// with no bus: for each, its kind, the object, the name the object had then and the text it carried.
class AccessibilityEvents {
public:
    struct Event {
        QAccessible::Event type;
        QPointer<QObject> object;
        QString name;     // the object's accessible name when the event was sent
        QString inserted; // text events: the text that came
        QString removed;  // and the text that went
        int child = -1;   // the child the event is about, if any (an item of a list)
    };

    AccessibilityEvents() {
        current() = this;
        QAccessible::installUpdateHandler(&AccessibilityEvents::record);
        if (QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
            platform->setActive(true);
    }
    ~AccessibilityEvents() {
        if (QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
            platform->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
        current() = nullptr;
    }
    AccessibilityEvents(const AccessibilityEvents&) = delete;
    AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

    // False where the platform has no accessibility at all; the tests then have nothing to hear.
    static bool available() { return QGuiApplicationPrivate::platformIntegration()->accessibility(); }

    void clear() { events_.clear(); }
    const std::vector<Event>& all() const { return events_; }
    std::vector<Event> of(const QObject* object, QAccessible::Event type) const {
        std::vector<Event> found;
        for (const Event& event : events_)
            if (event.object == object && event.type == type)
                found.push_back(event);
        return found;
    }
    // What a screen reader would have spoken from the object: the text each insertion or update brought.
    QStringList spoken(const QObject* object) const {
        QStringList texts;
        for (const Event& event : events_)
            if (event.object == object && !event.inserted.isEmpty())
                texts.append(event.inserted);
        return texts;
    }

private:
    static AccessibilityEvents*& current() {
        static AccessibilityEvents* instance = nullptr;
        return instance;
    }

    static void record(QAccessibleEvent* event) {
        AccessibilityEvents* self = current();
        if (!self)
            return;
        Event copy{event->type(), event->object(), {}, {}, {}, event->child()};
        if (QAccessibleInterface* iface = event->accessibleInterface(); iface && iface->isValid())
            copy.name = iface->text(QAccessible::Name);
        switch (event->type()) {
        case QAccessible::TextInserted:
            copy.inserted = static_cast<QAccessibleTextInsertEvent*>(event)->textInserted();
            break;
        case QAccessible::TextRemoved:
            copy.removed = static_cast<QAccessibleTextRemoveEvent*>(event)->textRemoved();
            break;
        case QAccessible::TextUpdated:
            copy.inserted = static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted();
            copy.removed = static_cast<QAccessibleTextUpdateEvent*>(event)->textRemoved();
            break;
        default:
            break;
        }
        self->events_.push_back(copy);
    }

    std::vector<Event> events_;
};

} // namespace qvmd::test
