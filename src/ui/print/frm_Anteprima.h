#pragma once

#include "ui/kit/FormDialog.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace qvmd {

struct AppState;
class EasyPrint;

// The preview of a recorded report: one page at a time, zoomed, with page navigation. Print closes it
// accepted, so that the print window prints what was shown.
class frm_Anteprima : public FormDialog {
    Q_OBJECT
public:
    frm_Anteprima(AppState& state, EasyPrint& engine, QWidget* parent = nullptr);

    QLabel* picPage;
    QLabel* lblPage;
    QComboBox* cboZoom;
    QPushButton* cmd_First;
    QPushButton* cmd_Prev;
    QPushButton* cmd_Next;
    QPushButton* cmd_Last;
    QPushButton* cmd_Print;
    QPushButton* cmd_Close;

    int currentPage() const { return page_; }
    int zoom() const;
    // The page as shown: paper with the recorded drawing at the printer's margins.
    QImage renderPage(int page, int zoom) const;

private:
    void showPage(int page);

    AppState& state_;
    EasyPrint& engine_;
    QScrollArea* scroll_;
    int page_ = 1;
};

} // namespace qvmd
