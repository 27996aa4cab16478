#include "core/print/PainterSurface.h"

#include <QPaintDevice>

namespace qvmd {

PainterSurface::~PainterSurface() {
    if (painter_.isActive())
        painter_.end();
}

int PainterSurface::pixelWidth() const {
    return device_.width();
}

int PainterSurface::pixelHeight() const {
    return device_.height();
}

double PainterSurface::dpiX() const {
    return device_.logicalDpiX();
}

double PainterSurface::dpiY() const {
    return device_.logicalDpiY();
}

QFont PainterSurface::qfont() const {
    const SurfaceFont& f = font();
    QFont qf;
    qf.setFamilies(fontFamilies(f.name));
    qf.setPointSizeF(f.size);
    qf.setBold(f.bold);
    qf.setItalic(f.italic);
    qf.setUnderline(f.underline);
    qf.setStrikeOut(f.strikethru);
    return QFont(qf, &device_);
}

void PainterSurface::fontChanged() {
    metrics_.reset();
    lastMeasured_.clear();
    fontApplied_ = false;
}

QSizeF PainterSurface::measure(const QString& line) {
    if (!metrics_) {
        metrics_.emplace(qfont(), &device_);
        lineHeight_ = metrics_->lineSpacing();
        lastMeasured_.clear();
    }
    if (line.isEmpty())
        return {0.0, lineHeight_};
    if (line != lastMeasured_) {
        lastWidth_ = metrics_->horizontalAdvance(line);
        lastMeasured_ = line;
    }
    return {lastWidth_, lineHeight_};
}

QPainter* PainterSurface::painter() {
    if (painter_.isActive())
        return &painter_;
    if (refused_ || !painter_.begin(&device_)) {
        refused_ = true;
        fail(PrintError::PrinterError);
        return nullptr;
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    fontApplied_ = false;
    return &painter_;
}

void PainterSurface::finishPainting() {
    if (painter_.isActive())
        painter_.end();
    refused_ = false;
    fontApplied_ = false;
}

void PainterSurface::endDoc() {
    finishPainting();
    PrintSurface::endDoc();
}

void PainterSurface::applyPen(QPainter& painter, QColor colour) {
    const Qt::PenStyle style = penStyle(drawStyle());
    const QPen& current = painter.pen();
    if (current.color() == colour && current.style() == style && current.widthF() == drawWidth())
        return;
    QPen pen(colour, drawWidth(), style, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
}

void PainterSurface::drawText(QPointF topLeft, const QString& line) {
    QPainter* p = painter();
    if (!p || line.isEmpty())
        return;
    if (!fontApplied_) {
        p->setFont(qfont());
        fontApplied_ = true;
    }
    measure(QString());
    applyPen(*p, colour(foreColor()));
    p->drawText(QPointF(topLeft.x(), topLeft.y() + metrics_->ascent()), line);
}

void PainterSurface::drawLine(QPointF from, QPointF to, QColor colour) {
    if (QPainter* p = painter()) {
        applyPen(*p, colour);
        p->drawLine(from, to);
    }
}

void PainterSurface::drawRect(const QRectF& rect) {
    if (QPainter* p = painter()) {
        applyPen(*p, colour(foreColor()));
        p->setBrush(Qt::NoBrush);
        p->drawRect(rect);
    }
}

void PainterSurface::drawArc(const QRectF& bounds, double startDegrees, double spanDegrees) {
    if (QPainter* p = painter()) {
        applyPen(*p, colour(foreColor()));
        p->drawArc(bounds, qRound(startDegrees * 16), qRound(spanDegrees * 16));
    }
}

void PainterSurface::drawImage(const QRectF& target, const QImage& image) {
    if (QPainter* p = painter())
        p->drawImage(target, image);
}

QFont PainterSurface::rotatedQFont(const RotatedFont& font) {
    QFont qf;
    qf.setFamilies(fontFamilies(QString::fromLatin1(font.face)));
    qf.setPixelSize(font.height > 0 ? font.height : 1);
    qf.setWeight(QFont::Weight(qBound(1, font.weight > 0 ? font.weight : 400, 1000)));
    qf.setItalic(font.italic);
    qf.setUnderline(font.underline);
    qf.setStrikeOut(font.strikeOut);
    return qf;
}

void PainterSurface::textOutRotated(QPoint pixel, const RotatedFont& font, const QString& text) {
    QPainter* p = painter();
    if (!p || text.isEmpty())
        return;
    const QFont qf(rotatedQFont(font), &device_);
    p->save();
    p->setFont(qf);
    p->setPen(colour(foreColor()));
    p->translate(pixel);
    // Escapement turns counter-clockwise on the page; the painter's Y axis points down.
    p->rotate(-font.escapement / 10.0);
    p->drawText(QPointF(0, QFontMetricsF(qf, &device_).ascent()), text);
    p->restore();
    fontApplied_ = false;
}

QSize PainterSurface::rotatedExtent(const RotatedFont& font, const QString& text) {
    const QFontMetricsF metrics(QFont(rotatedQFont(font), &device_), &device_);
    return QSize(qRound(metrics.horizontalAdvance(text)), qRound(metrics.height()));
}

} // namespace qvmd
