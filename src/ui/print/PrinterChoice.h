#pragma once

#include <QString>

class QComboBox;
class QPrinter;
class QWidget;

namespace qvmd {

class Seams;

// Fills the combo with the installed printers in the system's order and selects the last one named as
// the current printer, or none (index -1) when no entry has that name.
void LoadComboPrinters(QComboBox& combo, const QString& currentPrinter);

// The print dialog for the named printer (an empty name becomes the printer's own and is handed back).
// True when it was confirmed; a printer that does not exist gives false. Nothing of it is applied.
bool ShowPrinterProperties(Seams& seams, QWidget* parent, QString& printerName, QPrinter& printer);

// The page setup dialog for the named printer: of what is chosen there only the orientation is applied
// to the printer. True when it was confirmed; a printer that does not exist gives false.
bool ShowPrinterSetup(Seams& seams, QWidget* parent, QString& printerName, QPrinter& printer);

} // namespace qvmd
