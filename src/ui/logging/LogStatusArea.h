#pragma once

#include <QList>

class QFont;
class QLabel;
class QPixmap;
class QString;
class QWidget;

namespace qvmd {

struct StationProfile;

// The labels around the entry row, under the logging window's names for them.
struct StatusLabels {
    QLabel* lbl_Title = nullptr;
    QLabel* lbl_Sends = nullptr;
    QLabel* lbl_Next = nullptr; // the next progressive number to send
    QLabel* Image_Flag = nullptr;
    QLabel* lbl_UtcCaption = nullptr;
    QLabel* lbl_Utc = nullptr;
    QList<QLabel*> Image_Logo;
};

// What the logging window shows around the entry row: the title line, the next progressive number to
// send, the flag of the country typed, the UTC clock and the two logos.
class LogStatusArea : public StatusLabels {
public:
    // Builds the labels on the window; values take the entry row's font.
    LogStatusArea(QWidget* window, const QFont& valueFont);

    void showLogo(const QPixmap& logo);
    // The title line: the caption, the own station, its name and the log's category.
    void showTitle(const QString& caption, const StationProfile& own);
    // The clock shows every second; a screen reader reads it to the minute, so its ticks are not news.
    void showClock(const QString& stamp);
};

} // namespace qvmd
