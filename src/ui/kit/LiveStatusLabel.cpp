#include "ui/kit/LiveStatusLabel.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QResizeEvent>
#include <QTextDocument>

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
    QString spoken() const { return static_cast<const LiveStatusLabel*>(widget())->spokenText(); }
};

const QString noticeName = QStringLiteral("liveStatusNotice");

// The notification inside the status bar: its name is what the label said last. A notification in a
// status bar is read without its role's name, so only the words are heard.
class NoticeAccessible : public QAccessibleWidget {
public:
    explicit NoticeAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return static_cast<const LiveStatusLabel*>(widget()->parentWidget())->spokenText();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* liveStatusFactory(const QString& key, QObject* object) {
    if (!object->isWidgetType())
        return nullptr;
    if (key == QLatin1String(LiveStatusLabel::staticMetaObject.className()))
        return new LiveStatusAccessible(static_cast<QWidget*>(object));
    if (key == QLatin1String("QWidget") && object->objectName() == noticeName &&
        qobject_cast<LiveStatusLabel*>(object->parent()))
        return new NoticeAccessible(static_cast<QWidget*>(object));
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
    // A label without an accessible name tells of every change of its text; what this one says is
    // spokenText(), never the name set here.
    setAccessibleName(QStringLiteral("live status"));
    notice_ = new QWidget(this);
    notice_->setObjectName(noticeName);
    notice_->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice_->setFocusPolicy(Qt::NoFocus);
    notice_->hide();
}

void LiveStatusLabel::showRichText(const QString& html) {
    if (rich_ == nullptr) {
        rich_ = new QTextDocument(this);
        rich_->setDocumentMargin(0);
    }
    rich_->setDefaultFont(font());
    rich_->setHtml(html);
    update();
}

QString LiveStatusLabel::shownText() const {
    return rich_ == nullptr ? QString() : rich_->toPlainText();
}

void LiveStatusLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (rich_ == nullptr || rich_->isEmpty())
        return;
    const QRect area = contentsRect();
    QPainter painter(this);
    painter.setClipRect(area);
    painter.translate(area.left(), area.top() + (area.height() - rich_->size().height()) / 2);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.palette.setColor(QPalette::Text, palette().color(foregroundRole()));
    rich_->documentLayout()->draw(&painter, context);
}

void LiveStatusLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    notice_->setGeometry(rect());
}

void LiveStatusLabel::announce(const QString& text, Repeat repeat) {
    const QString before = spoken_;
    if (text == before && (repeat == Repeat::IfChanged || text.isEmpty()))
        return;
    spoken_ = text;
    if (text != before)
        send(QAccessibleEvent(this, QAccessible::NameChanged));
    if (before.isEmpty())
        send(QAccessibleTextInsertEvent(this, 0, text));
    else if (text.isEmpty())
        send(QAccessibleTextRemoveEvent(this, 0, before));
    else
        send(QAccessibleTextUpdateEvent(this, 0, before, text));
    // Shown anew for every announcement: that is what a screen reader speaks. Silence hides it, so a
    // window that opens with the label says nothing of it.
    if (text.isEmpty())
        notice_->hide();
    else if (notice_->isHidden())
        notice_->show();
    else if (isVisible())
        send(QAccessibleEvent(notice_, QAccessible::ObjectShow));
}

} // namespace qvmd
