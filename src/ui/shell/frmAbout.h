#pragma once

#include "ui/kit/FormDialog.h"
#include <QList>

class QLabel;
class QPushButton;
class QTimer;

namespace qvmd {

struct AppState;
class Seams;
class ClickLabel;

// The About window: version, the award manager's address and the organiser's links.
class frmAbout : public FormDialog {
    Q_OBJECT
public:
    frmAbout(AppState& state, Seams& seams, QWidget* parent = nullptr);

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* Image1 = nullptr;
    QList<ClickLabel*> Label1; // 0 "Award Manager", 1 mail address, 2..5 links
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* cmdOK = nullptr;
    QTimer* Timer1 = nullptr;

public slots:
    void Timer1_Timer();
    void cmdOK_Click();
    void Label1_Click(int index);
    // Escape does not close the window.

private:
    void finish();

    AppState& state_;
    Seams& seams_;
};

} // namespace qvmd
