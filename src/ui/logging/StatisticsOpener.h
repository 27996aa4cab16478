#pragma once

#include <memory>

class QAbstractItemModel;
class QWidget;

namespace qvmd {

struct AppState;
class ContactLog;
class Seams;

// Opens the statistics window of the log in use beside the logging window, and keeps it up to date while
// the log changes (the contact grid's model reports every change).
class StatisticsOpener {
public:
    virtual ~StatisticsOpener() = default;
    virtual void open() = 0;
};

// The logging window's button (or F9) for its statistics; none where the program is built without charts.
std::unique_ptr<StatisticsOpener> makeStatisticsOpener(QWidget& logWindow, AppState& state, Seams& seams,
                                                       const ContactLog& log, QAbstractItemModel& grid);

} // namespace qvmd
