#include "core/app/AppState.h"
#include "core/common/TextFile.h"
#include "core/update/Downloader.h"
#include "core/update/UpdateChecker.h"
#include "support/LocalHttpServer.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <QSignalSpy>
#include <QSslConfiguration>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::LocalHttpServer;
using qvmd::test::TempProgramFolder;

namespace {

constexpr int waitMs = 10000;

class UpdateCheckerTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.SettingsEntries[6] = server.baseAddress();
        folder.writeData(QStringLiteral("Agg.dat"), {"07", "02", "12", "01", "05"});
        checker.setTimeout(std::chrono::milliseconds(2000));
    }

    void checkNow() {
        ASSERT_FALSE(checker.readInstalled());
        QSignalSpy done(&checker, &UpdateChecker::checkFinished);
        checker.check();
        ASSERT_TRUE(done.wait(waitMs));
    }

    void downloadNow(std::array<bool, UpdateFileCount> wanted) {
        QSignalSpy done(&checker, &UpdateChecker::downloadsFinished);
        checker.download(wanted);
        if (done.isEmpty()) {
            ASSERT_TRUE(done.wait(waitMs));
        }
    }

    TempProgramFolder folder;
    AppState state{folder.path()};
    LocalHttpServer server;
    UpdateChecker checker{state};
};

} // namespace

TEST_F(UpdateCheckerTest, ReplacedReferenceFilesReachTheSharedState) {
    server.serveManifest("07A>02B>13C>02D>06E");
    server.serveFile(QStringLiteral("13C.dat"), {200, "VE>Canada\r\nI>Italy\r\n"});
    server.serveFile(QStringLiteral("02D.dat"), {200, "2\r\n4\r\n6\r\n8\r\n10\r\n"});
    const QByteArray settings =
        "[new]\r\nmgr@example.org\r\n\r\n\r\n\r\n\r\n" + server.baseAddress().toLatin1() + "v2/\r\n";
    server.serveFile(QStringLiteral("06E.dat"), {200, settings});
    state.countries = CountryTable::fromLines({"VE>Canada", "YA>Afghanistan", "KL>Alaska"});
    state.worked = WorkedCountries(state.countries.count());
    state.worked.mark(2);

    checkNow();
    downloadNow({false, false, true, true, true});
    EXPECT_FALSE(checker.anyFailed());
    EXPECT_EQ(folder.readData(QStringLiteral("Agg.dat")), "07\r\n02\r\n13\r\n02\r\n06\r\n\r\n");

    EXPECT_EQ(state.countries.count(), 2);
    EXPECT_EQ(state.countries.name(2), "Italy");
    EXPECT_TRUE(state.worked.isWorked(2)); // the marks of the log in use are kept
    EXPECT_EQ(state.weights.hunterPointsForHunter, 2);
    EXPECT_EQ(state.weights.countryPoints, 10);
    EXPECT_EQ(state.SettingsEntries[0], "[new]");
    EXPECT_EQ(state.SettingsEntries[6], server.baseAddress() + "v2/");
    EXPECT_EQ(folder.readData(QStringLiteral("Md.ini")), settings);
}

TEST_F(UpdateCheckerTest, MissingAggDatMeansEveryPublishedFileIsNew) {
    QFile::remove(folder.data(QStringLiteral("Agg.dat")));
    server.serveManifest("07A>03B");
    checkNow();
    EXPECT_TRUE(checker.hasUpdate(0));
    EXPECT_TRUE(checker.hasUpdate(1));
    // Nothing published for the others: nothing to fetch.
    EXPECT_FALSE(checker.hasUpdate(2));
    EXPECT_FALSE(checker.isPublished(4));
}

TEST_F(UpdateCheckerTest, AFailedFileKeepsItsVersionWhileTheOthersAreRecorded) {
    server.serveManifest("08A>03B>12C>01D>05E");
    server.serveFile(QStringLiteral("08A.dat"), {200, "1QV1>ANNA\r\n"});
    // 03B.dat is not on the server.
    const QByteArray hunter = folder.readData(QStringLiteral("Hunter.dat"));
    checkNow();
    downloadNow({true, true, false, false, false});
    EXPECT_TRUE(checker.outcome(0).replaced);
    ASSERT_TRUE(checker.outcome(1).fault);
    EXPECT_EQ(checker.outcome(1).fault->kind, DownloadFault::Kind::HttpStatus);
    EXPECT_EQ(checker.outcome(1).fault->httpStatus, 404);
    EXPECT_TRUE(checker.anyFailed());
    EXPECT_EQ(folder.readData(QStringLiteral("Hunter.dat")), hunter);
    EXPECT_EQ(folder.readData(QStringLiteral("Agg.dat")), "08\r\n02\r\n12\r\n01\r\n05\r\n\r\n");
}

