#pragma once

#include "ui/kit/FormDialog.h"
#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qvmd {

struct AppState;
class GridControl;
class Seams;

// The country list: every country with the worked ones in green, or the worked ones alone.
class frm_country : public FormDialog {
    Q_OBJECT
public:
    frm_country(AppState& state, Seams& seams, QWidget* parent = nullptr);

    GridControl* MSHFlexGrid1;     // all countries
    GridControl* MSHFlexGrid2;     // worked countries
    QList<QPushButton*> cmd_order; // 0 "All Country", 1 "Connected", in the same place
    QLineEdit* Text1;              // countries in the visible list
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* cmd_Close;

    int workedCount() const { return workedCount_; }

private:
    void buildControls();
    void widenForColumns();
    void fillAllCountries();
    void fillWorkedCountries();
    void cmd_order_Click(int index);
    void cmd_Close_Click();

    AppState& state_;
    int workedCount_ = 0;
};

} // namespace qvmd
