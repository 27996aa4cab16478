#include "core/app/AppState.h"
#include "core/app/ReferenceUpdate.h"
#include "core/common/TextFile.h"
#include "core/update/Downloader.h"
#include "core/update/UpdateChecker.h"
#include "support/LocalHttpServer.h"
#include "support/Printers.h"
#include "support/RecordingSync.h"
#include "support/TempProgramFolder.h"

#include <QSignalSpy>
#include <QSslConfiguration>
#include <QTemporaryDir>

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
        checker.check(state.SettingsEntries[6]);
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
    UpdateChecker checker{state.folder};
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
    EXPECT_FALSE(applyReferenceUpdate(state, checker.newReferenceData()));

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

// Country numbers are line numbers: every mark of the log in use, the last country's included, means the
// same country in the new table, and a mark beyond the new table's end is dropped.
TEST(ReferenceUpdate, WorkedMarksOutliveANewCountryTable) {
    const CountryTable three = CountryTable::fromLines({"VE>Canada", "I>Italy", "KL>Alaska"});
    struct Case {
        const char* name;
        QStringList newTable;
        QList<int> marked;
        QList<int> worked; // afterwards, 1..4
    };
    const Case cases[] = {
        {"same size, last country", {"VE>Canada", "I>Italia", "KL>Alaska"}, {3}, {3}},
        {"same size, first and last", {"VE>Canada", "I>Italia", "KL>Alaska"}, {1, 3}, {1, 3}},
        {"one more country", {"VE>Canada", "I>Italia", "KL>Alaska", "F>France"}, {2, 3}, {2, 3}},
        {"one fewer country", {"VE>Canada", "I>Italia"}, {2, 3}, {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempProgramFolder folder;
        AppState state{folder.path()};
        state.countries = three;
        state.worked = WorkedCountries(three.count());
        for (int n : c.marked)
            state.worked.mark(n);
        ReferenceUpdate update;
        update.countries = CountryTable::fromLines(c.newTable);
        EXPECT_FALSE(applyReferenceUpdate(state, update));
        EXPECT_EQ(state.countries.count(), c.newTable.size());
        EXPECT_EQ(state.worked.countryCount(), c.newTable.size());
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(state.worked.isWorked(n), c.worked.contains(n)) << n;
    }
}

TEST_F(UpdateCheckerTest, AddressesThatLeaveTheServerAreRefused) {
    // A base without a scheme is refused before anything is fetched.
    for (const QString& base : {QStringLiteral("127.0.0.1:%1/files/").arg(server.port()), QString()}) {
        SCOPED_TRACE(base.toStdString());
        state.SettingsEntries[6] = base;
        checkNow();
        EXPECT_FALSE(checker.manifestObtained());
        ASSERT_TRUE(checker.manifestFault());
        EXPECT_EQ(checker.manifestFault()->kind, DownloadFault::Kind::BadAddress);
        EXPECT_EQ(checker.manifestFault()->detail, base);
        EXPECT_TRUE(server.requests.isEmpty());
    }

    // An item that names another server is a path on this one; one that climbs out is not fetched.
    LocalHttpServer other;
    state.SettingsEntries[6] = QStringLiteral("http://127.0.0.1:%1").arg(server.port());
    const QByteArray ladyItem = "08@127.0.0.1:" + QByteArray::number(other.port()) + "/files/08A";
    server.serveManifest(ladyItem + ">../03B>12C>01D>05E");
    other.serveFile(QStringLiteral("08A.dat"), {200, "1QV1>ANNA\r\n"});
    const auto before = folder.readData(QStringLiteral("Agg.dat"));
    checkNow();
    EXPECT_EQ(QUrl(checker.address(0)).port(), server.port());
    EXPECT_EQ(checker.address(1), "");
    downloadNow({true, true, false, false, false});
    EXPECT_TRUE(other.requests.isEmpty());
    EXPECT_EQ(server.requests.mid(1), QStringList({"/" + QString::fromLatin1(ladyItem) + ".dat"}));
    ASSERT_TRUE(checker.outcome(1).fault);
    EXPECT_TRUE(checker.outcome(1).attempted);
    EXPECT_EQ(checker.outcome(1).fault->kind, DownloadFault::Kind::OffServer);
    EXPECT_FALSE(checker.outcome(0).replaced);
    EXPECT_EQ(folder.readData(QStringLiteral("Agg.dat")), before);
}

TEST_F(UpdateCheckerTest, ANewMdIniThatWouldLoseTheUpdatesIsRefused) {
    server.serveManifest("07A>02B>12C>01D>06E");
    const QByteArray settings = "[new]\r\nmgr@example.org\r\n\r\n\r\n\r\n\r\nwww.example.org/qvmd/\r\n";
    server.serveFile(QStringLiteral("06E.dat"), {200, settings});
    const QByteArray old = folder.readData(QStringLiteral("Md.ini"));
    checkNow();
    downloadNow({false, false, false, false, true});
    ASSERT_TRUE(checker.outcome(4).fault);
    EXPECT_EQ(checker.outcome(4).fault->kind, DownloadFault::Kind::BadAddress);
    EXPECT_FALSE(checker.newReferenceData().settingsReplaced);
    EXPECT_EQ(folder.readData(QStringLiteral("Md.ini")), old);
}

// A file in place that the disk did not confirm counts as replaced, so Agg.dat records its version, and
// the run says the disk did not confirm it.
TEST_F(UpdateCheckerTest, AFileInPlaceButUnconfirmedIsRecordedAndSaidSo) {
    qvmd::test::RecordingSync sync;
    sync.failOnly(DiskSync::Target::Folder, folder.data(QString()));
    checker.setDiskSync(sync);
    server.serveManifest("08A>02B>12C>01D>05E");
    server.serveFile(QStringLiteral("08A.dat"), {200, "1QV1>ANNA\r\n"});
    checkNow();
    downloadNow({true, false, false, false, false});
    EXPECT_TRUE(checker.outcome(0).replaced);
    EXPECT_TRUE(checker.outcome(0).unconfirmed);
    EXPECT_EQ(folder.readData(QStringLiteral("Lady.dat")), "1QV1>ANNA\r\n");
    EXPECT_EQ(folder.readData(QStringLiteral("Agg.dat")), "08\r\n02\r\n12\r\n01\r\n05\r\n\r\n");
    ASSERT_TRUE(checker.recordError());
    EXPECT_EQ(checker.recordError()->kind, FileError::Kind::Unconfirmed);
}

// A link in Data is replaced by the new file; what it pointed at, outside Data, stays as it was.
TEST_F(UpdateCheckerTest, ALinkInDataIsReplacedNeverItsTarget) {
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("elsewhere.dat"));
    const QByteArray untouched = "9QV9>SOMEONE ELSE\r\n";
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(untouched);
    file.close();
    const QString lady = folder.data(QStringLiteral("Lady.dat"));
    for (const bool dangling : {false, true}) {
        SCOPED_TRACE(dangling);
        QFile::remove(lady);
        ASSERT_TRUE(QFile::link(dangling ? target + QStringLiteral(".gone") : target, lady));
        folder.writeData(QStringLiteral("Agg.dat"), {"07", "02", "12", "01", "05"});
        server.serveManifest("08A>02B>12C>01D>05E");
        server.serveFile(QStringLiteral("08A.dat"), {200, "1QV1>ANNA\r\n"});
        checkNow();
        downloadNow({true, false, false, false, false});
        EXPECT_TRUE(checker.outcome(0).replaced);
        EXPECT_FALSE(QFileInfo(lady).isSymLink());
        EXPECT_EQ(folder.readData(QStringLiteral("Lady.dat")), "1QV1>ANNA\r\n");
        EXPECT_EQ(QDir(folder.data(QString())).entryList({"Lady.dat.*"}, QDir::Files | QDir::Hidden),
                  QStringList());
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), untouched);
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".gone")));
    // The file in the link's place gets the permissions every file the update writes gets.
    EXPECT_EQ(QFile::permissions(lady), QFile::permissions(folder.data(QStringLiteral("Agg.dat"))));

    // Agg.dat as a link is replaced as well, never written through.
    const QString agg = folder.data(QStringLiteral("Agg.dat"));
    const QString outsideAgg = outside.filePath(QStringLiteral("agg.dat"));
    const QByteArray versions = "07\r\n02\r\n12\r\n01\r\n05\r\n";
    QFile aggTarget(outsideAgg);
    ASSERT_TRUE(aggTarget.open(QIODevice::WriteOnly));
    aggTarget.write(versions);
    aggTarget.close();
    QFile::remove(agg);
    ASSERT_TRUE(QFile::link(outsideAgg, agg));
    server.serveManifest("09A>02B>12C>01D>05E");
    server.serveFile(QStringLiteral("09A.dat"), {200, "1QV2>BEA\r\n"});
    checkNow();
    downloadNow({true, false, false, false, false});
    EXPECT_TRUE(checker.outcome(0).replaced);
    EXPECT_FALSE(QFileInfo(agg).isSymLink());
    ASSERT_TRUE(aggTarget.open(QIODevice::ReadOnly));
    EXPECT_EQ(aggTarget.readAll(), versions);
}

