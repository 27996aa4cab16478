#pragma once

#include "core/logging/EntryStatus.h"
#include "core/refdata/RosterIndex.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace qvmd {

struct AppState;
class ContactRecord;
class LiveStatusLabel;
struct ScoreLabels;
class ContactGrid;
class ContactLog;
class EditSession;
class LogEntryRow;

// The line under the entry row that tells, while the identifier is typed, what Find and Write would find:
// the country, the roster entry, a duplicate (whose row the grid then highlights), the own station, a new
// country and the points the contact would add. It only informs: no focus, no message, nothing written.
// A screen reader hears the line once the typing pauses, and at once what the window reports on it (the
// outcome of Find, a contact written or cancelled).
class EntryStatusLine : public QObject {
    Q_OBJECT
public:
    // Builds the label on the window with its top left corner at (left, top) and reads the rosters.
    EntryStatusLine(QWidget* window, int left, int top, int width, AppState& state, const ContactLog& log,
                    const EditSession& session, LogEntryRow& row, ContactGrid& grid);

    LiveStatusLabel* label() const { return label_; }
    const EntryStatus& status() const { return status_; }
    // What the line shows, without its colours.
    QString plainText() const;

    // Pause in the typing after which the line is spoken.
    static constexpr int SpeakMilliseconds = 400;
    QTimer speakTimer;

    // Computes the status of the entry row as it stands and shows it; it is spoken after a pause.
    void refresh();
    // Speaks the line as it stands now, also when it says what it said last (the answer to Find).
    void speakNow();
    // Shows and speaks what became of the entry (written, cancelled) until the next station is typed.
    void showOutcome(const QString& text);
    // A contact reached the log: its number, or that it is cancelled, and the score the table shows now.
    void showWritten(const ContactRecord& record, const ScoreLabels& score);

public slots:
    void speakTimer_Timer();

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
    LiveStatusLabel* label_ = nullptr;
    RosterIndex rosters_;
    EntryStatus status_;
    QString outcome_; // shown while the entry row is empty
};

} // namespace qvmd
