#include "core/station/StationIdentifier.h"

#include <gtest/gtest.h>

using namespace qvmd;

// The rules in the order the windows report them: country, unit, then a generic station's club.
TEST(StationIdentifier, FirstBrokenRuleIsReported) {
    const IdentifierLimits limits{340, 3000};
    const struct {
        std::int64_t country;
        std::int64_t unit;
        const char* club;
        bool generic;
        IdentifierFault fault;
    } cases[] = {
        {5, 123, "QV", false, IdentifierFault::None},
        {0, 123, "QV", false, IdentifierFault::Country},
        {341, 123, "QV", false, IdentifierFault::Country},
        {340, 3000, "QV", false, IdentifierFault::None},
        {5, 0, "QV", false, IdentifierFault::Unit},
        {5, 3001, "QV", false, IdentifierFault::Unit},
        {5, 3001, "ABCDEF", true, IdentifierFault::Unit}, // a generic station has the same unit limit
        {0, 0, "QV", true, IdentifierFault::Country},
        {5, 12, "QV", true, IdentifierFault::GenericIsMember},
        {5, 12, "", true, IdentifierFault::ClubLength},
        {5, 12, "ABCDE", true, IdentifierFault::None},
        {5, 12, "ABCDEF", true, IdentifierFault::ClubLength},
        {5, 12, "ABCDEF", false, IdentifierFault::None}, // a member's club is not the typist's
        {5, 12, "Q", true, IdentifierFault::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(identifierFault(c.country, c.unit, QString::fromLatin1(c.club), c.generic, limits), c.fault)
            << c.country << " " << c.club << " " << c.unit << " generic " << c.generic;
    }
}

// The written form, over text and over bytes: both faces give the same answer.
TEST(StationIdentifier, WrittenFormIsTheSameRuleOverTextAndBytes) {
    const struct {
        const char* identifier;
        bool wellFormed;
    } cases[] = {
        {"5QV123", true}, {"340ABCDE9", true}, {"1A1", true},      {"05QV1", false}, {"QV1", false},
        {"5QV", false},   {"5123", false},     {"5qv1", false},    {"5QV1 ", false}, {"5Q V1", false},
        {"5QV1A", false}, {"", false},         {"5\xC9V1", false},
    };
    for (const auto& c : cases) {
        const QByteArray bytes(c.identifier);
        EXPECT_EQ(wellFormedStationIdentifier(QByteArrayView(bytes)), c.wellFormed) << c.identifier;
        EXPECT_EQ(wellFormedStationIdentifier(QStringView(QString::fromLatin1(bytes))), c.wellFormed)
            << c.identifier;
    }
}

// Split and joined again, an identifier is what it was.
TEST(StationIdentifier, SplitAndBuildAreInverse) {
    for (const char* identifier : {"5QV123", "12ABCDE7", "1A1"}) {
        const IdentifierParts parts = splitIdentifier(QString::fromLatin1(identifier));
        EXPECT_EQ(buildStationIdentifier(parts.country, parts.club, parts.unit),
                  QString::fromLatin1(identifier));
    }
    EXPECT_EQ(buildStationIdentifier(" 5 ", "QV ", " 1"), "5QV1");
}
