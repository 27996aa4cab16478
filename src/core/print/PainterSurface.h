#pragma once

#include "core/print/PrintSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <optional>

class QPaintDevice;

namespace qvmd {

// A surface that draws with QPainter on any paint device: a page image for the preview, or a paged device
// (see PagedSurface). The painter starts with the first drawing, so settings made before it still apply.
class PainterSurface : public PrintSurface {
public:
    explicit PainterSurface(QPaintDevice& device) : device_(device) {}
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    int pixelWidth() const override;
    int pixelHeight() const override;
    double dpiX() const override;
    double dpiY() const override;

    void textOutRotated(QPoint pixel, const RotatedFont& font, const QString& text) override;
    QSize rotatedExtent(const RotatedFont& font, const QString& text) override;

    void endDoc() override;

    // The font as the device sees it.
    QFont qfont() const;

protected:
    QSizeF measure(const QString& line) override;
    void drawText(QPointF topLeft, const QString& line) override;
    void drawLine(QPointF from, QPointF to, QColor colour) override;
    void drawRect(const QRectF& rect) override;
    void drawArc(const QRectF& bounds, double startDegrees, double spanDegrees) override;
    void drawImage(const QRectF& target, const QImage& image) override;
    void fontChanged() override;

    // The active painter, started on first use; null (with the error set) when the device refuses it.
    QPainter* painter();
    bool painting() const { return painter_.isActive(); }
    void finishPainting();
    QPaintDevice& device() { return device_; }
    const QPaintDevice& device() const { return device_; }

private:
    void applyPen(QPainter& painter, QColor colour);
    static QFont rotatedQFont(const RotatedFont& font);

    QPaintDevice& device_;
    QPainter painter_;
    bool refused_ = false; // the device refused the painter: no retry until the document ends
    mutable std::optional<QFontMetricsF> metrics_;
    double lineHeight_ = 0;
    // The last text measured in the current font: a report measures a field to fit it to its column and
    // again to align it.
    QString lastMeasured_;
    double lastWidth_ = 0;
    bool fontApplied_ = false;
};

} // namespace qvmd
