// The checker as an award manager meets it: the program's command line, and runs over logs and folders
// that are out to break it.
#include "core/check/CheckReports.h"
#include "core/check/CheckRun.h"
#include "core/check/CheckTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

// Absolute with its drive on Windows, so that the checker started in another folder finds it too.
const QString root = QFileInfo(QStringLiteral(QVMD_FIXTURES_DIR "/check")).absoluteFilePath();

void writeLog(const QString& path, const QByteArray& station, const QByteArray& worked) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("##H\r\n#" + station +
               "\r\n#OP\r\n#N\r\n#1\r\n#x\r\n#1\r\n#QV\r\n#1\r\n#2026\r\n#LOG\r\n1>1>" + worked +
               ">X>H>C>06/03/2026 14:00:00>N>\r\n");
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// Stations named to break the summary: a NUL byte, a marker of the text formatter, a line end.
TEST(CheckHostileInput, TheSummaryShowsEveryStationWhateverItsName) {
    QTemporaryDir scratch;
    const QString logs = scratch.filePath(QStringLiteral("logs"));
    ASSERT_TRUE(QDir().mkpath(logs));
    writeLog(logs + QStringLiteral("/a.Log"), QByteArray("1QV1\0X", 6), "%1");
    writeLog(logs + QStringLiteral("/b.Log"), "%1", "1QV1");
    writeLog(logs + QStringLiteral("/c.Log"), "1QV3\x1b[2J", "%2");
    CheckOptions options;
    options.dataFolder = root + QStringLiteral("/data");
    options.languageOffset = 1000;
    options.outFolder = scratch.filePath(QStringLiteral("out"));
    options.inputs = {logs};
    const CheckOutcome outcome = runCheck(options);
    EXPECT_EQ(0, outcome.exitCode) << outcome.error.toStdString();
    const QStringList lines = outcome.summary.split(u'\n');
    ASSERT_EQ(6, lines.size()) << outcome.summary.toStdString();
    EXPECT_EQ(QStringLiteral("H    - %1           6"), lines[1]);
    EXPECT_EQ(QStringLiteral("H    - 1QV1\\x00X    0"), lines[2]);
    EXPECT_EQ(QStringLiteral("H    - 1QV3\\x1b[2J  0"), lines[3]);
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("Reports written to"))) << lines[4].toStdString();
}

// Names that a spreadsheet would run as formulas, or that break a row, are shown as written.
TEST(CheckHostileInput, TheTableIsSafeInASpreadsheet) {
    const std::vector<std::pair<QString, QByteArray>> cases{
        {QStringLiteral("=HYPERLINK(\"x\")"), "H,1QV0,\"'=HYPERLINK(\"\"x\"\")\",0,0,0,0,0,0,0,0,\r\n"},
        {QStringLiteral("+39 ANNA"), "H,1QV1,'+39 ANNA,0,0,0,0,0,0,0,0,\r\n"},
        {QStringLiteral("-ANNA"), "H,1QV2,'-ANNA,0,0,0,0,0,0,0,0,\r\n"},
        {QStringLiteral("@SUM(A1)"), "H,1QV3,'@SUM(A1),0,0,0,0,0,0,0,0,\r\n"},
        {QStringLiteral("A\rB"), "H,1QV4,\"A\rB\",0,0,0,0,0,0,0,0,\r\n"},
        {QStringLiteral("A\nB"), "H,1QV5,\"A\nB\",0,0,0,0,0,0,0,0,\r\n"},
        {QStringLiteral("ROSSI; BIANCHI, \"IL CONTE\""),
         "H,1QV6,\"ROSSI; BIANCHI, \"\"IL CONTE\"\"\",0,0,0,0,0,0,0,0,\r\n"},
        {QStringLiteral("NICCOL\u00d2 A-B"), "H,1QV7,NICCOL\xd2 A-B,0,0,0,0,0,0,0,0,\r\n"},
    };
    std::vector<CheckedLog> logs(cases.size());
    QByteArray expected = "Category,Station,Name,Claimed,Confirmed,Not in log,Miscopied,Numbers miscopied,"
                          "Duplicates,Claimed score,Checked score,Rank\r\n";
    for (std::size_t i = 0; i < cases.size(); ++i) {
        logs[i].readable = true;
        logs[i].category = QStringLiteral("H");
        logs[i].station = QStringLiteral("1QV%1").arg(i);
        logs[i].name = cases[i].first;
        expected += cases[i].second;
    }
    EXPECT_EQ(expected.toStdString(), resultsCsv(logs, CheckTexts(1000)).toStdString());
}

