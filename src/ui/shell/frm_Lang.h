#pragma once

#include "ui/kit/FormDialog.h"

class QComboBox;
class QPushButton;

namespace qvmd {

struct AppState;
class Seams;

// The language window of the first run: Italian or English, written to Lang.dat.
// Its texts are the same in both languages, so it is never localised.
class frm_Lang : public FormDialog {
    Q_OBJECT
public:
    frm_Lang(AppState& state, Seams& seams, QWidget* parent = nullptr);

    QComboBox* cmb_Lang = nullptr;
    QPushButton* cmb_ok = nullptr;

public slots:
    void cmb_ok_Click();
    // Escape does not close the window either.

private:
    AppState& state_;
    Seams& seams_;
};

} // namespace qvmd
