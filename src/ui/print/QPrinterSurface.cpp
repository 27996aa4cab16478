#include "ui/print/QPrinterSurface.h"

#include <QPrinter>

namespace qvmd {

QPrinterSurface::QPrinterSurface(QPrinter& printer) : PagedSurface(printer), printer_(printer) {}

int QPrinterSurface::copies() const {
    return printer_.copyCount();
}

void QPrinterSurface::setCopies(int count) {
    printer_.setCopyCount(count < 1 ? 1 : count);
}

void QPrinterSurface::setPrintQuality(int quality) {
    // The drivers' named qualities have no counterpart here; a resolution applies before the job starts.
    if (quality > 0 && !painting())
        printer_.setResolution(quality);
}

int QPrinterSurface::colorMode() const {
    return printer_.colorMode() == QPrinter::Color ? 2 : 1;
}

void QPrinterSurface::setColorMode(int mode) {
    printer_.setColorMode(mode == 1 ? QPrinter::GrayScale : QPrinter::Color);
}

QString QPrinterSurface::deviceName() const {
    return printer_.printerName();
}

void QPrinterSurface::abortJob() {
    if (painting())
        printer_.abort();
    finishPainting();
}

} // namespace qvmd
