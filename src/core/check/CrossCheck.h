#pragma once

#include "core/check/CheckedLog.h"
#include "core/refdata/ScoreWeights.h"

#include <QHash>
#include <QString>

#include <functional>
#include <vector>

namespace qvmd {

// The roster categories of every listed identifier: Lady.dat gives "L", Hunter.dat "H"; a station may
// be on both.
struct RosterCategories {
    enum : quint8 { Lady = 1, Hunter = 2 };
    QHash<QString, quint8> categories;
    // Adds the identifiers (the key of each "identifier>name" line) of one roster's bytes.
    void addRoster(const QByteArray& bytes, quint8 category);
};

struct CrossCheckSettings {
    int windowMinutes = 10;
    int countryCount = 0;
    ScoreWeights weights;
    // Called now and then with the contacts cross-checked so far.
    std::function<void(qint64)> progress;
};

// Cross-checks every valid contact against the worked station's log through an index of the logs by
// station and of each log's contacts by worked station, then scores every log as claimed and as
// checked and ranks the logs per category by checked score.
void crossCheck(std::vector<CheckedLog>& logs, const RosterCategories& rosters,
                const CrossCheckSettings& settings, const CheckTexts& texts);

} // namespace qvmd
