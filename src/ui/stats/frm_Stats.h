#pragma once

#include "core/logging/DayStatistics.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class QLabel;
class QPrinter;
class QPushButton;
class QTableView;

namespace qvmd {

struct AppState;
class ContactLog;
class CountriesModel;
class DayCharts;
class Seams;

// The statistics of the log in use: contacts per UTC hour, the running score, the countries worked and the
// rates of the last 10 and 60 minutes. Not modal: it stays open beside the logging window and follows
// every write.
class frm_Stats : public QDialog {
    Q_OBJECT
public:
    frm_Stats(AppState& state, Seams& seams, const ContactLog& log, QWidget* parent = nullptr);
    ~frm_Stats() override;

    // Counts the log again and shows it.
    void refresh();
    const DayStatistics& statistics() const { return statistics_; }
    DayCharts& charts() const { return *charts_; }

    // The window as a PNG file; false (and the reason shown) when the file could not be written.
    bool savePicture(const QString& path);
    // The window's picture on one page of the printer, through the print engine.
    void printPicture(QPrinter& printer);

    QTimer Timer_Rate; // the rates move with the clock even when nothing is written
    QLabel* lbl_Rate10 = nullptr;
    QLabel* lbl_Rate60 = nullptr;
    QLabel* lbl_Unread = nullptr;
    QTableView* grid_Countries = nullptr;
    QPushButton* cmd_SavePicture = nullptr;
    QPushButton* cmd_Print = nullptr;
    QPushButton* cmd_Close = nullptr;

public slots:
    void Timer_Rate_Timer();
    void cmd_SavePicture_Click();
    void cmd_Print_Click();

private:
    void localise();
    DayStatistics count() const;
    void showStatistics(DayStatistics statistics);
    QImage picture();

    AppState& state_;
    Seams& seams_;
    const ContactLog& log_;
    DayStatistics statistics_;
    std::unique_ptr<DayCharts> charts_;
    CountriesModel* countries_ = nullptr;
    QLabel* lbl_Countries = nullptr;
};

} // namespace qvmd
