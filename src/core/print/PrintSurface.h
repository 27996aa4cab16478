#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <cstdint>

namespace qvmd {

// The font of a surface as the engine sets it: face, size in points and styles.
struct SurfaceFont {
    QString name = QStringLiteral("Arial");
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;

    bool operator==(const SurfaceFont&) const = default;
};

// A logical font for text at an angle, in device pixels, as the rotator builds it.
struct RotatedFont {
    QByteArray face; // at most 31 bytes
    int height = 0;  // pixels
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int escapement = 0; // tenths of a degree, counter-clockwise

    bool operator==(const RotatedFont&) const = default;
};

// Error numbers the engine reports; the descriptions are the system's own, in Italian.
namespace PrintError {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfRange = 9;
inline constexpr int InvalidPicture = 481;
inline constexpr int PrinterError = 482;
QString description(int number);
} // namespace PrintError

// A drawing surface with a current point, a font, a colour, a line style and a scale, in the manner of a
// printer object: positions are in its scale units (millimetres unless a user scale is set) and printed
// text moves the current point one line down to the left edge. Subclasses supply the device: its size in
// pixels, its resolution and the primitive drawing in pixels.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    // Font, colour and line state.
    const SurfaceFont& font() const { return font_; }
    void setFontName(const QString& name);
    void setFontSize(double points);
    void setFontBold(bool on);
    void setFontItalic(bool on);
    void setFontUnderline(bool on);
    std::uint32_t foreColor() const { return foreColor_; }
    void setForeColor(std::uint32_t bgr) { foreColor_ = bgr; }
    int drawStyle() const { return drawStyle_; }
    void setDrawStyle(int style) { drawStyle_ = style; }
    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }

    // Current point in scale units.
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }

    // Scale: millimetres, or a user scale that maps the given width and height onto the whole surface.
    void setMillimetreScale();
    void setUserScale(double width, double height);
    bool hasUserScale() const { return userScale_; }
    double scaleWidth() const;
    double scaleHeight() const;
    double pixelsPerUnitX() const;
    double pixelsPerUnitY() const;

    // Text in the current font, in scale units; several lines measure the widest and all together.
    double textWidth(const QString& text);
    double textHeight(const QString& text);
    // Draws the text with its top at the current point; then the current point goes one line down to X 0.
    void print(const QString& text);

    // Lines, boxes and arcs in the fore colour (or the given one), style and width. Each leaves the
    // current point where it ends (an arc: at its centre).
    void line(double x1, double y1, double x2, double y2);
    void line(double x1, double y1, double x2, double y2, std::uint32_t bgr);
    void box(double x, double y, double width, double height);
    // Angles in radians counter-clockwise from the positive X axis; an end below the start wraps round.
    void arc(double cx, double cy, double radius, double start, double end);
    void picture(double x, double y, double width, double height, const QImage& image);

    // Text at an angle, in device pixels, with a logical font.
    virtual void textOutRotated(QPoint pixel, const RotatedFont& font, const QString& text) = 0;
    virtual QSize rotatedExtent(const RotatedFont& font, const QString& text) = 0;

    // The device.
    virtual int pixelWidth() const = 0;
    virtual int pixelHeight() const = 0;
    virtual double dpiX() const = 0;
    virtual double dpiY() const = 0;
    // Distance of the printable area's corner from the paper's edge, in pixels.
    virtual QPointF physicalOffset() const { return {}; }
    virtual int fontCount() const;
    virtual QString fontName(int index) const;

    // Job settings of a printer; a surface that is no printer keeps them without effect. Paper sizes are
    // the drivers' numeric paper codes (9 is A4); orientation 1 portrait, 2 landscape; quality negative for
    // the drivers' draft to high settings, positive for dots per inch; colour mode 1 monochrome, 2 colour.
    virtual int paperSize() const { return paperSize_; }
    virtual void setPaperSize(int code) { paperSize_ = code; }
    virtual int orientation() const { return orientation_; }
    virtual void setOrientation(int value) { orientation_ = value; }
    virtual int copies() const { return copies_; }
    virtual void setCopies(int count) { copies_ = count < 1 ? 1 : count; }
    virtual void setPrintQuality(int quality) { Q_UNUSED(quality); }
    virtual int colorMode() const { return colorMode_; }
    virtual void setColorMode(int mode) { colorMode_ = mode; }

    // Document control; the page number counts from 1 within a document.
    virtual void newPage();
    virtual void endDoc();
    virtual void killDoc();
    int page() const { return page_; }

    // The error of the last failed operation, cleared by reading it; 0 when none.
    int takeError() {
        const int error = error_;
        error_ = 0;
        return error;
    }

    // The families to ask for, the named one first, then a metric-compatible one that is installed here.
    static QStringList fontFamilies(const QString& name);
    static QColor colour(std::uint32_t bgr) {
        return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    }

protected:
    // Primitives in device pixels. measure returns the width and the line height of one line of text.
    virtual QSizeF measure(const QString& line) = 0;
    virtual void drawText(QPointF topLeft, const QString& line) = 0;
    virtual void drawLine(QPointF from, QPointF to, QColor colour) = 0;
    virtual void drawRect(const QRectF& rect) = 0;
    // Angles in degrees, counter-clockwise, span positive.
    virtual void drawArc(const QRectF& bounds, double startDegrees, double spanDegrees) = 0;
    virtual void drawImage(const QRectF& target, const QImage& image) = 0;
    // Called whenever the font changes, so that a subclass can drop what it measured.
    virtual void fontChanged() {}

    void fail(int number) { error_ = number; }
    QPointF toPixels(double x, double y) const { return {x * pixelsPerUnitX(), y * pixelsPerUnitY()}; }
    void setPage(int page) { page_ = page; }

private:
    SurfaceFont font_;
    std::uint32_t foreColor_ = 0;
    int drawStyle_ = 0;
    int drawWidth_ = 1;
    double currentX_ = 0;
    double currentY_ = 0;
    bool userScale_ = false;
    double userWidth_ = 0;
    double userHeight_ = 0;
    int page_ = 1;
    int error_ = 0;
    int paperSize_ = 9;
    int orientation_ = 1;
    int copies_ = 1;
    int colorMode_ = 2;
};

// Turns a line style (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none, 6 inside solid) into a pen.
Qt::PenStyle penStyle(int drawStyle);

} // namespace qvmd