TEST_F(UpdateCheckerTest, AFolderInPlaceOfTheTargetIsReportedAndKept) {
    server.serveManifest("08A>02B>12C>01D>05E");
    server.serveFile(QStringLiteral("08A.dat"), {200, "1QV1>ANNA\r\n"});
    QFile::remove(folder.data(QStringLiteral("Lady.dat")));
    QDir().mkpath(folder.data(QStringLiteral("Lady.dat")));
    const QByteArray agg = folder.readData(QStringLiteral("Agg.dat"));
    checkNow();
    downloadNow({true, false, false, false, false});
    ASSERT_TRUE(checker.outcome(0).fault);
    EXPECT_EQ(checker.outcome(0).fault->kind, DownloadFault::Kind::Unwritable);
    EXPECT_TRUE(QFileInfo(folder.data(QStringLiteral("Lady.dat"))).isDir());
    EXPECT_EQ(folder.readData(QStringLiteral("Agg.dat")), agg);
}

TEST_F(UpdateCheckerTest, AFileBeyondWhatTheProgramReadsIsRefused) {
    server.serveManifest("07A>02B>12C>01D>06E");
    server.serveFile(QStringLiteral("06E.dat"), {200, QByteArray(SmallFileLimit + 1, 'x')});
    const QByteArray settings = folder.readData(QStringLiteral("Md.ini"));
    checkNow();
    downloadNow({false, false, false, false, true});
    ASSERT_TRUE(checker.outcome(4).fault);
    EXPECT_EQ(checker.outcome(4).fault->kind, DownloadFault::Kind::TooLarge);
    EXPECT_EQ(folder.readData(QStringLiteral("Md.ini")), settings);
}

// The answers of a server that fails are covered through the update window; here the two limits.
TEST(Downloader, ByteLimitCutsOrRefuses) {
    LocalHttpServer server;
    server.serve(QStringLiteral("/big"), QByteArray(1500, 'a'));
    struct Case {
        qint64 limit;
        bool cut;
        bool tooLarge;
        qsizetype size;
    };
    const Case cases[] = {{1000, true, false, 1000}, {1500, false, false, 1500}, {1499, false, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        Downloader downloader;
        downloader.setByteLimit(c.limit, c.cut);
        QSignalSpy done(&downloader, &Downloader::finished);
        downloader.get(QUrl(QStringLiteral("http://127.0.0.1:%1/big").arg(server.port())));
        ASSERT_TRUE(done.wait(waitMs));
        EXPECT_EQ(done.size(), 1);
        const Downloader::Result& result = downloader.result();
        EXPECT_EQ(result.fault.has_value(), c.tooLarge);
        EXPECT_EQ(result.body.size(), c.size);
    }
}

// The test server's certificate names 127.0.0.1 and signs itself; it is trusted only where the test says so.
TEST(Downloader, SecureTransfersTrustOnlyKnownCertificates) {
    const QString certificate = QStringLiteral(QVMD_FIXTURES_DIR "/update/localhost.crt");
    LocalHttpServer server(certificate, QStringLiteral(QVMD_FIXTURES_DIR "/update/localhost.key"));
    server.serveFile(QStringLiteral("03B.dat"), {200, "7QV1>NEW\r\n"});
    const QUrl address(server.baseAddress() + QStringLiteral("03B.dat"));
    ASSERT_EQ(address.scheme(), "https");

    const auto fetch = [&address](std::optional<DownloadFault::Kind> fault, const QByteArray& body) {
        Downloader downloader;
        QSignalSpy done(&downloader, &Downloader::finished);
        downloader.get(address);
        ASSERT_TRUE(done.wait(waitMs));
        const Downloader::Result& result = downloader.result();
        ASSERT_EQ(result.fault.has_value(), fault.has_value());
        if (fault) {
            EXPECT_EQ(result.fault->kind, *fault);
        }
        EXPECT_EQ(result.body, body);
    };
    fetch(DownloadFault::Kind::Secure, QByteArray());

    const QSslConfiguration saved = QSslConfiguration::defaultConfiguration();
    QSslConfiguration trusting = saved;
    trusting.addCaCertificates(certificate);
    QSslConfiguration::setDefaultConfiguration(trusting);
    fetch(std::nullopt, "7QV1>NEW\r\n");
    QSslConfiguration::setDefaultConfiguration(saved);
}
