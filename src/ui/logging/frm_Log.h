#pragma once

#include "core/logging/EditSession.h"
#include "core/logging/LogInUse.h"

#include "ui/kit/FormDialog.h"
#include "ui/kit/GridControl.h"
#include "ui/logging/LogCommandBar.h"
#include "ui/logging/LogEntryRow.h"
#include "ui/logging/LogStatusArea.h"
#include "ui/logging/ScorePanel.h"
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

namespace qvmd {

struct AppState;
class ContactGrid;
class CountryFlag;
class EntryStatusLine;
class Seams;
class StatisticsOpener;

// The logging window: it wires its parts (the entry row, the status labels, the command buttons, the
// contact grid and the score table), looks stations up and carries out what the edit session decides.
// The parts' controls are reached under the window's own names for them.
class frm_Log : public FormDialog,
                public EntryRowControls,
                public StatusLabels,
                public CommandButtons,
                public ScoreLabels {
    Q_OBJECT
public:
    // Shows the station-not-found window for an identifier; true when the operator goes on.
    using NotFoundWindow = std::function<bool(QWidget* parent, const QString& identifier)>;

    frm_Log(AppState& state, Seams& seams, NotFoundWindow notFound, QWidget* parent = nullptr);
    ~frm_Log() override;

    // False when the log could not be read; the failure has been reported and the window is not shown.
    bool ready() const { return ready_; }

    GridControl* MSHFlexGrid1 = nullptr;
    QTimer Timer1; // the UTC clock

    LogInUse& log() { return log_; }
    bool editMode() const { return session_.editing(); }
    int editedRow() const { return session_.editedRow(); }
    std::int16_t entryKind() const { return row_->generic() ? 2 : 1; }
    const QString& contactCategory() const { return row_->category(); }
    // The grid's top visible row and current row, counted as the grid counts them (1 = first record).
    int topRow() const { return MSHFlexGrid1->topRow(); }
    int currentRow() const { return MSHFlexGrid1->row(); }
    EntryStatusLine& entryStatus() const { return *entryStatus_; }

signals:
    // A contact reached the log file (new or modified).
    void contactWritten();

public slots:
    void Timer1_Timer();
    void cmd_Find_Click();
    void cmd_Write_Click();
    void cmd_Del_Click();
    void cmd_Clear_Click();
    void cmd_Empty_Click();
    void cmd_Close_Click();
    void cmd_NameUnknown_Click();
    void cmd_H_Click();
    void cmd_L_Click();
    void cmd_Country_Click();
    void Check1_Click();
    void MSHFlexGrid1_Pick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void loadPictures();

    void showCountry(int country);
    void rangeRefused(int box);

    void refreshDisplay();

    // The log in use is opened, changed and settled only through these.
    bool openLog();
    bool addContact(const ContactFields& fields);
    bool modifyContact(int row, const ContactFields& fields);
    bool cancelContact(int row);
    bool addBlankCancelled();
    void settleLog();
    // Reports a write of the row (0: the row appended) and tells what became of it.
    bool reportOutcome(const LogInUse::WriteOutcome& outcome, int row);

    QString text(int id, const char* fallback) const;
    void error(const QString& message);

    AppState& state_;
    Seams& seams_;
    NotFoundWindow notFound_;
    LogInUse log_;
    LogEntryRow* row_ = nullptr;
    std::unique_ptr<ContactGrid> grid_;
    std::unique_ptr<ScorePanel> score_;
    std::unique_ptr<LogCommandBar> commands_;
    std::unique_ptr<LogStatusArea> status_;
    std::unique_ptr<CountryFlag> flag_;
    std::unique_ptr<EntryStatusLine> entryStatus_; // gone before the grid it highlights in
    std::unique_ptr<StatisticsOpener> statistics_; // gone before the grid whose model it follows
    EditSession session_;
    bool ready_ = false;
    std::optional<QString> tailNote_; // what opening found at the end of the log, for the status line
};

} // namespace qvmd
