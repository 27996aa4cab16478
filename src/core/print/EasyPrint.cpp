#include "core/print/EasyPrint.h"

#include "core/print/PrintErrorReporter.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace qvmd {

namespace {

constexpr double Pi = 3.14159265;

bool isAlfanumerico(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9');
}

// Whole numbers as the engine's integer arguments take them: halves to even.
int toInt(double value) {
    return int(std::nearbyint(value));
}

QString collapseSpaces(QString text) {
    text = text.trimmed();
    while (text.contains(QLatin1String("  ")))
        text.replace(QLatin1String("  "), QLatin1String(" "));
    return text;
}

// Spaces only, as the line helpers trim; tabs and other blanks stay.
QString trimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
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
        reporter_->critical(QStringLiteral("EasyPrint"), QStringLiteral("Errore nella routine di stampa\n"
                                                                        "Errore numero: %1\n%2")
                                                             .arg(number)
                                                             .arg(PrintError::description(number)));
    }
    lastError_ = number;
    if (reporter_ &&
        !reporter_->ask(QStringLiteral("EasyPrint"), QStringLiteral("Visualizzare ulteriori errori ?")))
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
    currentPage_->Param.push_back(std::move(command));
    return true;
}

void EasyPrint::setAnteprima(bool on) {
    if (on) {
        pages_.clear();
        hasPages_ = true;
        currentPage_ = std::make_shared<ClsPagina>();
        previewDocOpen_ = true;
    } else {
        pages_.clear();
        hasPages_ = false;
        currentPage_.reset();
        out_ = &printer_;
        rotator_.Device(&printer_);
        previewDocOpen_ = false;
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
    if (previewDocOpen_)
        return int(pages_.size()) + 1;
    return out_->page();
}

std::int32_t EasyPrint::PagineTotAnteprima() const {
    return hasPages_ ? std::int32_t(pages_.size()) : 0;
}

double EasyPrint::TextWidth(const QString& text) const {
    return out_->textWidth(text);
}

double EasyPrint::TextHeight(const QString& text) const {
    return out_->textHeight(text);
}

int EasyPrint::ContaRighe(const QString& text) {
    return int(text.count(QLatin1Char('\r')));
}

QString EasyPrint::EstraiRiga(const QString& text, int line) {
    qsizetype at = 0;
    QString rest = text;
    for (int n = 0;; ++n) {
        qsizetype end = rest.indexOf(QLatin1Char('\r'));
        if (end < 0)
            end = rest.size();
        if (n == line)
            return trimSpaces(rest.left(end));
        if (end >= rest.size())
            return {};
        at = end + 1;
        if (at < rest.size() && rest.at(at) == QLatin1Char('\n'))
            ++at;
        rest = trimSpaces(rest.mid(at));
    }
}

QString EasyPrint::AdattaTesto(QString& text, int maxWidth, bool keepLeft) const {
    while (!text.isEmpty() && out_->textWidth(text) > maxWidth) {
        if (keepLeft)
            text.chop(1);
        else
            text.remove(0, 1);
    }
    return text;
}

void EasyPrint::printAligned(int code, double x, double y, QString& text, double indent, int maxWidth) {
    const int lines = ContaRighe(text);
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
            QString line = EstraiRiga(text, i);
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
    const QString line = collapseSpaces(text);
    const double slack = width - out_->textWidth(line);
    const QStringList words = line.split(QLatin1Char(' '));
    const qsizetype gaps = words.size() - 1;
    const double space = gaps > 0 ? out_->textWidth(QStringLiteral(" ")) + slack / gaps : 0;
    double at = x;
    for (const QString& word : words) {
        StampaA(at, y, word);
        at += out_->textWidth(word) + space;
    }
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

    const QStringList lines = text.split(QStringLiteral("\r\n"));
    const auto joinFrom = [&lines](qsizetype first) {
        return first < lines.size() ? lines.mid(first).join(QStringLiteral("\r\n")) : QString();
    };
    double at = y;
    for (qsizetype li = 0; li < lines.size(); ++li) {
        const QString& source = lines.at(li);
        QString buffer;
        QString carried;
        for (qsizetype ci = 0; ci < source.size(); ++ci) {
            const QChar c = source.at(ci);
            if (out_->textWidth(trimSpaces(buffer + c)) <= columnWidth) {
                buffer += c;
                continue;
            }
            if (!buffer.isEmpty() && isAlfanumerico(buffer.back()) && isAlfanumerico(c)) {
                // Break before the word that would be cut, unless the word is the whole line.
                qsizetype end = buffer.size();
                while (end > 0 && buffer.at(end - 1) == QLatin1Char(' '))
                    --end;
                const qsizetype space = buffer.lastIndexOf(QLatin1Char(' '), end - 1);
                if (space >= 0 && end > 0) {
                    carried = buffer.mid(space + 1);
                    buffer.truncate(space);
                }
            }
            StampaRigaGiustificata(x, at, columnWidth, trimSpaces(buffer));
            buffer = carried + c;
            carried.clear();
            at += lineStep;
            if (at >= bottom) {
                QString rest = buffer + source.mid(ci + 1);
                if (li + 1 < lines.size())
                    rest += QStringLiteral("\r\n") + joinFrom(li + 1);
                return rest;
            }
        }
        if (!buffer.isEmpty()) {
            StampaA(x, at, trimSpaces(buffer));
            at += lineStep;
            if (at >= bottom)
                return joinFrom(li + 1);
        }
    }
    return {};
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
        pages_.push_back(currentPage_);
        currentPage_ = std::make_shared<ClsPagina>();
    } else if (!previewDocOpen_) {
        out_->newPage();
        check();
    }
}

