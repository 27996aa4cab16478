#include "core/print/PrintSurface.h"

#include "core/common/StringTable.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qvmd {

QString PrintError::description(int number) {
    // The engine speaks Italian only, as the system's own messages did.
    switch (number) {
    case InvalidCall:
        return builtInText(1760, 0);
    case Overflow:
        return builtInText(1761, 0);
    case OutOfRange:
        return builtInText(1762, 0);
    case InvalidPicture:
        return builtInText(1763, 0);
    case PrinterError:
        return builtInText(1764, 0);
    default:
        return builtInText(1765, 0);
    }
}

Qt::PenStyle penStyle(int drawStyle) {
    switch (drawStyle) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

QStringList PrintSurface::fontFamilies(const QString& name) {
    // The report names the fonts of the system it was drawn for; these are their metric-compatible kin.
    static const QHash<QString, QString> kin = {
        {QStringLiteral("comic sans ms"), QStringLiteral("Comic Neue")},
        {QStringLiteral("ms sans serif"),
         QStringLiteral("Liberation Sans")}, // narrow enough for the report's columns
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
    };
    QStringList families{name};
    const auto found = kin.find(name.toLower());
    if (found != kin.end())
        families.append(found.value());
    return families;
}

void PrintSurface::setFontName(const QString& name) {
    if (font_.name == name)
        return;
    font_.name = name;
    fontChanged();
}

void PrintSurface::setFontSize(double points) {
    if (points <= 0 || font_.size == points)
        return;
    font_.size = points;
    fontChanged();
}

void PrintSurface::setFontBold(bool on) {
    if (font_.bold == on)
        return;
    font_.bold = on;
    fontChanged();
}

void PrintSurface::setFontItalic(bool on) {
    if (font_.italic == on)
        return;
    font_.italic = on;
    fontChanged();
}

void PrintSurface::setFontUnderline(bool on) {
    if (font_.underline == on)
        return;
    font_.underline = on;
    fontChanged();
}

void PrintSurface::setMillimetreScale() {
    userScale_ = false;
}

void PrintSurface::setUserScale(double width, double height) {
    if (width <= 0 || height <= 0) {
        fail(PrintError::InvalidCall);
        return;
    }
    userScale_ = true;
    userWidth_ = width;
    userHeight_ = height;
}

double PrintSurface::pixelsPerUnitX() const {
    return userScale_ ? pixelWidth() / userWidth_ : dpiX() / 25.4;
}

double PrintSurface::pixelsPerUnitY() const {
    return userScale_ ? pixelHeight() / userHeight_ : dpiY() / 25.4;
}

double PrintSurface::scaleWidth() const {
    return userScale_ ? userWidth_ : pixelWidth() / pixelsPerUnitX();
}

double PrintSurface::scaleHeight() const {
    return userScale_ ? userHeight_ : pixelHeight() / pixelsPerUnitY();
}

double PrintSurface::textWidth(const QString& text) {
    if (!text.contains(QLatin1Char('\n')))
        return measure(text.endsWith(QLatin1Char('\r')) ? text.chopped(1) : text).width() / pixelsPerUnitX();
    double widest = 0;
    for (const QString& part : text.split(QLatin1Char('\n')))
        widest = std::max(widest, measure(part.endsWith(QLatin1Char('\r')) ? part.chopped(1) : part).width());
    return widest / pixelsPerUnitX();
}

double PrintSurface::textHeight(const QString& text) {
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    return lines * measure(QString()).height() / pixelsPerUnitY();
}

void PrintSurface::print(const QString& text) {
    drawText(toPixels(currentX_, currentY_), text);
    currentY_ += measure(QString()).height() / pixelsPerUnitY();
    currentX_ = 0;
}

void PrintSurface::line(double x1, double y1, double x2, double y2) {
    line(x1, y1, x2, y2, foreColor_);
}

void PrintSurface::line(double x1, double y1, double x2, double y2, std::uint32_t bgr) {
    drawLine(toPixels(x1, y1), toPixels(x2, y2), colour(bgr));
    currentX_ = x2;
    currentY_ = y2;
}

void PrintSurface::box(double x, double y, double width, double height) {
    const QPointF from = toPixels(x, y);
    const QPointF to = toPixels(x + width, y + height);
    // A box without width or height is a rule.
    if (width == 0 || height == 0)
        drawLine(from, to, colour(foreColor_));
    else
        drawRect(QRectF(from, to).normalized());
    currentX_ = x + width;
    currentY_ = y + height;
}

void PrintSurface::arc(double cx, double cy, double radius, double start, double end) {
    constexpr double degrees = 180.0 / std::numbers::pi;
    double span = end - start;
    if (span < 0)
        span += 2 * std::numbers::pi;
    const double rx = radius * pixelsPerUnitX();
    const double ry = radius * pixelsPerUnitY();
    const QPointF centre = toPixels(cx, cy);
    drawArc(QRectF(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry), start * degrees, span * degrees);
    currentX_ = cx;
    currentY_ = cy;
}

void PrintSurface::picture(double x, double y, double width, double height, const QImage& image) {
    if (image.isNull()) {
        fail(PrintError::InvalidPicture);
        return;
    }
    drawImage(QRectF(toPixels(x, y), toPixels(x + width, y + height)), image);
    currentX_ = x + width;
    currentY_ = y + height;
}

int PrintSurface::fontCount() const {
    return qGuiApp ? int(QFontDatabase::families().size()) : 0;
}

QString PrintSurface::fontName(int index) const {
    if (!qGuiApp)
        return {};
    const QStringList families = QFontDatabase::families();
    return index >= 0 && index < families.size() ? families.at(index) : QString();
}

void PrintSurface::newPage() {
    ++page_;
    currentX_ = 0;
    currentY_ = 0;
}

void PrintSurface::endDoc() {
    page_ = 1;
    currentX_ = 0;
    currentY_ = 0;
}

void PrintSurface::killDoc() {
    endDoc();
}

} // namespace qvmd