// Report folders among the logs: inside a log folder it is passed over; as the folder of logs given one
// by one it is refused, as the folder form is.
TEST(CheckHostileInput, AReportFolderAmongTheLogsIsNeverReadAsALog) {
    QTemporaryDir scratch;
    const QString logs = scratch.filePath(QStringLiteral("logs"));
    ASSERT_TRUE(QDir().mkpath(logs));
    const QDir received(root + QStringLiteral("/confirmed/logs"));
    QStringList files;
    for (const QString& name : received.entryList(QDir::Files)) {
        files.append(logs + u'/' + name);
        ASSERT_TRUE(QFile::copy(received.filePath(name), files.last()));
    }
    CheckOptions options;
    options.dataFolder = root + QStringLiteral("/data");
    options.languageOffset = 1000;
    options.inputs = {logs};
    for (const QString& out :
         {logs + QStringLiteral("/reports"), logs + QStringLiteral("/deep/er/reports")}) {
        QDir(logs + QStringLiteral("/reports")).removeRecursively();
        options.outFolder = out;
        for (int run = 1; run <= 2; ++run) {
            const CheckOutcome outcome = runCheck(options);
            EXPECT_EQ(0, outcome.exitCode) << out.toStdString() << ' ' << run;
            EXPECT_TRUE(outcome.summary.startsWith(QStringLiteral("Logs read: 2, unreadable: 0")))
                << outcome.summary.toStdString();
        }
    }

    options.inputs = files;
    for (const QString& out : {logs, logs + QStringLiteral("/."), logs + QStringLiteral("/deep/..")}) {
        options.outFolder = out;
        const CheckOutcome outcome = runCheck(options);
        EXPECT_EQ(2, outcome.exitCode) << out.toStdString();
        EXPECT_TRUE(outcome.error.contains(QStringLiteral("also a log folder")))
            << outcome.error.toStdString();
    }
    EXPECT_EQ(filesIn(logs), received.entryList(QDir::Files, QDir::Name));
}

