#include "core/print/EasyPrint.h"

#include "core/print/PrintErrorReporter.h"

#include <cmath>

// Recorded pages played back onto the preview or the printer, through the engine's own calls.
namespace qvmd {

int EasyPrint::ScalaZoom(double value, std::int32_t percentage) {
    const double scaled = value + value * (percentage - 100) / 100.0;
    return int(std::nearbyint(scaled < 1 ? value : scaled)); // halves to even
}

const ClsPagina* EasyPrint::paginaAnteprima(std::int32_t page) const {
    return pages_.page(page);
}

bool EasyPrint::RimuoviPaginaAnteprima(std::int32_t page) {
    return pages_.remove(page);
}

void EasyPrint::replayFailed(const char* routine, int number) {
    if (reporter_) {
        reporter_->critical(QString::fromLatin1(routine),
                            QStringLiteral("%1- %2").arg(number).arg(PrintError::description(number)));
    }
}

void EasyPrint::replay(const ClsPagina& page, std::int32_t zoom, double ox, double oy) {
    const bool zoomed = zoom > 0;
    page.forEach([&](const ClsComandi& c) {
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
    });
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
