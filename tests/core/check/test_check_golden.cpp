// Golden folders: each case under fixtures/check holds logs/ (and optionally args); expected/ holds the
// exit status and every file the run writes, compared byte for byte. QVMD_REGENERATE_CHECK=1 rewrites
// expected/ from the current output, for review before it is committed.
#include "core/check/CheckRun.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

const QString root = QStringLiteral(QVMD_FIXTURES_DIR "/check");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class CheckGolden : public testing::TestWithParam<const char*> {};

TEST_P(CheckGolden, WritesTheExpectedTableAndReports) {
    const QDir caseFolder(root + u'/' + QLatin1String(GetParam()));
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QStringList arguments = QString::fromUtf8(readAll(caseFolder.filePath(QStringLiteral("args"))))
                                .split(u' ', Qt::SkipEmptyParts);
    if (arguments == QStringList{QStringLiteral("<missing>")})
        arguments.clear();
    for (QString& argument : arguments)
        argument = argument.trimmed();
    arguments << QStringLiteral("--out") << out.path() << caseFolder.filePath(QStringLiteral("logs"));
    QString error;
    const std::optional<CheckOptions> options =
        parseCheckArguments(arguments, root + QStringLiteral("/data"), error);
    ASSERT_TRUE(options) << error.toStdString();
    const CheckOutcome outcome = runCheck(*options);
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();

    const QDir expected(caseFolder.filePath(QStringLiteral("expected")));
    const QDir written(out.path());
    QStringList names = written.entryList(QDir::Files, QDir::Name);
    if (qEnvironmentVariableIsSet("QVMD_REGENERATE_CHECK")) {
        QDir().mkpath(expected.path());
        for (const QString& name : names)
            QFile::copy(written.filePath(name), expected.filePath(name));
        QFile exit(expected.filePath(QStringLiteral("exit")));
        ASSERT_TRUE(exit.open(QIODevice::WriteOnly));
        exit.write(QByteArray::number(outcome.exitCode) + '\n');
        return;
    }
    EXPECT_EQ(QByteArray::number(outcome.exitCode) + '\n',
              readAll(expected.filePath(QStringLiteral("exit"))));
    QStringList expectedNames = expected.entryList(QDir::Files, QDir::Name);
    expectedNames.removeAll(QStringLiteral("exit"));
    EXPECT_EQ(expectedNames, names);
    for (const QString& name : names)
        EXPECT_EQ(readAll(expected.filePath(name)).toStdString(),
                  readAll(written.filePath(name)).toStdString())
            << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckGolden,
                         testing::Values("confirmed", "not_in_log", "miscopied", "time_off", "duplicate",
                                         "cancelled", "broken_header", "unreadable", "lf_only", "other_form",
                                         "score54", "month_first", "two_categories", "numbers",
                                         "numbers_strict", "control_chars", "certificates"));

TEST(CheckGoldenHtml, HoldsTheSameRowsAndASortScript) {
    QTemporaryDir out;
    CheckOptions options;
    options.dataFolder = root + QStringLiteral("/data");
    options.outFolder = out.path();
    options.inputs = {root + QStringLiteral("/confirmed/logs")};
    ASSERT_EQ(0, runCheck(options).exitCode);
    const QString page = QString::fromUtf8(readAll(out.filePath(QStringLiteral("results.html"))));
    EXPECT_TRUE(page.contains(QStringLiteral("<td>1QV10</td><td>ANNA</td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td>1QV1</td><td>MARIO</td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<script>")));
    EXPECT_FALSE(page.contains(QStringLiteral("src=")) || page.contains(QStringLiteral("href=")));
}

TEST(CheckRunErrors, MissingReferenceDataStopsTheRunWithStatusTwo) {
    QTemporaryDir empty;
    CheckOptions options;
    options.dataFolder = empty.path();
    options.outFolder = empty.path();
    options.inputs = {root + QStringLiteral("/confirmed/logs")};
    const CheckOutcome outcome = runCheck(options);
    EXPECT_EQ(2, outcome.exitCode);
    EXPECT_TRUE(outcome.error.contains(QStringLiteral("Prefix.dat"))) << outcome.error.toStdString();
}

// A report folder that cannot be used, or that holds the logs, stops the run before any log is read; a
// disk that fills up names the first failures and counts the rest, and the summary never says the
// reports were written.
TEST(CheckRunErrors, TheReportFolderIsCheckedFirstAndFailedWritesAreCounted) {
    QTemporaryDir scratch;
    CheckOptions options;
    options.dataFolder = root + QStringLiteral("/data");
    options.outFolder = scratch.filePath(QStringLiteral("a file"));
    ASSERT_TRUE(QFile(options.outFolder).open(QIODevice::WriteOnly));
    const QString logs = scratch.filePath(QStringLiteral("logs"));
    ASSERT_TRUE(QDir().mkpath(logs));
    const QDir received(root + QStringLiteral("/confirmed/logs"));
    for (const QString& name : received.entryList(QDir::Files))
        for (int copy = 1; copy <= 4; ++copy)
            ASSERT_TRUE(
                QFile::copy(received.filePath(name), logs + QStringLiteral("/%1-%2").arg(copy).arg(name)));
    options.inputs = {logs};
    QStringList progress;
    CheckOutcome outcome = runCheck(options, [&](const QString& line) { progress.append(line); });
    EXPECT_EQ(2, outcome.exitCode);
    EXPECT_TRUE(outcome.error.contains(QStringLiteral("a file"))) << outcome.error.toStdString();
    EXPECT_TRUE(progress.isEmpty()) << progress.join(u'\n').toStdString();

    // The logs' own folder, as "." is when the program is started inside it.
    options.outFolder = logs + QStringLiteral("/.");
    outcome = runCheck(options);
    EXPECT_EQ(2, outcome.exitCode);
    EXPECT_EQ(QDir(logs).entryList(QDir::Files).size(), 8);

    options.outFolder = scratch.filePath(QStringLiteral("reports"));
    {
        qvmd::test::FileSizeLimit full(16);
        outcome = runCheck(options);
    }
    EXPECT_EQ(1, outcome.exitCode);
    const QStringList lines = outcome.error.split(u'\n');
    ASSERT_EQ(lines.size(), 6) << outcome.error.toStdString(); // 2 tables and 8 reports: 5 named, 1 count
    EXPECT_TRUE(lines.last().contains(QStringLiteral(" 5 "))) << lines.last().toStdString();
    EXPECT_FALSE(outcome.summary.contains(scratch.filePath(QStringLiteral("reports"))))
        << outcome.summary.toStdString();
    // No report cut short stays behind to pass for a whole one.
    EXPECT_EQ(QStringList(), QDir(options.outFolder).entryList({QStringLiteral("*.txt")}, QDir::Files));
}

} // namespace
