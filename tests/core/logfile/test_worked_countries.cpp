#include "core/app/AppState.h"
#include "core/app/StartupLoad.h"
#include "core/logfile/WorkedCountries.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

using namespace qvmd;

TEST(WorkedCountries, MarksOnlyNumbersOfTheTableAndCountsEachOnce) {
    WorkedCountries worked(3);
    EXPECT_EQ(worked.count(), 0);
    for (int number : {1, 3, 3, 0, 4, -2}) // 0, beyond N and below 0 mark nothing
        worked.mark(number);
    EXPECT_TRUE(worked.isWorked(1));
    EXPECT_FALSE(worked.isWorked(2));
    EXPECT_FALSE(worked.isWorked(0));
    EXPECT_EQ(worked.count(), 2);
    worked.clear();
    EXPECT_EQ(worked.count(), 0);
    EXPECT_FALSE(worked.isWorked(3));
}

// Marks live beside the log's counters: reading the reference files again leaves none behind.
TEST(WorkedCountries, StartUpPassStartsWithNothingWorkedInATableSizedSet) {
    test::TempProgramFolder folder;
    AppState state(folder.path());
    state.worked = WorkedCountries(400);
    state.worked.mark(5);
    ASSERT_FALSE(loadStartupFiles(state));
    EXPECT_EQ(state.worked.count(), 0);
    EXPECT_EQ(state.worked.countryCount(), state.countries.count());
}
