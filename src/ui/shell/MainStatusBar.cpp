#include "ui/shell/MainStatusBar.h"

#include "core/common/Clock.h"

#include <QDateTime>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace qvmd {

MainStatusBar::MainStatusBar(QMainWindow* window) {
    sbStatusBar = new QStatusBar(window);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar->setSizeGripEnabled(false);
    for (const QString& text : {QStringLiteral("Stato"), QString(), QString()}) {
        auto* panel = new QLabel(text, sbStatusBar);
        panel->setMinimumWidth(110);
        panel->setFrameShape(QFrame::StyledPanel);
        statusPanels.append(panel);
    }
    sbStatusBar->addWidget(statusPanels[0], 1);
    sbStatusBar->addPermanentWidget(statusPanels[1]);
    sbStatusBar->addPermanentWidget(statusPanels[2]);
    window->setStatusBar(sbStatusBar);
}

void MainStatusBar::showTime(const QDateTime& now) {
    statusPanels[1]->setText(shortDateText(now.date()));
    statusPanels[2]->setText(longTimeText(now.time()));
    // Read to the minute: a label without a name of its own tells a screen reader of every second.
    const QString minute = now.time().toString(QStringLiteral("HH:mm"));
    if (statusPanels[2]->accessibleName() != minute)
        statusPanels[2]->setAccessibleName(minute);
    const QString date = statusPanels[1]->text();
    if (statusPanels[1]->accessibleName() != date)
        statusPanels[1]->setAccessibleName(date);
}

} // namespace qvmd