// Links planted in the report folder: no file is written through one, whatever the file; the run
// says which could not be written.
TEST(CheckHostileInput, NoFileIsWrittenThroughALink) {
    QTemporaryDir scratch;
    const QString out = scratch.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(out));
    const QStringList names = {QStringLiteral("results.csv"), QStringLiteral("results.html"),
                               QStringLiteral("1QV1_MD_H_2026.Log.txt")};
    for (const QString& name : names) {
        const QString target = scratch.filePath(QStringLiteral("precious-") + name);
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep");
        file.close();
        ASSERT_TRUE(QFile::link(target, out + u'/' + name));
    }
    CheckOptions options;
    options.dataFolder = root + QStringLiteral("/data");
    options.languageOffset = 1000;
    options.outFolder = out;
    options.inputs = {root + QStringLiteral("/confirmed/logs")};
    const CheckOutcome outcome = runCheck(options);
    EXPECT_EQ(1, outcome.exitCode);
    for (const QString& name : names) {
        QFile file(scratch.filePath(QStringLiteral("precious-") + name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ("keep", file.readAll()) << name.toStdString();
        EXPECT_TRUE(outcome.error.contains(name)) << outcome.error.toStdString();
    }
}

// What cannot be read among the logs says why, and what is no log at all is passed over.
TEST(CheckHostileInput, ALinkLoopSaysSoAndAnOldReportFolderIsNoLog) {
    QTemporaryDir scratch;
    const QString logs = scratch.filePath(QStringLiteral("logs"));
    ASSERT_TRUE(QDir().mkpath(logs + QStringLiteral("/old reports")));
    writeLog(logs + QStringLiteral("/1QV1_MD_H_2026.Log"), "1QV1", "2QV2");
    QFile old(logs + QStringLiteral("/old reports/results.csv"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    CheckOptions options;
    options.dataFolder = root + QStringLiteral("/data");
    options.languageOffset = 1000;
    options.outFolder = scratch.filePath(QStringLiteral("out"));
    options.inputs = {logs};
    CheckOutcome outcome = runCheck(options);
    EXPECT_EQ(0, outcome.exitCode) << outcome.summary.toStdString();
    EXPECT_TRUE(outcome.summary.startsWith(QStringLiteral("Logs read: 1, unreadable: 0")))
        << outcome.summary.toStdString();

    ASSERT_TRUE(QFile::link(logs + QStringLiteral("/e2"), logs + QStringLiteral("/e1")));
    ASSERT_TRUE(QFile::link(logs + QStringLiteral("/e1"), logs + QStringLiteral("/e2")));
    outcome = runCheck(options);
    EXPECT_EQ(1, outcome.exitCode);
    QFile report(options.outFolder + QStringLiteral("/e1.txt"));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains("e1 is a symbolic link that leads round in a loop"));
}

#ifdef QVMD_CHECK_PROGRAM
struct Command {
    QStringList arguments;
    QByteArray lang;
    int exitCode;
    QString output; // the start of standard output
    QString error;  // a piece of standard error
};

// The program itself: help, version and refused options touch no file of the folder it runs in.
TEST(CheckCommandLine, BehavesLikeACommand) {
    const QString data = root + QStringLiteral("/data");
    for (const Command& command : std::vector<Command>{
             {{"--help"}, "en_GB.UTF-8", 0, "Usage: qvmd-check [", ""},
             {{"-h"}, "it_IT.UTF-8", 0, "Uso: qvmd-check [", ""},
             {{"-h", "--lang", "en"}, "it_IT.UTF-8", 0, "Usage: qvmd-check [", ""},
             {{"--version"}, "C", 0, "qvmd-check 1.", ""},
             {{}, "C", 2, "", "Usage: qvmd-check ["},
             {{"-x", "logs"}, "C", 2, "", "Unknown option: -x"},
             {{"--lang", "it", "--windows", "5"}, "C", 2, "", "Opzione sconosciuta: --windows"},
             {{"--window"}, "en_US", 2, "", "Bad argument: --window"},
             {{"--numbers", "loose", "logs"}, "en_US", 2, "", "Bad argument: --numbers loose"},
             {{"--data", data, "--out", "reports", "missing.Log"}, "C", 1, "Logs read: 0, unreadable: 1", ""},
             {{"--data", data, "--out", "reports", "missing.Log"},
              "it_IT",
              1,
              "Log letti: 0, illeggibili: 1",
              ""},
         }) {
        QTemporaryDir scratch;
        QProcess process;
        process.setWorkingDirectory(scratch.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.insert(QStringLiteral("LANG"), QString::fromLatin1(command.lang));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QVMD_CHECK_PROGRAM), command.arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString what = command.arguments.join(u' ') + u' ' + QString::fromLatin1(command.lang);
        const QString output = QString::fromUtf8(process.readAllStandardOutput());
        const QString error = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(command.exitCode, process.exitCode()) << what.toStdString() << error.toStdString();
        EXPECT_TRUE(command.output.isEmpty() ? output.isEmpty() : output.startsWith(command.output))
            << what.toStdString() << output.toStdString();
        EXPECT_TRUE(error.contains(command.error)) << what.toStdString() << error.toStdString();
        const bool runs = command.arguments.contains(QStringLiteral("missing.Log"));
        EXPECT_EQ(runs ? QStringList{"reports"} : QStringList(),
                  QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
            << what.toStdString();
    }
}

// Every byte of the summary reaches standard output, after a station named with a NUL byte too.
TEST(CheckCommandLine, PrintsTheWholeSummary) {
    QTemporaryDir scratch;
    writeLog(scratch.filePath(QStringLiteral("a.Log")), QByteArray("1QV1\0X", 6), "1QV2");
    writeLog(scratch.filePath(QStringLiteral("b.Log")), "1QV2", "1QV1");
    QProcess process;
    process.start(QStringLiteral(QVMD_CHECK_PROGRAM),
                  {"--lang", "en", "--data", root + QStringLiteral("/data"), "--out",
                   scratch.filePath(QStringLiteral("out")), scratch.filePath(QStringLiteral("a.Log")),
                   scratch.filePath(QStringLiteral("b.Log"))});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(0, process.exitCode());
    const QByteArray output = process.readAllStandardOutput();
    EXPECT_TRUE(output.contains("1QV1\\x00X")) << output.toStdString();
    EXPECT_TRUE(output.contains("1QV2")) << output.toStdString();
    EXPECT_TRUE(output.contains("Reports written to")) << output.toStdString();
}
#endif

} // namespace
