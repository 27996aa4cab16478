#include "core/app/AppState.h"
#include "core/refdata/Roster.h"
#include "core/update/UpdateChecker.h"
#include "support/AccessibilityEvents.h"
#include "support/LocalHttpServer.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/update/frm_Aggior.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace qvmd;
using qvmd::test::LocalHttpServer;
using Mode = LocalHttpServer::Response::Mode;

namespace {

constexpr int waitMs = 10000;
const QColor blue(0, 0, 255);
const QColor black(0, 0, 0);
const QByteArray newHunters = "# organiser's roster\r\n7QV2999>NEW HUNTER\r\n";
const QByteArray newLadies = "7QV1>NEW LADY\r\n";

class UpdateWindow : public ::testing::Test {
protected:
    void SetUp() override {
        state.LanguageOffset = 1000;
        state.SettingsEntries[6] = server.baseAddress();
        folder.writeData(QStringLiteral("Agg.dat"), {"07", "02", "12", "01", "05"});
    }

    std::unique_ptr<frm_Aggior> open() {
        auto window = std::make_unique<frm_Aggior>(state, seams);
        stopTimers(*window);
        window->checker().setTimeout(std::chrono::milliseconds(300));
        return window;
    }
    // The tests call the timers' handlers themselves.
    static void stopTimers(frm_Aggior& window) {
        for (QTimer* timer : {&window.Timer1, &window.Timer2, &window.Timer3, &window.Timer4})
            timer->stop();
    }
    static void runCheck(frm_Aggior& window) {
        QSignalSpy done(&window.checker(), &UpdateChecker::checkFinished);
        window.Timer1_Timer();
        ASSERT_TRUE(done.wait(waitMs));
        stopTimers(window);
    }
    static void runProgress(frm_Aggior& window) {
        for (int i = 0; i < 100; ++i)
            window.Timer2_Timer();
    }
    static void confirm(frm_Aggior& window) {
        QSignalSpy done(&window.checker(), &UpdateChecker::downloadsFinished);
        QTest::mouseClick(window.cmd_Confirm, Qt::LeftButton);
        if (done.isEmpty()) {
            ASSERT_TRUE(done.wait(waitMs));
        }
        stopTimers(window);
    }
    static void runPacedRuns(frm_Aggior& window) {
        for (int i = 0; i < 100; ++i)
            window.Timer3_Timer();
        window.Timer4.stop();
        for (int i = 0; i < 100; ++i)
            window.Timer4_Timer();
    }
    static void clickBox(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    static QColor textColour(const QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

    // Every file of the Data folder with its bytes.
    std::map<QString, QByteArray> dataFiles() const {
        std::map<QString, QByteArray> files;
        for (const QString& name : QDir(folder.path() + QStringLiteral("/Data")).entryList(QDir::Files))
            files[name] = folder.readData(name);
        return files;
    }

    test::TempProgramFolder folder;
    AppState state{folder.path()};
    test::TestSeams seams;
    LocalHttpServer server;
};

} // namespace

TEST_F(UpdateWindow, TheExampleUpdatesOnlyTheHunterRoster) {
    server.serveManifest("07A>03B>12C>01D>05E");
    server.serveFile(QStringLiteral("03B.dat"), {200, newHunters});
    const QByteArray ladies = folder.readData(QStringLiteral("Lady.dat"));
    auto window = open();
    test::AccessibilityEvents events;
    EXPECT_TRUE(window->Label3->isHidden());
    EXPECT_EQ(window->Label2[2]->text(), "Check for Update");

    runCheck(*window);
    EXPECT_EQ(window->checker().address(1), server.baseAddress() + "03B.dat");
    EXPECT_TRUE(window->Label7->isHidden());
    EXPECT_FALSE(window->Label3->isHidden());
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        const bool update = row == 1;
        EXPECT_EQ(window->Check1[row]->checkState(), update ? Qt::Checked : Qt::PartiallyChecked);
        EXPECT_EQ(window->isSelected(row), update);
        EXPECT_EQ(window->Label2[row]->text(), update ? "Update available" : "No Update Available");
        EXPECT_EQ(textColour(window->Label2[row]), update ? blue : black);
        EXPECT_EQ(textColour(window->Check1[row]), update ? blue : black);
    }
    // Confirm waits for the progress run.
    for (int i = 0; i < 99; ++i)
        window->Timer2_Timer();
    EXPECT_FALSE(window->cmd_Confirm->isEnabled());
    window->Timer2_Timer();
    EXPECT_TRUE(window->cmd_Confirm->isEnabled());

