#pragma once

#include "core/logging/EntryStatus.h"
#include "core/refdata/RosterIndex.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>

class QLabel;
class QWidget;

namespace qvmd {

struct AppState;
class ContactGrid;
class ContactLog;
class EditSession;
class LogEntryRow;

// The line under the entry row that tells, while the identifier is typed, what Find and Write would find:
// the country, the roster entry, a duplicate (whose row the grid then highlights), the own station, a new
// country and the points the contact would add. It only informs: no focus, no message, nothing written.
class EntryStatusLine : public QObject {
    Q_OBJECT
public:
    // Builds the label on the window with its top left corner at (left, top) and reads the rosters.
    EntryStatusLine(QWidget* window, int left, int top, int width, AppState& state, const ContactLog& log,
                    const EditSession& session, LogEntryRow& row, ContactGrid& grid);

    QLabel* label() const { return label_; }
    const EntryStatus& status() const { return status_; }
    // What the line says, without its colours.
    QString plainText() const;

    // Computes the status of the entry row as it stands and shows it.
    void refresh();

private:
    struct Piece {
        QString text;
        QColor colour;
        bool bold = false;
    };
    QList<Piece> pieces() const;
    QString text(int id, const char* fallback) const;

    AppState& state_;
    const ContactLog& log_;
    const EditSession& session_;
    LogEntryRow& row_;
    ContactGrid& grid_;
    QLabel* label_ = nullptr;
    RosterIndex rosters_;
    EntryStatus status_;
};

} // namespace qvmd
