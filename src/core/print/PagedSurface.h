#pragma once

#include "core/print/PainterSurface.h"

class QPagedPaintDevice;

namespace qvmd {

// The printer as the engine sees it: a paged device (a PDF writer, or a printer handed in by the print
// window) with its job settings.
class PagedSurface : public PainterSurface {
public:
    explicit PagedSurface(QPagedPaintDevice& device);

    QPointF physicalOffset() const override;
    void newPage() override;
    void killDoc() override;

    int paperSize() const override;
    void setPaperSize(int code) override;
    int orientation() const override;
    void setOrientation(int value) override;
    void setPrintQuality(int quality) override;
    virtual QString deviceName() const { return QStringLiteral("PDF"); }

protected:
    QPagedPaintDevice& paged() { return paged_; }
    // Stops the job without finishing it; the default finishes what was drawn.
    virtual void abortJob() { finishPainting(); }

private:
    QPagedPaintDevice& paged_;
};

} // namespace qvmd
