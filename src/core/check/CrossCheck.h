#pragma once

#include "core/check/CheckedLog.h"
#include "core/check/RosterCategories.h"
#include "core/refdata/ScoreWeights.h"

#include <QString>

#include <functional>
#include <vector>

namespace qvmd {

struct CrossCheckSettings {
    int windowMinutes = 10;
    int countryCount = 0;
    ScoreWeights weights;
    bool strictNumbers = false; // a miscopied number refuses the contact
    // Called now and then with the contacts cross-checked so far.
    std::function<void(qint64)> progress;
};

// Cross-checks every valid contact against the worked station's log, then scores every log as claimed
// and as checked and ranks the logs per category by checked score. The logs' roster numbers, when they
// have them, come from these rosters.
void crossCheck(std::vector<CheckedLog>& logs, const RosterCategories& rosters,
                const CrossCheckSettings& settings, const CheckTexts& texts);

} // namespace qvmd