// A secure address moved to a plain one is a refusal for safety, not a server error.
TEST(Downloader, ASecureAddressSentOnToAPlainOneIsASecurityRefusal) {
    const QString certificate = QStringLiteral(QVMD_FIXTURES_DIR "/update/localhost.crt");
    LocalHttpServer secure(certificate, QStringLiteral(QVMD_FIXTURES_DIR "/update/localhost.key"));
    LocalHttpServer plain;
    plain.serveFile(QStringLiteral("03B.dat"), {200, "7QV1>NEW\r\n"});
    LocalHttpServer::Response moved{301, "<html>Moved</html>", "text/html"};
    moved.location = (plain.baseAddress() + QStringLiteral("03B.dat")).toLatin1();
    secure.serveFile(QStringLiteral("03B.dat"), moved);

    const QSslConfiguration saved = QSslConfiguration::defaultConfiguration();
    QSslConfiguration trusting = saved;
    trusting.addCaCertificates(certificate);
    QSslConfiguration::setDefaultConfiguration(trusting);
    Downloader downloader;
    QSignalSpy done(&downloader, &Downloader::finished);
    downloader.get(QUrl(secure.baseAddress() + QStringLiteral("03B.dat")));
    const bool finished = done.wait(waitMs);
    QSslConfiguration::setDefaultConfiguration(saved);
    ASSERT_TRUE(finished);
    ASSERT_TRUE(downloader.result().fault);
    EXPECT_EQ(downloader.result().fault->kind, DownloadFault::Kind::InsecureRedirect);
    EXPECT_TRUE(downloader.result().body.isEmpty());
    EXPECT_TRUE(plain.requests.isEmpty());
}
