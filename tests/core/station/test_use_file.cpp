#include "core/app/AppState.h"
#include "core/app/StationState.h"
#include "core/station/PrimeFile.h"
#include "core/station/UseFile.h"
#include "support/FixedClock.h"
#include "support/Printers.h"
#include "support/RecordingSync.h"
#include "support/TempProgramFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::crlf;
using qvmd::test::FixedClock;
using qvmd::test::RecordingSync;
using qvmd::test::TempProgramFolder;

namespace {

const QStringList elevenLines = {
    "1", "5QV123_MD_L_2015.Log", "L", "N", "2015", "5QV123", "  ANNA ROSSI ", "5", "QV", "123", " 1"};

} // namespace

TEST(UseFileRead, ElevenLinesFillProfileAndLogChoiceAndATwelfthIsIgnored) {
    TempProgramFolder folder(false);
    QStringList lines = elevenLines;
    lines[0] = QStringLiteral(" 1 log");
    lines.append(QStringLiteral("2")); // a twelfth line must not reach StationKind
    folder.writeData("Use.dat", lines);
    AppState state(folder.path());
    state.StationKind = 2;

    ASSERT_FALSE(loadUseFile(state));
    EXPECT_EQ(state.log.LogInUse, 1);
    EXPECT_EQ(state.log.LogInUseName, "5QV123_MD_L_2015.Log");
    EXPECT_EQ(state.profile.category, "L");
    EXPECT_EQ(state.log.paperLog, "N");
    EXPECT_EQ(state.log.year, "2015");
    EXPECT_EQ(state.profile.StationCallsign, "5QV123");
    EXPECT_EQ(state.profile.OperatorName, "ANNA ROSSI");
    EXPECT_EQ(state.profile.countryNumber, "5");
    EXPECT_EQ(state.profile.club, "QV");
    EXPECT_EQ(state.profile.unitNumber, "123");
    EXPECT_EQ(state.StationKind, 1);
}

TEST(UseFileRead, ShortFileLeavesTheMissingFieldsAsTheyWere) {
    TempProgramFolder folder(false);
    folder.writeData("Use.dat", elevenLines.mid(0, 8));
    AppState state(folder.path());
    state.profile.club = QStringLiteral("ABC");
    state.profile.unitNumber = QStringLiteral("7");
    state.StationKind = 2;

    ASSERT_FALSE(loadUseFile(state));
    EXPECT_EQ(state.profile.countryNumber, "5"); // line 8 read
    EXPECT_EQ(state.profile.club, "ABC");
    EXPECT_EQ(state.profile.unitNumber, "7");
    EXPECT_EQ(state.StationKind, 2);
}

TEST(UseFileRead, MissingFileIsReportedWithItsPathAndChangesNothing) {
    TempProgramFolder folder(false);
    AppState state(folder.path());
    state.profile.OperatorName = QStringLiteral("KEPT");
    const std::optional<FileError> error = loadUseFile(state);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, FileError::Kind::Missing);
    EXPECT_TRUE(error->path.endsWith(QStringLiteral("Use.dat")));
    EXPECT_EQ(state.profile.OperatorName, "KEPT");
}

TEST(UseFileWrite, EachWritersHeaderThenTheProfileInCrLfLines) {
    TempProgramFolder folder(false);
    FixedClock clock{QDateTime(QDate(2015, 3, 6), QTime(14, 5, 9))};
    AppState state(folder.path(), &clock);
    state.profile = {"12ABC7", "LUCÌA D'ARCO", "12", "ABC", "7", "L"};
    state.StationKind = 2;

    ASSERT_FALSE(saveUseFile(state, UseHeader::noLog(QStringLiteral("L"), currentYear(state))));
    EXPECT_EQ(folder.readData("Use.dat"),
              crlf({"0", "0", "L", "0", "2015", "12ABC7", "LUCÌA D'ARCO", "12", "ABC", "7", "2"}));
    EXPECT_EQ(state.log.LogInUse, 0);
    EXPECT_EQ(state.log.year, "2015");

    const UseHeader created = UseHeader::forLog(QStringLiteral("12ABC7_MD_L_2015.Log"), QStringLiteral("L"),
                                                QStringLiteral("Y"), QStringLiteral("2015"));
    ASSERT_FALSE(saveUseFile(state, created));
    EXPECT_TRUE(folder.readData("Use.dat").startsWith(crlf({"1", "12ABC7_MD_L_2015.Log", "L", "Y", "2015"})));
    EXPECT_EQ(state.log.LogInUse, 1);
    EXPECT_EQ(state.log.LogInUseName, "12ABC7_MD_L_2015.Log");
    EXPECT_EQ(state.log.paperLog, "Y");

    // What is written reads back as the same state.
    AppState reread(folder.path());
    ASSERT_FALSE(loadUseFile(reread));
    EXPECT_EQ(reread.profile.OperatorName, "LUCÌA D'ARCO");
    EXPECT_EQ(reread.log.LogInUseName, state.log.LogInUseName);
    EXPECT_EQ(reread.StationKind, 2);
}

TEST(UseFileWrite, FailureKeepsTheOldFileAndTheState) {
    TempProgramFolder folder(false);
    AppState state(folder.path());
    state.log.LogInUse = 1;
    // A folder where the file should be: nothing can be renamed over it.
    QDir(folder.path()).mkpath(QStringLiteral("Data/Use.dat"));
    const WriteResult failure = saveUseFile(state, UseHeader::noLog(QStringLiteral("H"), 2015));
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind, FileError::Kind::Unwritable);
    EXPECT_EQ(state.log.LogInUse, 1);
}

// The state follows what the file holds: a Use.dat whose sync before the rename failed is the old one, so
// the state stays; one in place whose folder the disk did not confirm is the new one, so the state moves.
TEST(UseFileWrite, TheStateFollowsWhatTheFileHolds) {
    for (const DiskSync::Target failing : {DiskSync::Target::File, DiskSync::Target::Folder}) {
        const bool inPlace = failing == DiskSync::Target::Folder;
        SCOPED_TRACE(inPlace ? "folder sync fails" : "file sync fails");
        TempProgramFolder folder(false);
        folder.writeData("Use.dat", elevenLines);
        AppState state(folder.path());
        state.log.LogInUse = 1;
        RecordingSync sync;
        sync.failAll(failing);
        const WriteResult result =
            saveUseFile(state, UseHeader::noLog(QStringLiteral("H"), 2015), state.profile, 1, sync);
        ASSERT_TRUE(result);
        EXPECT_EQ(inPlaceUnconfirmed(result), inPlace);
        EXPECT_EQ(state.log.LogInUse, inPlace ? 0 : 1);
        EXPECT_EQ(folder.readData("Use.dat") == crlf(elevenLines), !inPlace);
    }
}

TEST(PrimeFileWrite, FiveLinesWithTheShortDate) {
    TempProgramFolder folder(false);
    ASSERT_FALSE(writePrimeFile(ProgramFolder(folder.path()), 1, QStringLiteral("5QV123"),
                                QStringLiteral(" ANNA ROSSI "), QDate(2015, 3, 6)));
    EXPECT_EQ(folder.readData("Prime.dat"), crlf({"1", "1", "5QV123", "ANNA ROSSI", "06/03/2015"}));
}
