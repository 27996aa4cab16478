#include "ui/kit/Background.h"

#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace qvmd {

namespace {

// Keeps a window's gradient matched to its client area. Windows paint their background while they are
// being built, often before their layout has given them their final size; without this the gradient
// would be cut off or tiled once the window takes that size.
class BackdropKeeper : public QObject {
public:
    BackdropKeeper(QWidget& window, BandColour colour) : QObject(&window), colour_(colour) {
        setObjectName(QStringLiteral("qvmd_backdrop"));
        window.installEventFilter(this);
    }

    void setColour(BandColour colour) { colour_ = colour; }

    void paint(QWidget& window) const {
        const QSize size = window.size().expandedTo(QSize(1, 1));
        QPixmap picture(size);
        QPainter painter(&picture);
        for (int band = 0; band < 256; ++band) {
            // The client height is 256 units; each band spans the pixel rows its edges round to.
            const int top = band * size.height() / 256;
            const int bottom = (band + 1) * size.height() / 256;
            if (bottom > top)
                painter.fillRect(QRect(0, top, size.width(), bottom - top), colour_(band));
        }
        painter.end();
        QPalette palette = window.palette();
        palette.setBrush(QPalette::Window, QBrush(picture));
        window.setPalette(palette);
        window.setAutoFillBackground(true);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched == parent())
            paint(*static_cast<QWidget*>(watched));
        return false;
    }

private:
    BandColour colour_;
};

} // namespace

void paintBackground(QWidget& window, BandColour colour) {
    // A layout with a fixed-size constraint sizes the window only when activated; do it now so that the
    // first painting already has the final size.
    if (QLayout* layout = window.layout())
        layout->activate();
    auto* keeper = dynamic_cast<BackdropKeeper*>(
        window.findChild<QObject*>(QStringLiteral("qvmd_backdrop"), Qt::FindDirectChildrenOnly));
    if (keeper)
        keeper->setColour(colour);
    else
        keeper = new BackdropKeeper(window, colour);
    keeper->paint(window);
}

} // namespace qvmd
