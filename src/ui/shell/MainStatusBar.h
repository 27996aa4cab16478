#pragma once

#include <QList>

class QDateTime;
class QLabel;
class QMainWindow;
class QStatusBar;

namespace qvmd {

// The main window's status bar, under the window's names: the state panel, then the date and the time.
struct MainStatusPanels {
    QStatusBar* sbStatusBar = nullptr;
    QList<QLabel*> statusPanels;
};

class MainStatusBar : public MainStatusPanels {
public:
    explicit MainStatusBar(QMainWindow* window);

    void showTime(const QDateTime& now);
};

} // namespace qvmd
