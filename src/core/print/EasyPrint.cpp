#include "core/print/EasyPrint.h"

#include "core/common/StringTable.h"
#include "core/print/PrintErrorReporter.h"
#include "core/print/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace qvmd {

namespace {

constexpr double Pi = 3.14159265;

// Whole numbers as the engine's integer arguments take them: halves to even.
int toInt(double value) {
    return int(std::nearbyint(value));
}

} // namespace

EasyPrint::EasyPrint(PrintSurface& printer) : printer_(printer), out_(&printer) {
    printer_.setMillimetreScale();
    CalcolaAreaNonStampabile();
    printer_.setCurrentX(offsetX_);
    printer_.setCurrentY(offsetY_);
    rotator_.Device(&printer_);
}

EasyPrint::~EasyPrint() = default;

void EasyPrint::CalcolaAreaNonStampabile() {
    const QPointF offset = printer_.physicalOffset();
    offsetX_ = printer_.dpiX() > 0 ? offset.x() * -25.4 / printer_.dpiX() : 0;
    offsetY_ = printer_.dpiY() > 0 ? offset.y() * -25.4 / printer_.dpiY() : 0;
}

void EasyPrint::check() {
    int error = out_->takeError();
    if (out_ != &printer_) {
        if (const int printerError = printer_.takeError(); !error)
            error = printerError;
    }
    if (error)
        SegnalaErrore(error);
}

void EasyPrint::SegnalaErrore(int number) {
    if (number == 0 || silenced_)
        return;
    if (reporter_) {
        const QString text =
            builtInText(1766, 0) + QLatin1Char('\n') + builtInText(1767, 0) + QStringLiteral("\n%2");
        reporter_->critical(QStringLiteral("EasyPrint"),
                            text.arg(number).arg(PrintError::description(number)));
    }
    lastError_ = number;
    if (reporter_ && !reporter_->ask(QStringLiteral("EasyPrint"), builtInText(1768, 0)))
        silenced_ = true;
}

bool EasyPrint::RegistraComando(int code, const QVariant& p1, const QVariant& p2, const QVariant& p3,
                                const QVariant& p4, const QVariant& p5) {
    if (!previewOn_)
        return false;
    ClsComandi command;
    command.Comando = std::int16_t(code);
    command.P1 = p1;
    command.P2 = p2;
    command.P3 = p3;
    command.P4 = p4;
    command.P5 = p5;
    pages_.record(command);
    return true;
}

void EasyPrint::setAnteprima(bool on) {
    if (on) {
        pages_.start();
    } else {
        pages_.stop();
        out_ = &printer_;
        rotator_.Device(&printer_);
    }
    previewOn_ = on;
}

void EasyPrint::setSpaziaturaLinea(double spacing) {
    RegistraComando(Comando::SpaziaturaLinea, spacing);
    lineSpacing_ = spacing == 0 ? 1 : spacing;
}

int EasyPrint::FontSize() const {
    return toInt(out_->font().size);
}

void EasyPrint::setFontSize(int points) {
    RegistraComando(Comando::FontSize, points);
    out_->setFontSize(points);
}

QString EasyPrint::FontName() const {
    return out_->font().name;
}

void EasyPrint::setFontName(const QString& name) {
    RegistraComando(Comando::FontName, name);
    out_->setFontName(name);
}

bool EasyPrint::FontBold() const {
    return out_->font().bold;
}

void EasyPrint::setFontBold(bool on) {
    RegistraComando(Comando::FontBold, on);
    out_->setFontBold(on);
}

bool EasyPrint::FontItalic() const {
    return out_->font().italic;
}

void EasyPrint::setFontItalic(bool on) {
    RegistraComando(Comando::FontItalic, on);
    out_->setFontItalic(on);
}

bool EasyPrint::FontUnderLine() const {
    return out_->font().underline;
}

void EasyPrint::setFontUnderLine(bool on) {
    RegistraComando(Comando::FontUnderLine, on);
    out_->setFontUnderline(on);
}

std::int32_t EasyPrint::ForeColor() const {
    return std::int32_t(out_->foreColor());
}

