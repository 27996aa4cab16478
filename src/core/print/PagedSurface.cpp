#include "core/print/PagedSurface.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>

namespace qvmd {

PagedSurface::PagedSurface(QPagedPaintDevice& device) : PainterSurface(device), paged_(device) {}

QPointF PagedSurface::physicalOffset() const {
    const int resolution = device().logicalDpiX();
    return paged_.pageLayout().paintRectPixels(resolution).topLeft();
}

void PagedSurface::newPage() {
    // A page break before anything was drawn still gives an empty page, as on paper.
    if (painter() && !paged_.newPage())
        fail(PrintError::PrinterError);
    PrintSurface::newPage();
}

void PagedSurface::killDoc() {
    abortJob();
    PrintSurface::killDoc();
}

int PagedSurface::paperSize() const {
    return paged_.pageLayout().pageSize().windowsId();
}

void PagedSurface::setPaperSize(int code) {
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom || !paged_.setPageSize(QPageSize(id)))
        fail(PrintError::InvalidCall);
}

int PagedSurface::orientation() const {
    return paged_.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

void PagedSurface::setOrientation(int value) {
    if (value != 1 && value != 2) {
        fail(PrintError::InvalidCall);
        return;
    }
    paged_.setPageOrientation(value == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void PagedSurface::setPrintQuality(int quality) {
    if (quality <= 0 || painting())
        return;
    if (auto* writer = dynamic_cast<QPdfWriter*>(&paged_)) {
        writer->setResolution(quality);
        fontChanged();
    }
}

} // namespace qvmd
