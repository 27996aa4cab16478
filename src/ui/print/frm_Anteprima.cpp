#include "ui/print/frm_Anteprima.h"

#include "core/app/AppState.h"
#include "core/print/EasyPrint.h"
#include "core/print/PainterSurface.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/FormScale.h"
#include "ui/kit/Localise.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qvmd {

namespace {

constexpr double ScreenDpi = 96.0;
constexpr int Zooms[] = {50, 75, 100, 150, 200};

} // namespace

frm_Anteprima::frm_Anteprima(AppState& state, EasyPrint& engine, QWidget* parent)
    : FormDialog(parent), state_(state), engine_(engine) {
    setObjectName(QStringLiteral("frm_Anteprima"));
    setProperty("tag", QStringLiteral("1645"));
    setWindowTitle(QStringLiteral("Print preview"));
    allowCloseBox();
    // The page's room, as far as the screen holds it: a preview scrolls.
    const QSize room = formRoom(*this);
    resize(room.isEmpty() ? QSize(900, 760) : QSize(900, 760).boundedTo(room));

    cmd_First = makeButton(this, "cmd_First", QStringLiteral("|<"));
    cmd_Prev = makeButton(this, "cmd_Prev", QStringLiteral("<"));
    cmd_Next = makeButton(this, "cmd_Next", QStringLiteral(">"));
    cmd_Last = makeButton(this, "cmd_Last", QStringLiteral(">|"));
    setNameTag(cmd_First, "1423");
    setNameTag(cmd_Prev, "1424");
    setNameTag(cmd_Next, "1425");
    setNameTag(cmd_Last, "1426");
    lblPage = makeLabel(this, "lblPage", QString());
    lblPage->setMinimumWidth(140);
    lblPage->setAlignment(Qt::AlignCenter);
    auto* lblZoom = makeLabel(this, "lblZoom", QStringLiteral("Zoom"), "1648");
    cboZoom = new QComboBox(this);
    setNameTag(cboZoom, "1648");
    lblZoom->setBuddy(cboZoom);
    cboZoom->setObjectName(QStringLiteral("cboZoom"));
    for (const int zoom : Zooms)
        cboZoom->addItem(QStringLiteral("%1 %").arg(zoom), zoom);
    cboZoom->setCurrentIndex(2);
    cmd_Print = makeButton(this, "cmd_Print", QStringLiteral("Print"), "1647");
    cmd_Close = makeButton(this, "cmd_Close", QStringLiteral("Exit"), "1001");

    scroll_ = new QScrollArea(this);
    setNameTag(scroll_, "1427");
    scroll_->setObjectName(QStringLiteral("scrPage"));
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    picPage = makeLabel(scroll_, "picPage", QString());
    scroll_->setWidget(picPage);

    auto* bar = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{cmd_First, cmd_Prev, lblPage, cmd_Next, cmd_Last})
        bar->addWidget(w);
    bar->addSpacing(20);
    bar->addWidget(lblZoom);
    bar->addWidget(cboZoom);
    bar->addStretch();
    bar->addWidget(cmd_Print);
    bar->addWidget(cmd_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_);

    connect(cmd_First, &QPushButton::clicked, this, [this] { showPage(1); });
    connect(cmd_Prev, &QPushButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(cmd_Next, &QPushButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(cmd_Last, &QPushButton::clicked, this, [this] { showPage(engine_.PagineTotAnteprima()); });
    connect(cboZoom, &QComboBox::currentIndexChanged, this, [this] { showPage(page_); });
    connect(cmd_Print, &QPushButton::clicked, this, [this] { closeWith(QDialog::Accepted); });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { closeWith(QDialog::Rejected); });

    Localise(*this, *state_.strings, state_.LanguageOffset);
    showPage(1);
}

int frm_Anteprima::zoom() const {
    return cboZoom->currentData().toInt();
}

QImage frm_Anteprima::renderPage(int page, int zoom) const {
    const double pixelsPerMm = ScreenDpi / 25.4 * zoom / 100.0;
    // The drawable area is the page less both margins; the offsets are negative.
    const double areaWidth = engine_.PageWidth() + 2 * engine_.AreaNonStampabileX();
    const double areaHeight = engine_.PageHeight() + 2 * engine_.AreaNonStampabileY();
    const QSize paperSize(int(std::lround(engine_.PageWidth() * pixelsPerMm)),
                          int(std::lround(engine_.PageHeight() * pixelsPerMm)));
    QImage paper(paperSize, QImage::Format_ARGB32_Premultiplied);
    paper.fill(Qt::white);

    QImage area(QSize(int(std::lround(areaWidth * pixelsPerMm)), int(std::lround(areaHeight * pixelsPerMm))),
                QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = int(std::lround(ScreenDpi / 0.0254));
    area.setDotsPerMeterX(dotsPerMeter);
    area.setDotsPerMeterY(dotsPerMeter);
    area.fill(Qt::transparent);
    {
        PainterSurface surface(area);
        engine_.VisualizzaPaginaAnteprima(surface, page, zoom, 0, 0);
        surface.endDoc();
    }
    QPainter painter(&paper);
    painter.drawImage(
        QPointF(-engine_.AreaNonStampabileX() * pixelsPerMm, -engine_.AreaNonStampabileY() * pixelsPerMm),
        area);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(paper.rect().adjusted(0, 0, -1, -1));
    return paper;
}

void frm_Anteprima::showPage(int page) {
    const int total = engine_.PagineTotAnteprima();
    page_ = std::clamp(page, 1, std::max(total, 1));
    if (total > 0) {
        // Drawn for the screen's density, so that the page stays sharp where Qt scales the window.
        const qreal ratio = std::max<qreal>(1, picPage->devicePixelRatioF());
        QPixmap picture = QPixmap::fromImage(renderPage(page_, qRound(zoom() * ratio)));
        picture.setDevicePixelRatio(ratio);
        picPage->setPixmap(picture);
        picPage->adjustSize();
    }
    lblPage->setText(state_.text(1646, QStringLiteral("Page %1 of %2")).arg(page_).arg(total));
    cmd_First->setEnabled(page_ > 1);
    cmd_Prev->setEnabled(page_ > 1);
    cmd_Next->setEnabled(page_ < total);
    cmd_Last->setEnabled(page_ < total);
}

} // namespace qvmd
