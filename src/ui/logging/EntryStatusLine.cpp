#include "ui/logging/EntryStatusLine.h"

#include "core/app/AppState.h"
#include "core/logfile/ContactRecord.h"
#include "core/logging/ContactLog.h"
#include "core/logging/EditSession.h"
#include "core/logging/EntryRules.h"
#include "ui/kit/LiveStatusLabel.h"
#include "ui/logging/ContactGrid.h"
#include "ui/logging/LogEntryRow.h"
#include "ui/logging/ScorePanel.h"

#include <QStringList>

namespace qvmd {

namespace {

// The entry row's own colours: a Lady in red, a Hunter in blue, and a duplicate in the red the grid
// highlights its earlier contact with.
const QColor ladyColour(255, 0, 0);
const QColor hunterColour(0, 0, 255);
const QColor duplicateColour(255, 0, 0);
const QString separator = QStringLiteral("  \u00b7  ");

} // namespace

EntryStatusLine::EntryStatusLine(QWidget* window, int left, int top, int width, AppState& state,
                                 const ContactLog& log, const EditSession& session, LogEntryRow& row,
                                 ContactGrid& grid)
    : state_(state), log_(log), session_(session), row_(row), grid_(grid) {
    label_ = new LiveStatusLabel(window);
    label_->setObjectName(QStringLiteral("lbl_EntryStatus"));
    label_->setGeometry(left, top, width, 22);
    label_->setTextInteractionFlags(Qt::NoTextInteraction);
    rosters_.load(state_.folder);
    connect(&row_, &LogEntryRow::entryChanged, this, &EntryStatusLine::refresh);
    connect(&row_, &LogEntryRow::lookedUp, this, &EntryStatusLine::speakNow);
    speakTimer.setSingleShot(true);
    speakTimer.setInterval(SpeakMilliseconds);
    connect(&speakTimer, &QTimer::timeout, this, &EntryStatusLine::speakTimer_Timer);
}

QString EntryStatusLine::text(int id, const char* fallback) const {
    return state_.text(id, QString::fromUtf8(fallback));
}

void EntryStatusLine::refresh() {
    const EntryTexts typed = row_.texts();
    // An update may have replaced a roster while the window is open; looked at only when the rosters are,
    // for a member station with its unit typed, not on every change of every box.
    if (!typed.generic && !typed.boxes[BoxUnit].trimmed().isEmpty() && rosters_.stale(state_.folder))
        rosters_.load(state_.folder);
    const StatusSources sources{log_,
                                state_.countries,
                                rosters_,
                                state_.profile.StationCallsign,
                                state_.counters,
                                pointValues(state_.weights, state_.profile.category)};
    const int edited = session_.editing() ? session_.editedRow() : 0;
    status_ = entryStatus(sources, typed, row_.category(), edited);
    grid_.highlight(status_.kind == EntryStatus::Kind::Duplicate ? status_.duplicateRow : 0);
    const bool empty = status_.kind == EntryStatus::Kind::Empty;
    if (empty)
        grid_.restoreView();
    // What became of the last entry stays until the next station is typed.
    if (empty && !outcome_.isEmpty())
        return;
    outcome_.clear();

    QString html;
    for (const Piece& piece : pieces()) {
        QString part = piece.text.toHtmlEscaped();
        if (piece.bold)
            part = QStringLiteral("<b>%1</b>").arg(part);
        if (piece.colour.isValid())
            part = QStringLiteral("<span style=\"color:%1\">%2</span>").arg(piece.colour.name(), part);
        html += part;
    }
    label_->showRichText(html);
    // Spoken once the typing pauses, not at every key; an empty row has nothing to say.
    if (empty) {
        speakTimer.stop();
        label_->announce(QString());
    } else {
        speakTimer.start();
    }
}

void EntryStatusLine::speakTimer_Timer() {
    speakTimer.stop();
    label_->announce(plainText());
}

void EntryStatusLine::speakNow() {
    speakTimer.stop();
    label_->announce(plainText(), LiveStatusLabel::Repeat::Always);
}

void EntryStatusLine::showOutcome(const QString& text) {
    speakTimer.stop();
    outcome_ = text;
    label_->showRichText(text.toHtmlEscaped());
    label_->announce(text, LiveStatusLabel::Repeat::Always);
}

void EntryStatusLine::showWritten(const ContactRecord& record, const ScoreLabels& score) {
    const QString progressive = record.field(ContactRecord::Progressive).trimmed().toString();
    QStringList parts;
    if (record.isCancelled()) {
        parts.append(text(1452, "n. %1 cancelled").arg(progressive));
    } else {
        parts.append(record.field(ContactRecord::Unit).trimmed().toString());
        parts.append(text(1450, "written as n. %1").arg(progressive));
    }
    parts.append(text(1451, "score %1").arg(score.lbl_Total->text()));
    // The warning that the log is not yet valid is shown in red; it is read with the score.
    if (!score.lbl_Warning->isHidden())
        parts.append(score.lbl_Warning->text().trimmed());
    showOutcome(parts.join(separator));
}

QString EntryStatusLine::plainText() const {
    if (!outcome_.isEmpty())
        return outcome_;
    QString plain;
    for (const Piece& piece : pieces())
        plain += piece.text;
    return plain;
}

QList<EntryStatusLine::Piece> EntryStatusLine::pieces() const {
    const EntryStatus& s = status_;
    QList<Piece> line;
    if (s.kind == EntryStatus::Kind::Empty)
        return line;
    const auto add = [&line](const QString& text, QColor colour = {}, bool bold = false) {
        if (!line.isEmpty())
            line.append({separator, {}, false});
        line.append({text, colour, bold});
    };
    add(s.identifier, {}, true);
    if (s.countryKnown)
        add(s.countryName);
    else
        add(text(1370, "country %1 not in the table").arg(s.country));

    switch (s.kind) {
    case EntryStatus::Kind::Own:
        add(text(1377, "your own station"), duplicateColour, true);
        return line;
    case EntryStatus::Kind::Duplicate:
        add(s.duplicateTime.isEmpty()
                ? text(1376, "worked at n. %1").arg(s.duplicateProgressive)
                : text(1375, "worked at n. %1, %2").arg(s.duplicateProgressive, s.duplicateTime),
            duplicateColour, true);
        return line;
    case EntryStatus::Kind::Empty:
    case EntryStatus::Kind::Station:
        break;
    }
    switch (s.roster) {
    case EntryStatus::Roster::Lady:
        add(text(1371, "Lady: %1").arg(s.rosterName), ladyColour, true);
        break;
    case EntryStatus::Roster::Hunter:
        add(text(1372, "Hunter: %1").arg(s.rosterName), hunterColour, true);
        break;
    case EntryStatus::Roster::NotFound:
        add(text(1373, "not in the rosters"));
        break;
    case EntryStatus::Roster::NotLooked:
        if (s.generic)
            add(text(1374, "generic station"));
        break;
    }
    if (s.newCountry)
        add(text(1378, "new country"), {}, true);
    if (s.pointsKnown)
        add(s.pointsAdded == 1 ? text(1380, "+%1 point").arg(1)
                               : text(1379, "+%1 points").arg(s.pointsAdded));
    return line;
}

} // namespace qvmd
