#pragma once

#include "core/common/FileError.h"

#include "ui/kit/FormDialog.h"
#include "ui/station/CategoryOptions.h"
#include "ui/station/StationBoxes.h"
#include <QColor>
#include <QString>

#include <cstdint>
#include <memory>

class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qvmd {

struct AppState;
class Seams;
class StationMessages;
struct StationProfile;

// The form shared by station registration and the profile editor: the identifier, name and category
// entries with their keyboard rules, the country display, validation, the roster search, the category
// options and the member/generic switch. The two windows add only what differs. The form wires its
// parts; their controls are reached under the form's own names for them.
class StationFormBase : public FormDialog, public StationEntryControls, public CategoryControls {
    Q_OBJECT

public:
    // Error codes of validation, in the order the rules are checked.
    enum ErrorCode {
        NoError = 0,
        WrongPrefix = 1,
        WrongUnit = 2,
        GenericIsQv = 3,
        ClubLength = 4,
        NameTooShort = 5,
        NoCategory = 6,
    };

    QCheckBox* Check1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label9 = nullptr;  // member title
    QLabel* Label10 = nullptr; // generic title
    QPushButton* cmd_Cerca = nullptr;
    QPushButton* cmd_Save = nullptr;
    QPushButton* cmd_Close = nullptr;

    // The category the form holds ("H", "L" or "0"); it reaches the shared profile only on save.
    const QString& category() const { return category_; }
    std::int16_t stationKind() const { return stationKind_; }
    bool found() const { return found_; }
    ErrorCode errorCode() const { return errorCode_; }

    // The background colour of a chosen option.
    static QColor chosenColour();

public slots:
    void cmd_Cerca_Click();
    void cmd_Save_Click();
    void Check1_Click();
    void opt_Scelta_Click(int index);

protected:
    StationFormBase(AppState& state, Seams& seams, QWidget* parent);
    ~StationFormBase() override;

    // Subclasses place their own controls in these, then call finishForm().
    QGridLayout* grid() const { return grid_; }
    QHBoxLayout* buttonRow() const { return buttonRow_; }
    void finishForm();

    // The rules checked in order; the first failing one is returned.
    ErrorCode validate();
    // Shows the message of a validation code and moves the focus as the rule says.
    void reportError(ErrorCode code);
    // Shows a file failure in the program's words.
    void reportFileError(const FileError& error);
    void localise();
    // The text of a hidden message label in the active language.
    QString messageText(int id);

    // The profile the form describes, every text trimmed and the identifier rebuilt.
    StationProfile formProfile() const;

    // Option buttons: choose one (checked, green, "I'm a" caption) or clear both (plain captions).
    void chooseOption(const QString& category);
    void clearOptions();
    void setOptionsVisible(bool visible);
    // Club and name locked in member mode, open in generic mode.
    void applyModeLocks(bool generic);
    void showTitleFor(bool generic);

    // Differences between the two windows.
    virtual bool categoryMissing() const;
    virtual void onUnitEnterInMemberMode() = 0;
    virtual void onNameEnter() = 0;
    virtual void onNotFound() = 0;
    virtual void afterSearch() = 0;
    virtual void onSwitched(bool generic) = 0;
    // Writes whatever the window saves; true when everything was written and the window may close.
    virtual bool save() = 0;

    AppState& state_;
    Seams& seams_;
    QString category_ = QStringLiteral("0");
    std::int16_t stationKind_ = 1;
    bool found_ = false;
    ErrorCode errorCode_ = NoError;

private:
    void buildLayout();
    void handleEnter(QLineEdit* box);
    void showCountry();

    QGridLayout* grid_ = nullptr;
    QHBoxLayout* buttonRow_ = nullptr;
    StationBoxes* boxes_ = nullptr;
    std::unique_ptr<CategoryOptions> options_;
    std::unique_ptr<StationMessages> messages_;
};

} // namespace qvmd
