#pragma once

#include "core/logfile/LogSelection.h"
#include "core/logfile/LogStatistics.h"
#include "ui/kit/FormDialog.h"

#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace qvmd {

struct AppState;
class Seams;

// Choosing which of the own station's logs is the log in use. A click reads the log through and counts
// it; Confirm writes Log.dat and Use.dat and takes the station's identity from the log's header.
// Returns Accepted when a log was chosen (see chosen()), Rejected on Exit.
class frm_Sel_Log : public FormDialog {
    Q_OBJECT
public:
    frm_Sel_Log(AppState& state, Seams& seams, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QListWidget* File1 = nullptr;
    QPushButton* cmd_Select = nullptr;
    QPushButton* cmd_Close = nullptr;

    // The statistics of the log clicked last, if it could be read.
    const std::optional<LogSummary>& selected() const { return summary_; }
    // The log made the log in use by Confirm; none after Exit.
    const std::optional<LogSelection>& chosen() const { return chosen_; }

public slots:
    void File1_Click();
    void cmd_Select_Click();
    void cmd_Close_Click();

private:
    void buildControls();
    void fillFileList();

    AppState& state_;
    Seams& seams_;
    QString selectedName_;
    std::optional<LogSummary> summary_;
    std::optional<LogSelection> chosen_;
};

} // namespace qvmd