void EasyPrint::EndDoc() {
    lastError_ = 0;
    silenced_ = false;
    if (previewOn_) {
        // Ending twice must not list the same page twice.
        if (pages_.empty() || pages_.back() != currentPage_)
            pages_.push_back(currentPage_);
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

int EasyPrint::ScalaZoom(double value, std::int32_t percentage) {
    const double scaled = value + value * (percentage - 100) / 100.0;
    return toInt(scaled < 1 ? value : scaled);
}

const ClsPagina* EasyPrint::paginaAnteprima(std::int32_t page) const {
    if (page < 1 || page > std::int32_t(pages_.size()))
        return nullptr;
    return pages_[std::size_t(page - 1)].get();
}

bool EasyPrint::RimuoviPaginaAnteprima(std::int32_t page) {
    if (page < 1 || page > std::int32_t(pages_.size()))
        return false;
    pages_.erase(pages_.begin() + (page - 1));
    return true;
}

void EasyPrint::replayFailed(const char* routine, int number) {
    if (reporter_) {
        reporter_->critical(QString::fromLatin1(routine),
                            QStringLiteral("%1- %2").arg(number).arg(PrintError::description(number)));
    }
}

void EasyPrint::replay(const ClsPagina& page, std::int32_t zoom, double ox, double oy) {
    const bool zoomed = zoom > 0;
    for (const ClsComandi& c : page.Param) {
        const double x = c.P1.toDouble() + ox;
        const double y = c.P2.toDouble() + oy;
        switch (c.Comando) {
        case Comando::SpaziaturaLinea:
            setSpaziaturaLinea(c.P1.toDouble());
            break;
        case Comando::FontSize:
            setFontSize(zoomed ? ScalaZoom(c.P1.toInt(), zoom) : c.P1.toInt());
            break;
        case Comando::FontName:
            setFontName(c.P1.toString());
            break;
        case Comando::FontBold:
            setFontBold(c.P1.toBool());
            break;
        case Comando::FontItalic:
            setFontItalic(c.P1.toBool());
            break;
        case Comando::FontUnderLine:
            setFontUnderLine(c.P1.toBool());
            break;
        case Comando::ForeColor:
            setForeColor(c.P1.toInt());
            break;
        case Comando::DrawStyle:
            setDrawStyle(c.P1.toInt());
            break;
        case Comando::DrawWidth:
            setDrawWidth(zoomed ? ScalaZoom(c.P1.toInt(), zoom) : c.P1.toInt());
            break;
        case Comando::CurrentX:
            setCurrentX(x);
            break;
        case Comando::CurrentY:
            setCurrentY(c.P1.toDouble() + oy);
            break;
        case Comando::PrintLeft:
            PrintLeft(x, y, c.P3.toString(), c.P4.toDouble(), c.P5.toInt());
            break;
        case Comando::PrintRight:
            PrintRight(x, y, c.P3.toString(), c.P4.toDouble(), c.P5.toInt());
            break;
        case Comando::PrintCentre:
            PrintCentre(x, y, c.P3.toString(), c.P4.toInt());
            break;
        case Comando::PrintShape: {
            double radius = c.P5.toDouble();
            PrintShape(x, y, c.P3.toDouble(), c.P4.toDouble(), radius);
            break;
        }
        case Comando::PrintPicture:
            PrintPicture(x, y, c.P3.value<QImage>(), c.P4.toDouble(), c.P5.toDouble());
            break;
        case Comando::PrintGriglia:
            PrintGriglia(c.P1.toInt());
            break;
        case Comando::StampaA:
            StampaA(x, y, c.P3.toString());
            break;
        case Comando::PrintRuotato:
            PrintRuotato(x, y, c.P3.toInt(), c.P4.toString());
            break;
        case Comando::StampaRigaGiustificata:
            StampaRigaGiustificata(x, y, c.P3.toInt(), c.P4.toString());
            break;
        case Comando::PrintIncasellato: {
            double cell = c.P4.toDouble();
            PrintIncasellato(x, y, c.P3.toString(), cell);
            break;
        }
        default:
            break; // page breaks and unknown codes
        }
    }
}

void EasyPrint::VisualizzaPaginaAnteprima(PrintSurface& target, std::int32_t page, std::int32_t zoom,
                                          std::int32_t offsetX, std::int32_t offsetY) {
    const ClsPagina* recorded = paginaAnteprima(page);
    if (!recorded) {
        replayFailed("EasyPrint.VisualizzaPaginaAnteprima", PrintError::OutOfRange);
        return;
    }
    // The target shows the printer's drawable area whatever its own size.
    target.setUserScale(printer_.scaleWidth(), printer_.scaleHeight());
    PrintSurface* previous = out_;
    const bool wasOn = previewOn_;
    out_ = &target;
    previewOn_ = false;
    replay(*recorded, zoom, offsetX, offsetY);
    target.setMillimetreScale();
    out_ = previous;
    rotator_.Device(out_);
    lastError_ = 0;
    previewOn_ = wasOn;
}

void EasyPrint::StampaPaginaAnteprima(std::int32_t page, std::int32_t offsetX, std::int32_t offsetY) {
    const ClsPagina* recorded = paginaAnteprima(page);
    if (!recorded) {
        replayFailed("EasyPrint.StampaPaginaAnteprima", PrintError::OutOfRange);
        return;
    }
    PrintSurface* previous = out_;
    const bool wasOn = previewOn_;
    previewOn_ = false;
    out_ = &printer_;
    replay(*recorded, 0, offsetX, offsetY);
    out_ = previous;
    previewOn_ = wasOn;
}

} // namespace qvmd
