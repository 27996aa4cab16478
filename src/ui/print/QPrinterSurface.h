#pragma once

#include "core/print/PagedSurface.h"

class QPrinter;

namespace qvmd {

// The engine's printer over a QPrinter: a system printer or a PDF file, with the job settings a printer
// has beyond a paged device.
class QPrinterSurface : public PagedSurface {
public:
    explicit QPrinterSurface(QPrinter& printer);

    int copies() const override;
    void setCopies(int count) override;
    void setPrintQuality(int quality) override;
    int colorMode() const override;
    void setColorMode(int mode) override;
    QString deviceName() const override;

protected:
    void abortJob() override;

private:
    QPrinter& printer_;
};

} // namespace qvmd
