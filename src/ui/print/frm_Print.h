#pragma once

#include "ui/kit/FormDialog.h"

#include <QList>

#include <cstdint>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace qvmd {

struct AppState;
class EasyPrint;
class LiveStatusLabel;
class PrintableLog;
class QPrinterSurface;
class Seams;

// The print window: prints the log in use with its summary page on a printer or into a PDF file, and
// shows the same pages in a preview first when asked.
class frm_Print : public FormDialog {
    Q_OBJECT
public:
    frm_Print(AppState& state, Seams& seams, QWidget* parent = nullptr);
    ~frm_Print() override;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Image1;
    QComboBox* Combo1;
    QPushButton* cmd_Print;
    QPushButton* cmd_Preview;
    QPushButton* cmd_Close;
    // Hidden: texts the window reads.
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label15;
    LiveStatusLabel* lbl_Printed = nullptr; // the log went to the printer: shown and spoken

    // The engine of the last report, null before the first.
    EasyPrint* engine() const { return engine_.get(); }
    QPrinter* printer() const { return printer_.get(); }
    std::int16_t pointsPerLady() const { return pointsPerLady_; }
    std::int16_t pointsPerHunter() const { return pointsPerHunter_; }
    bool pdfChosen() const;

    void cmd_Print_Click();
    void cmd_Preview_Click();

private:
    class ErrorBoxes;

    void buildControls();
    void CaricaStampanti();
    // Reads the log once for the whole print: nothing when it cannot be read or has nothing to print.
    std::optional<PrintableLog> ControllaLog();
    bool preparePrinter(bool forPrinting);
    QString askPdfFile();
    bool StampaLog(const PrintableLog& log);
    void printLog(const PrintableLog& log);
    void cmd_Close_Click();

    AppState& state_;
    Seams& seams_;
    std::int16_t pointsPerLady_ = 0;
    std::int16_t pointsPerHunter_ = 0;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPrinterSurface> surface_;
    std::unique_ptr<ErrorBoxes> errorBoxes_;
    std::unique_ptr<EasyPrint> engine_;
    QString engineDevice_; // the printer the engine took its margins from
};

} // namespace qvmd
