#include "core/logfile/RecordLines.h"

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

// Two fields found in one walk are the fields the plain rule finds one at a time, on whole, short, empty
// and hand-edited lines.
TEST(RecordLineFields, AreTheFieldsThePlainRuleFinds) {
    const char* lines[] = {
        "12>7>5QV123>OPERATOR>L>Italia>06/03/2015 14:05:09>N>",
        "12>7>5QV123>OPERATOR>L>Italia>06/03/2015 14:05:09>N",
        "12>7>5QV123>OPERATOR>L>Italia>06/03/2015 14:05:09",
        "12>7>5QV123>OPERATOR>L>Italia>",
        "12>7>5QV123",
        "12>7>",
        "",
        ">>>>>>>>>>>>",
        "1>2>3>4>5>6>7>8>9>10>",
        "13>0>0QV0>DELETED>>NO>06/03/2015 14:07:41>S>",
        "a b>  7 >\r5QV1 >x>H>y>z\r>N>",
    };
    for (const char* text : lines) {
        const QByteArrayView line(text);
        for (int first = 0; first < 8; ++first)
            for (int second = 0; second < 8; ++second) {
                const auto [a, b] = recordLineFields(line, first, second);
                EXPECT_EQ(a, recordLineField(line, first)) << text << " " << first;
                EXPECT_EQ(b, recordLineField(line, second)) << text << " " << second;
            }
        EXPECT_TRUE(recordLineFields(line, 2, 8).first.isNull()) << text;
    }
}

} // namespace
