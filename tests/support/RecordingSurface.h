#pragma once

#include "core/print/PrintSurface.h"

#include <vector>

namespace qvmd::test {

// A printer that draws nothing and records what it is asked to draw, with simple exact metrics: a
// character is 0.2 mm wide per point of font size and a line 0.4 mm high per point, so that widths in the
// tests are sums anyone can check. Positions are recorded in the surface's units (millimetres unless a
// user scale is set) and in pixels. The default 254 dots per inch make ten pixels a millimetre.
class RecordingSurface : public PrintSurface {
public:
    enum class Kind { Text, Line, Rect, Arc, Image, Rotated, NewPage, EndDoc };
    struct Op {
        Kind kind;
        QString text;
        double x = 0, y = 0, x2 = 0, y2 = 0; // text top-left; line ends; box corners; arc bounds
        SurfaceFont font;
        QColor colour;
        int style = 0;
        int width = 0;
        double start = 0, span = 0; // arc angles in degrees
        RotatedFont rotated;
        int page = 1;
        QPointF px; // where it starts, in device pixels
    };

    RecordingSurface(double dpi = 254, QPointF offsetPixels = {}, QSizeF paperMm = {210, 297})
        : dpi_(dpi), offset_(offsetPixels), paper_(paperMm) {}

    std::vector<Op> ops;
    int failNext = 0; // the next drawing fails with this error number

    std::vector<Op> texts() const { return only(Kind::Text); }
    std::vector<Op> only(Kind kind) const {
        std::vector<Op> out;
        for (const Op& op : ops)
            if (op.kind == kind)
                out.push_back(op);
        return out;
    }
    // The texts drawn on one page, in order.
    QStringList textsOn(int page) const {
        QStringList out;
        for (const Op& op : ops)
            if (op.kind == Kind::Text && op.page == page)
                out << op.text;
        return out;
    }

    // The drawable area is the paper less the offset on each side.
    int pixelWidth() const override { return int((paper_.width() / 25.4) * dpi_ - 2 * offset_.x()); }
    int pixelHeight() const override { return int((paper_.height() / 25.4) * dpi_ - 2 * offset_.y()); }
    double dpiX() const override { return dpi_; }
    double dpiY() const override { return dpi_; }
    QPointF physicalOffset() const override { return offset_; }

    void textOutRotated(QPoint pixel, const RotatedFont& f, const QString& text) override {
        Op op = make(Kind::Rotated);
        op.x = mmX(pixel.x());
        op.y = mmY(pixel.y());
        op.text = text;
        op.rotated = f;
        ops.push_back(op);
    }
    QSize rotatedExtent(const RotatedFont& f, const QString& text) override {
        return QSize(int(text.size() * f.height / 2), f.height);
    }

    void newPage() override {
        ops.push_back(make(Kind::NewPage));
        PrintSurface::newPage();
    }
    void endDoc() override {
        ops.push_back(make(Kind::EndDoc));
        PrintSurface::endDoc();
    }

protected:
    QSizeF measure(const QString& line) override {
        return {line.size() * font().size * 0.2 * dpi_ / 25.4, font().size * 0.4 * dpi_ / 25.4};
    }
    void drawText(QPointF topLeft, const QString& line) override {
        if (failed())
            return;
        Op op = make(Kind::Text);
        op.x = mmX(topLeft.x());
        op.y = mmY(topLeft.y());
        op.px = topLeft;
        op.text = line;
        ops.push_back(op);
    }
    void drawLine(QPointF from, QPointF to, QColor colour) override {
        if (failed())
            return;
        Op op = make(Kind::Line);
        op.x = mmX(from.x());
        op.y = mmY(from.y());
        op.x2 = mmX(to.x());
        op.y2 = mmY(to.y());
        op.colour = colour;
        ops.push_back(op);
    }
    void drawRect(const QRectF& rect) override {
        if (failed())
            return;
        Op op = make(Kind::Rect);
        op.x = mmX(rect.left());
        op.y = mmY(rect.top());
        op.x2 = mmX(rect.right());
        op.y2 = mmY(rect.bottom());
        ops.push_back(op);
    }
    void drawArc(const QRectF& bounds, double startDegrees, double spanDegrees) override {
        Op op = make(Kind::Arc);
        op.x = mmX(bounds.left());
        op.y = mmY(bounds.top());
        op.x2 = mmX(bounds.right());
        op.y2 = mmY(bounds.bottom());
        op.start = startDegrees;
        op.span = spanDegrees;
        ops.push_back(op);
    }
    void drawImage(const QRectF& target, const QImage&) override {
        Op op = make(Kind::Image);
        op.x = mmX(target.left());
        op.y = mmY(target.top());
        op.x2 = mmX(target.right());
        op.y2 = mmY(target.bottom());
        ops.push_back(op);
    }

private:
    bool failed() {
        if (!failNext)
            return false;
        fail(failNext);
        return true;
    }
    Op make(Kind kind) const {
        Op op{kind,        {},          0, 0, 0,  0,      font(), colour(foreColor()),
              drawStyle(), drawWidth(), 0, 0, {}, page(), {}};
        return op;
    }
    double mmX(double px) const { return px / pixelsPerUnitX(); }
    double mmY(double px) const { return px / pixelsPerUnitY(); }

    double dpi_;
    QPointF offset_;
    QSizeF paper_;
};

} // namespace qvmd::test
