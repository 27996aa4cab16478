#include "ui/kit/LiveStatusLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <algorithm>

namespace qvmd {

namespace {

// How assistive technology sees the label: a status bar whose name and text are what it last said. Qt's
// own label interface has no text of its own, so a change of text would never reach a screen reader.
class LiveStatusAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LiveStatusAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::StatusBar) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return spoken();
        return QAccessibleWidget::text(kind);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // Read only, nothing selectable, no caret: only the text.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString all = spoken();
        const int from = std::clamp(startOffset, 0, static_cast<int>(all.size()));
        const int to = endOffset < 0 ? static_cast<int>(all.size())
                                     : std::clamp(endOffset, from, static_cast<int>(all.size()));
        return all.mid(from, to - from);
    }
    int characterCount() const override { return static_cast<int>(spoken().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QString spoken() const { return widget()->accessibleName(); }
};

QAccessibleInterface* liveStatusFactory(const QString& key, QObject* object) {
    if (key == QLatin1String(LiveStatusLabel::staticMetaObject.className()) && object->isWidgetType())
        return new LiveStatusAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

void send(QAccessibleEvent&& event) {
    QAccessible::updateAccessibility(&event);
}

} // namespace

LiveStatusLabel::LiveStatusLabel(QWidget* parent) : QLabel(parent) {
    // Before anything asks for this label's interface, which Qt then keeps.
    QAccessible::installFactory(liveStatusFactory);
    setFocusPolicy(Qt::NoFocus);
}

void LiveStatusLabel::announce(const QString& text, Repeat repeat) {
    const QString before = accessibleName();
    if (text == before && (repeat == Repeat::IfChanged || text.isEmpty()))
        return;
    // Setting the name tells of its change; saying the same again needs the telling by hand.
    if (text != before)
        setAccessibleName(text);
    else
        send(QAccessibleEvent(this, QAccessible::NameChanged));
    if (before.isEmpty())
        send(QAccessibleTextInsertEvent(this, 0, text));
    else if (text.isEmpty())
        send(QAccessibleTextRemoveEvent(this, 0, before));
    else
        send(QAccessibleTextUpdateEvent(this, 0, before, text));
}

} // namespace qvmd
