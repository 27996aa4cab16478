#pragma once

#include "ui/station/StationFormBase.h"

namespace qvmd {

// Editing the registered station's profile; saving leaves no log in use.
class frm_Modif_ute : public StationFormBase {
    Q_OBJECT

public:
    frm_Modif_ute(AppState& state, Seams& seams, QWidget* parent = nullptr);

    QLineEdit* Text3 = nullptr; // log in use, kept with the snapshot, never saved
    QPushButton* cmd_modif = nullptr;
    QPushButton* cmd_Clear = nullptr;

public slots:
    void cmd_modif_Click();
    void cmd_Clear_Click();
    void cmd_Close_Click();

protected:
    bool categoryMissing() const override;
    void onUnitEnterInMemberMode() override;
    void onNameEnter() override;
    void onNotFound() override {}
    void afterSearch() override;
    void onSwitched(bool generic) override;
    bool save() override;

private:
    // What the form showed when editing started, for Clear.
    struct Snapshot {
        bool generic = false;
        QString countryNumber;
        QString unitNumber;
        QString club;
        QString name;
        QString countryName;
        QString category;
        QString logName;
    };

    void showValues(const Snapshot& values);
    void setEditing(bool editing);

    Snapshot snapshot_;
};

} // namespace qvmd
