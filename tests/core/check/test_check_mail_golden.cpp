// Golden mailboxes: fixtures/check_mail/<case>/mail holds a mailbox built by make_mailboxes.py (the same
// messages as an mbox file and as a Maildir); expected/ holds the exit status, the summary and every file
// the run writes but the page, compared byte for byte. The mailbox's path and the report folder are
// written as <mail> and <out>. QVMD_REGENERATE_CHECK=1 rewrites expected/, for review before a commit.
#include "core/check/CheckRun.h"
#include "core/mail/GMimeMailSource.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

const QString root = QStringLiteral(QVMD_FIXTURES_DIR);

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every entry of a folder with its size, time and content: what a run must leave as it found it.
QStringList snapshot(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries.append(
            info.filePath() + u' ' + QString::number(info.size()) + u' ' +
            info.lastModified().toString(Qt::ISODateWithMs) + u' ' +
            QString::fromLatin1(
                QCryptographicHash::hash(readAll(info.filePath()), QCryptographicHash::Sha1).toHex()));
    }
    entries.sort();
    return entries;
}

struct MailCase {
    const char* name;
    const char* mailbox; // below the case's mail/ folder
    int languageOffset;
};

void PrintTo(const MailCase& mailCase, std::ostream* out) {
    *out << mailCase.name;
}

class CheckMailGolden : public testing::TestWithParam<MailCase> {};

TEST_P(CheckMailGolden, WritesTheExpectedReportsAndMailTable) {
    const QDir caseFolder(root + QStringLiteral("/check_mail/") + QLatin1String(GetParam().name));
    const QString mail = caseFolder.filePath(QStringLiteral("mail"));
    const QStringList before = snapshot(mail);
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    CheckOptions options;
    options.dataFolder = root + QStringLiteral("/check/data");
    options.languageOffset = GetParam().languageOffset;
    options.outFolder = out.path();
    options.mailboxes = {mail + u'/' + QLatin1String(GetParam().mailbox)};
    GMimeMailSource source;
    const CheckOutcome outcome = runCheck(options, {}, &source);
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
    EXPECT_EQ(before, snapshot(mail));

    const QDir written(out.path());
    auto generic = [&](QByteArray bytes) {
        return bytes.replace(mail.toUtf8(), "<mail>").replace(out.path().toUtf8(), "<out>");
    };
    QStringList names = written.entryList(QDir::Files, QDir::Name);
    names.removeAll(QStringLiteral("results.html"));
    std::vector<std::pair<QString, QByteArray>> files{
        {QStringLiteral("exit"), QByteArray::number(outcome.exitCode) + '\n'},
        {QStringLiteral("summary"), generic(outcome.summary.toUtf8())}};
    for (const QString& name : names)
        files.emplace_back(name, generic(readAll(written.filePath(name))));

    const QDir expected(caseFolder.filePath(QStringLiteral("expected")));
    if (qEnvironmentVariableIsSet("QVMD_REGENERATE_CHECK")) {
        QDir(expected.path()).removeRecursively();
        QDir().mkpath(expected.path());
        for (const auto& [name, bytes] : files) {
            QFile file(expected.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        return;
    }
    QStringList expectedNames = expected.entryList(QDir::Files, QDir::Name);
    QStringList writtenNames;
    for (const auto& [name, bytes] : files) {
        writtenNames.append(name);
        EXPECT_EQ(readAll(expected.filePath(name)).toStdString(), bytes.toStdString()) << name.toStdString();
    }
    writtenNames.sort();
    EXPECT_EQ(expectedNames, writtenNames);
}

INSTANTIATE_TEST_SUITE_P(Mailboxes, CheckMailGolden,
                         testing::Values(MailCase{"mbox", "inbox", 0}, MailCase{"maildir", "Maildir", 1000}),
                         [](const testing::TestParamInfo<MailCase>& info) { return info.param.name; });

} // namespace
