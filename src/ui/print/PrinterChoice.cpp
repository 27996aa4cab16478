#include "ui/print/PrinterChoice.h"

#include "ui/kit/Seams.h"

#include <QComboBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace qvmd {

namespace {

// A printer to show the dialog on: the named system printer, or the engine's own when it writes a PDF
// file and has no system name. Null when the name names no installed printer.
std::unique_ptr<QPrinter> dialogPrinter(QString& printerName, QPrinter& printer) {
    if (printerName.isEmpty())
        printerName = printer.printerName();
    auto copy = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (printerName.isEmpty() && printer.outputFormat() == QPrinter::PdfFormat) {
        copy->setOutputFormat(QPrinter::PdfFormat);
    } else {
        if (QPrinterInfo::printerInfo(printerName).isNull())
            return nullptr;
        copy->setPrinterName(printerName);
    }
    copy->setPageLayout(printer.pageLayout());
    return copy;
}

} // namespace

void LoadComboPrinters(QComboBox& combo, const QString& currentPrinter) {
    combo.clear();
    int selected = -1;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    for (const QString& name : names) {
        combo.addItem(name, name);
        if (name == currentPrinter)
            selected = combo.count() - 1;
    }
    combo.setCurrentIndex(selected);
}

bool ShowPrinterProperties(Seams& seams, QWidget* parent, QString& printerName, QPrinter& printer) {
    const std::unique_ptr<QPrinter> target = dialogPrinter(printerName, printer);
    if (!target)
        return false;
    QPrintDialog dialog(target.get(), parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    return seams.showModal(dialog) == QDialog::Accepted;
}

bool ShowPrinterSetup(Seams& seams, QWidget* parent, QString& printerName, QPrinter& printer) {
    const std::unique_ptr<QPrinter> target = dialogPrinter(printerName, printer);
    if (!target)
        return false;
    QPageSetupDialog dialog(target.get(), parent);
    dialog.setObjectName(QStringLiteral("PageSetupDialog"));
    if (seams.showModal(dialog) != QDialog::Accepted)
        return false;
    printer.setPageOrientation(target->pageLayout().orientation());
    return true;
}

} // namespace qvmd
