#include "ui/kit/SpokenChoice.h"

#include "ui/kit/LiveStatusLabel.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace qvmd {

namespace {

// Calls the handler after each focus the watched control takes, once the focus change has been told.
class FocusWatch : public QObject {
public:
    FocusWatch(QWidget& control, std::function<void()> handler)
        : QObject(&control), handler_(std::move(handler)) {
        control.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            // Qt tells of the focus after the focus event: what is said here must come after it.
            QPointer<QWidget> control = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, this, [this, control] {
                if (control && control->hasFocus())
                    handler_();
            });
        }
        return false;
    }

private:
    std::function<void()> handler_;
};

} // namespace

void speakChoice(QComboBox& box) {
    // The notification inside the box, too small to be seen.
    auto* voice = new LiveStatusLabel(&box);
    voice->setObjectName(QStringLiteral("choiceVoice"));
    voice->setGeometry(0, 0, 1, 1);
    const auto say = [&box, voice] {
        if (!box.currentText().isEmpty())
            voice->announce(box.currentText(), LiveStatusLabel::Repeat::Always);
    };
    QObject::connect(&box, &QComboBox::currentIndexChanged, voice, [&box, say] {
        // With the list open, the list's own item is read.
        if (box.hasFocus() && !box.view()->isVisible())
            say();
    });
    if (!box.isEditable())
        new FocusWatch(box, say);
}

void speakCurrentItem(QAbstractItemView& list) {
    new FocusWatch(list, [&list] {
        QAbstractItemModel* model = list.model();
        if (model == nullptr || model->rowCount(list.rootIndex()) == 0)
            return;
        if (!list.currentIndex().isValid())
            list.selectionModel()->setCurrentIndex(model->index(0, 0, list.rootIndex()),
                                                   QItemSelectionModel::NoUpdate);
        QAccessibleEvent event(&list, QAccessible::Focus);
        event.setChild(list.currentIndex().row());
        QAccessible::updateAccessibility(&event);
    });
}

} // namespace qvmd