void EasyPrint::setForeColor(std::int32_t bgr) {
    RegistraComando(Comando::ForeColor, bgr);
    out_->setForeColor(std::uint32_t(bgr));
}

int EasyPrint::PaperSize() const {
    return printer_.paperSize();
}

void EasyPrint::setPaperSize(std::int32_t code) {
    printer_.setPaperSize(code);
    check();
}

int EasyPrint::Copies() const {
    return printer_.copies();
}

void EasyPrint::setCopies(int count) {
    printer_.setCopies(count);
}

void EasyPrint::setPrintQuality(std::int32_t quality) {
    printer_.setPrintQuality(quality);
}

void EasyPrint::setColorMode(std::int32_t mode) {
    printer_.setColorMode(mode);
}

void EasyPrint::setOrientation(std::int32_t orientation) {
    printer_.setOrientation(orientation);
    check();
}

void EasyPrint::setDrawStyle(std::int32_t style) {
    RegistraComando(Comando::DrawStyle, style);
    out_->setDrawStyle(style);
}

void EasyPrint::setDrawWidth(int pixels) {
    RegistraComando(Comando::DrawWidth, pixels);
    out_->setDrawWidth(pixels);
}

double EasyPrint::CurrentX() const {
    return out_->currentX() - offsetX_;
}

void EasyPrint::setCurrentX(double x) {
    RegistraComando(Comando::CurrentX, x);
    out_->setCurrentX(offsetX_ + x);
}

double EasyPrint::CurrentY() const {
    return out_->currentY() - offsetY_;
}

void EasyPrint::setCurrentY(double y) {
    RegistraComando(Comando::CurrentY, y);
    out_->setCurrentY(offsetY_ + y);
}

int EasyPrint::FontCount() const {
    return out_->fontCount();
}

QString EasyPrint::Fonts(int index) const {
    return printer_.fontName(index);
}

double EasyPrint::PageHeight() const {
    return printer_.scaleHeight() - 2 * offsetY_;
}

double EasyPrint::PageWidth() const {
    return printer_.scaleWidth() - 2 * offsetX_;
}

int EasyPrint::Page() const {
    if (pages_.isOpen())
        return int(pages_.count()) + 1;
    return out_->page();
}

std::int32_t EasyPrint::PagineTotAnteprima() const {
    return pages_.count();
}

double EasyPrint::TextWidth(const QString& text) const {
    return out_->textWidth(text);
}

double EasyPrint::TextHeight(const QString& text) const {
    return out_->textHeight(text);
}

QString EasyPrint::AdattaTesto(QString& text, int maxWidth, bool keepLeft) const {
    return fitText(text, maxWidth, keepLeft, [this](const QString& t) { return out_->textWidth(t); });
}

void EasyPrint::printAligned(int code, double x, double y, QString& text, double indent, int maxWidth) {
    const int lines = countLines(text);
    const bool keepLeft = code != Comando::PrintRight;
    // A negative X or Y leaves that coordinate where the previous output left it.
    const auto place = [&](double lineX, QString& line, int index) {
        if (maxWidth > 0)
            AdattaTesto(line, maxWidth, keepLeft);
        if (x >= 0) {
            if (code == Comando::PrintLeft)
                out_->setCurrentX(lineX + offsetX_);
            else if (code == Comando::PrintRight)
                out_->setCurrentX(lineX + offsetX_ - out_->textWidth(line));
            else
                out_->setCurrentX(lineX + offsetX_ - out_->textWidth(line) / 2);
        }
        if (y >= 0)
            out_->setCurrentY(y + offsetY_ + index * out_->textHeight(line) + index * lineSpacing_);
        out_->print(line);
    };
    const double firstX = code == Comando::PrintLeft    ? x + indent
                          : code == Comando::PrintRight ? x - indent
                                                        : x;
    if (lines == 0) {
        place(firstX, text, 0);
    } else {
        for (int i = 0; i <= lines; ++i) {
            QString line = extractLine(text, i);
            place(i == 0 ? firstX : x, line, i);
        }
    }
    check();
}

void EasyPrint::PrintLeft(double x, double y, QString& text, double indent, int maxWidth) {
    if (RegistraComando(Comando::PrintLeft, x, y, text, indent, maxWidth))
        return;
    printAligned(Comando::PrintLeft, x, y, text, indent, maxWidth);
}