    confirm(*window);
    EXPECT_EQ(server.requests, QStringList({"/download/Aggior_MD.dat", "/files/03B.dat"}));
    EXPECT_FALSE(window->cmd_Close->isEnabled());
    for (int i = 0; i < 35; ++i)
        window->Timer3_Timer();
    EXPECT_EQ(window->Label2[1]->text(), "Download OK");
    EXPECT_EQ(window->Label2[0]->text(), "No Update Available");
    runPacedRuns(*window);
    EXPECT_EQ(window->Label2[1]->text(), "Update Done");
    for (int row : {0, 2, 3, 4})
        EXPECT_EQ(window->Label2[row]->text(), "No Update Available");
    EXPECT_EQ(window->Label3->text(), "All files have been updated");
    EXPECT_TRUE(window->cmd_Close->isEnabled());
    // What the blue rows and the moving bar show is said: the newer file, each file fetched, the outcome.
    const QString hunters = window->Check1[1]->text();
    EXPECT_EQ(events.spoken(window->Label3),
              QStringList({"Update available: " + hunters + ". To update? Click to Confirm",
                           hunters + ": Download OK", "All files have been updated"}));
    EXPECT_TRUE(window->ProgressBar1->isHidden());
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_EQ(folder.readData(QStringLiteral("Hunter.dat")), newHunters);
    EXPECT_EQ(folder.readData(QStringLiteral("Lady.dat")), ladies);
    EXPECT_EQ(folder.readData(QStringLiteral("Agg.dat")), "07\r\n03\r\n12\r\n01\r\n05\r\n\r\n");
    // The next Find sees the new station.
    const RosterSearch found = searchRosters(state.folder, QStringLiteral("7QV2999"), RosterOrder::Logging);
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.entry.category, "H");

