#pragma once

#include "ui/kit/FormDialog.h"

#include <cstdint>

class QLabel;
class QPushButton;

namespace qvmd {

struct AppState;
class Seams;

// Tells the operator that the worked station is in neither roster and asks whether to go on.
// The answer is the window's result: Accepted to go on ("Yes"), Rejected for "NO".
class frm_messag : public FormDialog {
    Q_OBJECT
public:
    frm_messag(AppState& state, Seams& seams, const QString& workedIdentifier, std::int16_t& rosterResult,
               QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

public slots:
    void Command1_Click();
    void Command2_Click();
    // Escape does not close the window.

private:
    AppState& state_;
    Seams& seams_;
};

} // namespace qvmd