void EasyPrint::PrintLeft(double x, double y, const QString& text, double indent, int maxWidth) {
    QString copy = text;
    PrintLeft(x, y, copy, indent, maxWidth);
}

void EasyPrint::PrintRight(double x, double y, QString& text, double indent, int maxWidth) {
    if (RegistraComando(Comando::PrintRight, x, y, text, indent, maxWidth))
        return;
    printAligned(Comando::PrintRight, x, y, text, indent, maxWidth);
}

void EasyPrint::PrintRight(double x, double y, const QString& text, double indent, int maxWidth) {
    QString copy = text;
    PrintRight(x, y, copy, indent, maxWidth);
}

void EasyPrint::PrintCentre(double x, double y, QString& text, int maxWidth) {
    if (RegistraComando(Comando::PrintCentre, x, y, text, maxWidth))
        return;
    printAligned(Comando::PrintCentre, x, y, text, 0, maxWidth);
}

void EasyPrint::PrintCentre(double x, double y, const QString& text, int maxWidth) {
    QString copy = text;
    PrintCentre(x, y, copy, maxWidth);
}

void EasyPrint::StampaA(double x, double y, const QString& text) {
    if (RegistraComando(Comando::StampaA, x, y, text))
        return;
    out_->setCurrentX(x + offsetX_);
    out_->setCurrentY(y + offsetY_);
    out_->print(text);
    check();
}

void EasyPrint::PrintIncasellato(double x, double y, const QString& text, double& cellWidth) {
    if (RegistraComando(Comando::PrintIncasellato, x, y, text, cellWidth))
        return;
    if (cellWidth <= 0)
        cellWidth = out_->textWidth(QStringLiteral("X"));
    double at = x;
    for (const QChar c : text) {
        StampaA(at, y, QString(c));
        at += cellWidth;
        if (at + cellWidth > PageWidth())
            break;
    }
}

void EasyPrint::StampaRigaGiustificata(double x, double y, int width, const QString& text) {
    if (RegistraComando(Comando::StampaRigaGiustificata, x, y, width, text))
        return;
    const auto widthOf = [this](const QString& t) { return out_->textWidth(t); };
    for (const PlacedWord& placed : justifyLine(x, width, text, widthOf))
        StampaA(placed.x, y, placed.word);
}

QString EasyPrint::RiempiColonna(double x, double y, const QString& text, int columnWidth, int columnHeight) {
    const double lineStep = out_->textHeight(QStringLiteral("X")) + lineSpacing_;
    double bottom;
    if (columnHeight <= 0) {
        bottom = out_->scaleHeight() + offsetY_ - lineStep;
    } else {
        bottom = offsetY_ + y + columnHeight;
        if (bottom > PageHeight() - lineStep)
            bottom = PageHeight() - lineStep;
    }
    bottom = std::nearbyint(bottom);

    const ColumnFill fill = fillColumn(text, y, columnWidth, lineStep, bottom,
                                       [this](const QString& t) { return out_->textWidth(t); });
    for (const ColumnLine& line : fill.lines) {
        if (line.justified)
            StampaRigaGiustificata(x, line.y, columnWidth, line.text);
        else
            StampaA(x, line.y, line.text);
    }
    return fill.rest;
}

void EasyPrint::PrintIncolonnato(double x, double y, const QString& text, double& columnTop, int columnWidth,
                                 int unused, int gap, int newPageX, int newPageY) {
    Q_UNUSED(unused);
    QString rest = text;
    while (!rest.isEmpty()) {
        rest = RiempiColonna(x, y, rest, columnWidth, 0);
        if (rest.isEmpty())
            break;
        x = x + columnWidth + gap;
        y = columnTop;
        if (x + columnWidth > PageWidth()) {
            columnTop = newPageY;
            x = newPageX;
            y = newPageY;
            NewPage();
        }
    }
}

void EasyPrint::PrintRuotato(double x, double y, int angle, const QString& text) {
    if (RegistraComando(Comando::PrintRuotato, x, y, angle, text))
        return;
    rotator_.Device(out_);
    out_->setCurrentX(x + offsetX_);
    out_->setCurrentY(y + offsetY_);
    rotator_.setAngle(angle);
    rotator_.PrintText(text);
    check();
}

