#pragma once

#include "ui/station/StationFormBase.h"

class QComboBox;

namespace qvmd {

// First-run registration of the own station: identifier, name, category and language.
class frm_Prima_Volta : public StationFormBase {
    Q_OBJECT

public:
    frm_Prima_Volta(AppState& state, Seams& seams, QWidget* parent = nullptr);

    QComboBox* Combo1 = nullptr;
    QPushButton* cmd_aggiorn = nullptr;

signals:
    // The operator asked for the update window after a failed search.
    void updatesRequested();

public slots:
    void Combo1_Click(int index);
    void cmd_Close_Click();
    void cmd_aggiorn_Click();

protected:
    void onUnitEnterInMemberMode() override;
    void onNameEnter() override;
    void onNotFound() override;
    void afterSearch() override {}
    void onSwitched(bool generic) override;
    bool save() override;
};

} // namespace qvmd
