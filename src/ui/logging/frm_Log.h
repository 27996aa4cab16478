#pragma once

#include "core/logging/ContactChecks.h"
#include "core/logging/LogInUse.h"

#include "ui/kit/FormDialog.h"
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace qvmd {

struct AppState;
class ContactGridModel;
class GridControl;
class Seams;

// The logging window: the entry row, the lookup, writing, the contact grid and the score.
class frm_Log : public FormDialog {
    Q_OBJECT
public:
    // Shows the station-not-found window for an identifier; true when the operator goes on.
    using NotFoundWindow = std::function<bool(QWidget* parent, const QString& identifier)>;

    frm_Log(AppState& state, Seams& seams, NotFoundWindow notFound, QWidget* parent = nullptr);
    ~frm_Log() override;

    // False when the log could not be read; the failure has been reported and the window is not shown.
    bool ready() const { return ready_; }

    QList<QLineEdit*> Text1;     // 0 country, 1 club, 2 unit, 3 received, 4 name, 5 category, 6 country name
    QCheckBox* Check1 = nullptr; // "Non QV Station"
    QLabel* lbl_Ric = nullptr;
    QLabel* lbl_Name = nullptr;
    QPushButton* cmd_NameUnknown = nullptr;
    QPushButton* cmd_H = nullptr;
    QPushButton* cmd_L = nullptr;
    QPushButton* cmd_Country = nullptr;
    QToolButton* cmd_Find = nullptr;
    QToolButton* cmd_Write = nullptr;
    QToolButton* cmd_Del = nullptr;
    QToolButton* cmd_Clear = nullptr;
    QToolButton* cmd_Empty = nullptr;
    QToolButton* cmd_Close = nullptr;
    QLabel* lbl_Sends = nullptr;
    QLabel* lbl_Next = nullptr; // the next progressive number to send
    QLabel* Image_Flag = nullptr;
    QList<QLabel*> Image_Logo;
    QLabel* lbl_UtcCaption = nullptr;
    QLabel* lbl_Utc = nullptr;
    QLabel* lbl_Title = nullptr;
    GridControl* MSHFlexGrid1 = nullptr;

    // Score table: counts and points by row (Hunter, Lady, countries), cancelled, multiplier, total.
    QLabel* lbl_Points = nullptr;
    QLabel* lbl_HunterCount = nullptr;
    QLabel* lbl_LadyCount = nullptr;
    QLabel* lbl_CountryCount = nullptr;
    QLabel* lbl_CancelledCount = nullptr;
    QLabel* lbl_Multiplier = nullptr;
    QLabel* lbl_Total = nullptr;
    QLabel* lbl_HunterPoints = nullptr;
    QLabel* lbl_LadyPoints = nullptr;
    QLabel* lbl_CountryPoints = nullptr;
    QLabel* lbl_Warning = nullptr;

    QTimer Timer1; // the UTC clock

    LogInUse& log() { return log_; }
    bool editMode() const { return editMode_; }
    int editedRow() const { return editedRow_; }
    std::int16_t entryKind() const { return entryKind_; }
    const QString& contactCategory() const { return contactCategory_; }
    // The grid's top visible row and current row, counted as the grid counts them (1 = first record).
    int topRow() const;
    int currentRow() const;

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
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildScoreTable();
    void loadPictures();
    void setUpGrid();
    void showTitle();

    bool handleKey(int box, QKeyEvent* event);
    void handleEnter(int box);
    void Text1_Change(int box);
    void showCountry(std::int64_t number);

    QString worked() const;
    ContactEntry entry() const;
    void writeNew(const ContactEntry& typed);
    void writeModified(const ContactEntry& typed);
    void reportCheck(const CheckResult& result);
    bool reportOutcome(const LogInUse::WriteOutcome& outcome);
    void finishWrite();

    void setCategoryBox(const QString& category);
    void chooseCategory(const QString& category);
    bool focusFirstEmpty(std::initializer_list<int> boxes);
    void setGeneric(bool generic);
    void setCheckLook(bool generic);
    void lockClubAndName(bool locked);
    void showNameUnknown(bool shown);
    void emptyBoxes();

    void refreshDisplay();
    void colourAndScroll();

    QString text(int id, const char* fallback) const;
    void error(const QString& message);

    AppState& state_;
    Seams& seams_;
    NotFoundWindow notFound_;
    LogInUse log_;
    std::unique_ptr<ContactGridModel> model_;
    QPixmap flagLogo_;
    QHash<int, QPixmap> flags_; // by country number; the logo where a country has no flag
    bool ready_ = false;

    std::int16_t entryKind_ = 1;
    bool editMode_ = false;
    int editedRow_ = 0;
    bool filling_ = false;
    bool changing_ = false;
    bool found_ = false;
    int foundKind_ = 0; // 1 Lady, 2 Hunter
    CheckResult checkResult_;
    QString messageStation_;
    QString contactCategory_;
    struct SavedRow {
        QString boxes[6];
        std::int16_t entryKind = 1;
        QString timeStamp;
    } saved_;
};

} // namespace qvmd