    QTest::mouseClick(window->cmd_Close, Qt::LeftButton);
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

// Chunks mark their own end, so an answer without a length but in chunks is whole and is installed.
TEST_F(UpdateWindow, AChunkedAnswerIsInstalled) {
    server.serveManifest("07A>03B>12C>01D>05E");
    server.serveFile(QStringLiteral("03B.dat"), {200, newHunters, "text/plain", Mode::Chunked});
    auto window = open();
    runCheck(*window);
    runProgress(*window);
    confirm(*window);
    runPacedRuns(*window);
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_EQ(window->Label2[1]->text(), "Update Done");
    EXPECT_EQ(folder.readData(QStringLiteral("Hunter.dat")), newHunters);
    EXPECT_EQ(folder.readData(QStringLiteral("Agg.dat")), "07\r\n03\r\n12\r\n01\r\n05\r\n\r\n");
}

TEST_F(UpdateWindow, TheBoxesDecideWhatIsFetched) {
    server.serveManifest("07A>03B>12C>01D>05E");
    server.serveFile(QStringLiteral("03B.dat"), {200, newHunters});
    server.serveFile(QStringLiteral("07A.dat"), {200, newLadies});
    struct Case {
        const char* name;
        QList<int> clicks;
        QStringList fetched;
        QByteArray agg;
        QList<int> done; // rows that end "Update Done"
    };
    const Case cases[] = {
        {"unticking skips", {1}, {}, "07\r\n02\r\n12\r\n01\r\n05\r\n", {}},
        {"ticking a current row fetches it again",
         {0},
         {"/files/07A.dat", "/files/03B.dat"},
         "07\r\n03\r\n12\r\n01\r\n05\r\n\r\n",
         {0, 1}},
        {"ticked, unticked and ticked again",
         {0, 0, 0},
         {"/files/07A.dat", "/files/03B.dat"},
         "07\r\n03\r\n12\r\n01\r\n05\r\n\r\n",
         {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.writeData(QStringLiteral("Agg.dat"), {"07", "02", "12", "01", "05"});
        server.requests.clear();
        auto window = open();
        runCheck(*window);
        runProgress(*window);
        for (int row : c.clicks)
            clickBox(window->Check1[row]);
        confirm(*window);
        runPacedRuns(*window);
        EXPECT_EQ(server.requests.mid(1), c.fetched);
        EXPECT_EQ(folder.readData(QStringLiteral("Agg.dat")), c.agg);
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(window->Label2[row]->text() == "Update Done", c.done.contains(row)) << row;
        EXPECT_TRUE(seams.messages.empty());
    }
}

TEST_F(UpdateWindow, NothingNewSaysSoAndOffersNothing) {
    server.serveManifest("07A>02B>12C>01D>05E");
    const auto before = dataFiles();
    auto window = open();
    runCheck(*window);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, "All files have been updated");
    EXPECT_EQ(seams.messages[0].title, "Error-checking");
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Information);
    EXPECT_EQ(window->Label3->text(), "No Update Available");
    EXPECT_TRUE(window->ProgressBar1->isHidden());
    runProgress(*window);
    EXPECT_FALSE(window->cmd_Confirm->isEnabled());
    EXPECT_EQ(dataFiles(), before);
}

TEST_F(UpdateWindow, NoManifestLeavesEverythingAsItWas) {
    struct Case {
        const char* name;
        std::optional<LocalHttpServer::Response> manifest; // none: not on the server
        const char* reason;                                // what follows the usual advice
        bool noServer = false;
    };
    const Case cases[] = {
        {"no server", std::nullopt, "No server answered (the server refused the connection).", true},
        {"404", std::nullopt, "The server answered with error 404."},
        {"500", LocalHttpServer::Response{500, "07A>03B>12C>01D>05E"}, "The server answered with error 500."},
        {"timeout", LocalHttpServer::Response{200, "", "text/plain", Mode::Silent},
         "The server did not answer in time."},
        {"empty", LocalHttpServer::Response{200, "  \r\n"},
         "The file received is not in the expected format."},
        {"truncated", LocalHttpServer::Response{200, "07A>03B>12C>01D>05E", "text/plain", Mode::Truncate},
         "The file arrived incomplete (the server closed the connection)."},
        {"no length", LocalHttpServer::Response{200, "07A>03B>12C>01D>05E", "text/plain", Mode::Unannounced},
         "The server did not say how long the file is, so there is no telling whether it arrived whole."},
        {"web page", LocalHttpServer::Response{200, "<html><body>Welcome</body></html>", "text/html"},
         "A web page arrived in place of the file."},
        {"web page sent as text", LocalHttpServer::Response{200, "<!DOCTYPE html>\r\n<html>", "text/plain"},
         "The file received is not in the expected format."},
    };
    const auto before = dataFiles();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocalHttpServer caseServer;
        if (c.manifest)
            caseServer.serve(QStringLiteral("/download/Aggior_MD.dat"), *c.manifest);
        state.SettingsEntries[6] = c.noServer
                                       ? QStringLiteral("http://127.0.0.1:%1/files/").arg(test::closedPort())
                                       : caseServer.baseAddress();
        seams.messages.clear();
        auto window = open();
        runCheck(*window);
        ASSERT_EQ(seams.messages.size(), 1u);
        EXPECT_EQ(
            seams.messages[0].text,
            QStringLiteral("It was not possible to download updates \nCheck your internet connection and "
                           "try again\n\n") +
                QLatin1String(c.reason));
        EXPECT_EQ(seams.messages[0].title, "Check for Update");
        EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error);
        runProgress(*window);
        EXPECT_FALSE(window->cmd_Confirm->isEnabled());
        EXPECT_TRUE(window->cmd_Close->isEnabled());
        EXPECT_EQ(window->Label2[0]->text(), "Check for Update");
        // Only the manifest is asked for; Qt may send the same GET again when the server closed the
        // connection without a declared length, which is its own retry, not a fetch of ours.
        EXPECT_EQ(caseServer.requests.isEmpty(), c.noServer);
        for (const QString& path : std::as_const(caseServer.requests))
            EXPECT_EQ(path, "/download/Aggior_MD.dat");
        EXPECT_EQ(dataFiles(), before);
    }
}

