#pragma once

#include "core/common/FileError.h"

#include <QStringList>

#include <cstdint>

namespace qvmd {

// Data.dat: line 1 by leading number, lines 2 to 5 as whole integers; missing lines give 0.
struct ScoreWeights {
    std::int16_t hunterPointsForHunter = 0; // line 1, own category "H"
    std::int16_t ladyPointsForHunter = 0;   // line 2, own category "H"
    std::int16_t ladyPointsForLady = 0;     // line 3, own category other than "H"
    std::int16_t hunterPointsForLady = 0;   // line 4, own category other than "H"
    std::int16_t countryPoints = 0;         // line 5

    // A non-numeric line 2 to 5, or a weight outside 0..32767, is reported as Malformed with its line.
    static Result<ScoreWeights> fromLines(const QStringList& lines, const QString& path = QString());
    static Result<ScoreWeights> load(const QString& path);
};

} // namespace qvmd