void EasyPrint::PrintShape(double x, double y, double width, double height) {
    double radius = 0;
    PrintShape(x, y, width, height, radius);
}

void EasyPrint::PrintShape(double x, double y, double width, double height, double& radius) {
    if (RegistraComando(Comando::PrintShape, x, y, width, height, radius))
        return;
    const double x0 = x + offsetX_;
    const double y0 = y + offsetY_;
    if (radius <= 0) {
        out_->box(x0, y0, width, height);
    } else {
        const double half = std::min(width, height) / 2;
        if (radius > half)
            radius = half;
        const double r = radius;
        // Each piece starts where the one before it ended, as a pen going round the box.
        out_->line(x0 + r, y0, x0 + width - r, y0);
        out_->arc(x0 + width - r, y0 + r, r, 0, Pi / 2);
        out_->line(x0 + width, y0 + r, x0 + width, y0 + height - r);
        out_->arc(x0 + width - r, y0 + height - r, r, 9.42477795 / 2, 0);
        out_->line(x0 + width - r, y0 + height, x0 + r, y0 + height);
        out_->arc(x0 + r, y0 + height - r, r, Pi, 9.42477795 / 2);
        out_->line(x0, y0 + height - r, x0, y0 + r);
        out_->arc(x0 + r, y0 + r, r, Pi / 2, Pi);
        out_->setCurrentX(x0 + width);
        out_->setCurrentY(y0 + height);
    }
    check();
}

void EasyPrint::PrintPicture(double x, double y, const QImage& picture, double height, double width) {
    // The picture's own size in millimetres, from its resolution.
    const double ownWidth = picture.isNull() || picture.dotsPerMeterX() <= 0
                                ? 0
                                : picture.width() * 1000.0 / picture.dotsPerMeterX();
    const double ownHeight = picture.isNull() || picture.dotsPerMeterY() <= 0
                                 ? 0
                                 : picture.height() * 1000.0 / picture.dotsPerMeterY();
    if (RegistraComando(Comando::PrintPicture, x, y, picture, height > 0 ? height : ownHeight,
                        width > 0 ? width : ownWidth))
        return;
    double drawnWidth = ownWidth;
    double drawnHeight = ownHeight;
    if (height > 0 && width > 0) {
        drawnWidth = width;
        drawnHeight = height;
    } else if (height == 0 && width > 0) {
        drawnWidth = width;
    } else if (height > 0 && width == 0) {
        drawnHeight = height;
    }
    out_->picture(x + offsetX_, y + offsetY_, drawnWidth, drawnHeight, picture);
    check();
}

void EasyPrint::PrintGriglia(std::int32_t step) {
    if (RegistraComando(Comando::PrintGriglia, step))
        return;
    if (step <= 0)
        return; // a grid without a step would never end
    const int style = out_->drawStyle();
    out_->setDrawStyle(2);
    const int height = toInt(out_->scaleHeight());
    const int width = toInt(out_->scaleWidth());
    const int ox = toInt(offsetX_);
    const int oy = toInt(offsetY_);
    const auto colour = std::uint32_t(ColoreGrigliaAnteprima);
    for (int y = 0; y <= height; y += step)
        out_->line(ox, oy + y, width, oy + y, colour);
    for (int x = 0; x <= width; x += step)
        out_->line(ox + x, oy, ox + x, height, colour);
    out_->setDrawStyle(style);
    out_->takeError(); // a grid line that fails is left out
}

void EasyPrint::NewPage() {
    if (previewOn_) {
        RegistraComando(Comando::NewPage);
        pages_.breakPage();
    } else if (!pages_.isOpen()) {
        out_->newPage();
        check();
    }
}

void EasyPrint::EndDoc() {
    lastError_ = 0;
    silenced_ = false;
    if (previewOn_) {
        pages_.finish();
    } else {
        printer_.endDoc();
        check();
        // What the end of the job reported belongs to this document only.
        lastError_ = 0;
        silenced_ = false;
    }
}

void EasyPrint::KillDoc() {
    printer_.killDoc();
}

} // namespace qvmd