TEST_F(UpdateWindow, AFailedFileIsReportedAndKept) {
    server.serveManifest("07A>03B>12C>01D>05E");
    struct Case {
        const char* name;
        std::optional<LocalHttpServer::Response> file; // none: not on the server
        const char* reason;
    };
    const Case cases[] = {
        {"404", std::nullopt, "the server answered with error 404"},
        {"500", LocalHttpServer::Response{500, newHunters}, "the server answered with error 500"},
        {"timeout", LocalHttpServer::Response{200, "", "text/plain", Mode::Silent}, "did not answer in time"},
        {"dropped", LocalHttpServer::Response{200, "", "text/plain", Mode::Hangup}, "no server answered"},
        {"empty", LocalHttpServer::Response{200, ""}, "the file received is empty"},
        {"truncated", LocalHttpServer::Response{200, newHunters, "text/plain", Mode::Truncate},
         "the file arrived incomplete"},
        // No length announced: a cut, mid-line or at a line end, cannot be told from the end.
        {"cut without a length",
         LocalHttpServer::Response{200, "7QV2999>NEW HUNTER WITH A VERY LONG NAME INDEED\r\n", "text/plain",
                                   Mode::Unannounced},
         "the server did not say how long the file is"},
        // Cut at a line end, it would pass for a shorter roster: no length, no install.
        {"no length, cut at a line end",
         LocalHttpServer::Response{200, "7QV2998>NEW HUNTER ONE\r\n7QV2999>NEW HUNTER TWO\r\n", "text/plain",
                                   Mode::Unannounced},
         "the server did not say how long the file is"},
        {"web page", LocalHttpServer::Response{200, "<html><body>Moved</body></html>", "text/html"},
         "a web page arrived"},
        {"web page sent as text", LocalHttpServer::Response{200, "<!DOCTYPE html>\r\n<p>7QV1>X</p>"},
         "a web page arrived"},
        {"not a roster", LocalHttpServer::Response{200, "hello\r\n"}, "not in the expected format (line 1)"},
    };
    const auto before = dataFiles();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.file)
            server.serveFile(QStringLiteral("03B.dat"), *c.file);
        else
            server.serve(QStringLiteral("/files/03B.dat"), {404, "<html>Not Found</html>", "text/html"});
        seams.messages.clear();
        auto window = open();
        runCheck(*window);
        runProgress(*window);
        confirm(*window);
        ASSERT_EQ(seams.messages.size(), 1u);
        const QString text = seams.messages[0].text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("Impossibile scaricare l'URL \"") + server.baseAddress() +
                                    QStringLiteral("03B.dat\" in \"") +
                                    folder.data(QStringLiteral("Hunter.dat")) +
                                    QStringLiteral("\".\r\nCodice di errore di URLDownloadToFile: -")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\n\nHunter.dat: "))) << text.toStdString();
        EXPECT_TRUE(text.contains(QLatin1String(c.reason))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("The previous file is kept as it was.")))
            << text.toStdString();
        EXPECT_EQ(seams.messages[0].title, "DownloadURL");
        EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error);

        runPacedRuns(*window);
        EXPECT_EQ(window->Label2[1]->text(), "Not downloaded");
        EXPECT_EQ(window->Label3->text(), "It was not possible to download updates");
        EXPECT_TRUE(window->cmd_Close->isEnabled());
        EXPECT_EQ(dataFiles(), before);
    }
}

TEST_F(UpdateWindow, OnlyExitCloses) {
    server.serveManifest("07A>02B>12C>01D>05E");
    auto window = open();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_FALSE(window->close());
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    QTest::mouseClick(window->cmd_Close, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

// In Italian the whole message is Italian: the reason inside the sentence too, never the network's English.
TEST_F(UpdateWindow, TheReasonFollowsTheLanguage) {
    state.LanguageOffset = 0;
    server.serveManifest("07A>03B>12C>01D>05E");
    server.serveFile(QStringLiteral("03B.dat"), {200, "", "text/plain", Mode::Hangup});
    auto window = open();
    runCheck(*window);
    runProgress(*window);
    confirm(*window);
    ASSERT_EQ(seams.messages.size(), 1u);
    const QString text = seams.messages[0].text;
    EXPECT_TRUE(
        text.endsWith(QString::fromUtf8("\n\nHunter.dat: nessun server ha risposto (il server ha chiuso "
                                        "la connessione). Il file precedente è rimasto com'era.")))
        << text.toStdString();
    for (const char* english : {"Connection", "closed", "server answered"})
        EXPECT_FALSE(text.contains(QLatin1String(english))) << english;
    runPacedRuns(*window);
    EXPECT_EQ(window->Label2[1]->text(), "Non scaricato");

    // A check that fails gives its cause in the same language.
    seams.messages.clear();
    server.serve(QStringLiteral("/download/Aggior_MD.dat"), {404, "<html>Not Found</html>", "text/html"});
    auto again = open();
    runCheck(*again);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_TRUE(
        seams.messages[0].text.endsWith(QString::fromUtf8("\n\nIl server ha risposto con l'errore 404.")))
        << seams.messages[0].text.toStdString();
}

TEST_F(UpdateWindow, AnAddressWithoutSchemeIsRefusedWithAClearMessage) {
    server.serveManifest("07A>03B>12C>01D>05E");
    const QString base = QStringLiteral("127.0.0.1:%1/files/").arg(server.port());
    state.SettingsEntries[6] = base;
    const auto before = dataFiles();
    auto window = open();
    runCheck(*window);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, "It was not possible to download updates \nThe update address \"" +
                                          base +
                                          "\" (line 7 of Md.ini) does not start with http:// or https://: "
                                          "correct it and try again");
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error);
    runProgress(*window);
    EXPECT_FALSE(window->cmd_Confirm->isEnabled());
    EXPECT_TRUE(server.requests.isEmpty());
    EXPECT_EQ(dataFiles(), before);
}
