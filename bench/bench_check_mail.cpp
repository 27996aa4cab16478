// The award manager's wait with logs in the mail: a fresh qvmd-check process over a mailbox of 3,000
// messages, each with one log of 300 contacts attached in base64, against the same check over the same
// 3,000 logs as files on disk. Both are timed from outside, alternately, each into a new report folder;
// an mbox file is the measured mailbox, a Maildir folder of the same messages is shown beside it.

#include "ChildProcess.h"
#include "FixtureFile.h"
#include "GeneratedLogs.h"
#include "RatioReporter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Logs = 3000;
constexpr int Runs = 5;

// A message as a desktop mail program sends a log: a short text, then the file in base64 lines of 76.
QByteArray messageOf(int s, const QByteArray& log) {
    const QByteArray name = logNameOf(s);
    const QByteArray boundary = "------------" + QByteArray::number(s * 7919 + 100000000);
    QByteArray message =
        "From: Station " + identifierOf(s) + " <s" + QByteArray::number(s) +
        "@qv.example>\nTo: manager@qv.example\nSubject: Marigold Day Log\nDate: Mon, 07 Dec 2026 " +
        QByteArray::number(10 + s / 300).rightJustified(2, '0') + ':' +
        QByteArray::number(s % 60).rightJustified(2, '0') + ":00 +0000\nMessage-ID: <" +
        QByteArray::number(s) +
        "@qv.example>\nMIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"" + boundary +
        "\"\n\nThis is a multi-part message in MIME format.\n--" + boundary +
        "\nContent-Type: text/plain; charset=UTF-8; format=flowed\n"
        "Content-Transfer-Encoding: 7bit\n\nIn allegato il log.\n\n--" +
        boundary + "\nContent-Type: application/octet-stream; name=\"" + name +
        "\"\nContent-Disposition: attachment; filename=\"" + name +
        "\"\nContent-Transfer-Encoding: base64\n\n";
    const QByteArray encoded = log.toBase64();
    for (qsizetype i = 0; i < encoded.size(); i += 76)
        message += encoded.mid(i, 76) + '\n';
    return message + "\n--" + boundary + "--\n";
}

struct Fixture {
    // The number names the generator: change it with the generator, or old files are reused.
    QString root = QDir::temp().filePath(QStringLiteral("qvmd-bench-check-mail-2"));
    QString data = root + QStringLiteral("/Data");
    QString logFolder = root + QStringLiteral("/Logs");
    QString mbox = root + QStringLiteral("/inbox");
    QString maildir = root + QStringLiteral("/Maildir");

    Fixture() {
        if (!QFileInfo::exists(root + QStringLiteral("/complete")))
            generate();
    }

    void generate() const {
        QDir(root).removeRecursively();
        for (const QString& folder : {data, logFolder, maildir + QStringLiteral("/cur"),
                                      maildir + QStringLiteral("/new"), maildir + QStringLiteral("/tmp")})
            QDir().mkpath(folder);
        writeReferenceData(data, Logs);
        std::mt19937 random(7);
        QFile mboxFile(mbox);
        if (!mboxFile.open(QIODevice::WriteOnly))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(mbox));
        for (int s = 0; s < Logs; ++s) {
            const QByteArray log = logOf(s, Logs, random);
            writeFixtureFile(logFolder + u'/' + QString::fromLatin1(logNameOf(s)), log);
            const QByteArray message = messageOf(s, log);
            mboxFile.write("From s" + QByteArray::number(s) + "@qv.example Mon Dec  7 10:00:00 2026\n" +
                           message + "\n");
            writeFixtureFile(
                maildir + QStringLiteral("/cur/17654%1.M%2P1.bench:2,S").arg(s, 5, 10, QChar(u'0')).arg(s),
                message);
        }
        mboxFile.close();
        writeFixtureFile(root + QStringLiteral("/complete"), {});
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    const Fixture fixture;
    const QString runs =
        QDir::temp().filePath(QStringLiteral("qvmd-bench-check-mail-runs-%1").arg(::getpid()));
    QDir().mkpath(runs);
    int folders = 0;
    auto command = [&](const std::vector<std::string>& input) {
        std::vector<std::string> line{QVMD_CHECK_PROGRAM,
                                      "--lang",
                                      "en",
                                      "--data",
                                      fixture.data.toStdString(),
                                      "--out",
                                      (runs + QStringLiteral("/%1").arg(++folders)).toStdString()};
        line.insert(line.end(), input.begin(), input.end());
        return line;
    };
    const std::vector<std::string> files{fixture.logFolder.toStdString()};
    const std::vector<std::string> mbox{"--mail", fixture.mbox.toStdString()};
    const std::vector<std::string> maildir{"--mail", fixture.maildir.toStdString()};

    // The first runs bring the files into the page cache and show that every side succeeds.
    for (const auto* input : {&files, &mbox, &maildir}) {
        const int status = runProcess(command(*input)).status;
        if (status != 0) {
            std::fprintf(stderr, "qvmd-check failed (status %d) on the generated %s\n", status,
                         input == &files ? "logs" : "mailbox");
            return 1;
        }
    }
    std::vector<double> fileTimes, mboxTimes, maildirTimes, ratios;
    for (int i = 0; i < Runs; ++i) {
        fileTimes.push_back(runProcess(command(files)).seconds);
        mboxTimes.push_back(runProcess(command(mbox)).seconds);
        maildirTimes.push_back(runProcess(command(maildir)).seconds);
        ratios.push_back(mboxTimes.back() / fileTimes.back());
    }
    std::printf("%d logs of %d contacts; %d runs each, median ms\n", Logs, ContactsPerLog, Runs);
    std::printf("%-44s %7.0f\n", "qvmd-check, the logs as files", median(fileTimes) * 1000);
    std::printf("%-44s %7.0f\n", "qvmd-check --mail, one mbox", median(mboxTimes) * 1000);
    std::printf("%-44s %7.0f\n", "qvmd-check --mail, one Maildir", median(maildirTimes) * 1000);
    printRatio("qvmd-check of 3000 logs attached in an mbox / of the same logs as files", median(ratios),
               2.0);
    // Only now, with every run timed: deleting thousands of files slows the next ones made.
    QDir(runs).removeRecursively();
    return 0;
}
