// The checker's side of mail, fed by a scripted mail source: which of a station's logs counts, what
// the reports and mail.csv say, the run's status, and the mailbox kept apart from the reports.
#include "core/check/CheckArguments.h"
#include "core/check/CheckRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

const QString data = QStringLiteral(QVMD_FIXTURES_DIR "/check/data");

QByteArray logOf(const QByteArray& station, const QByteArray& category, int contacts) {
    QByteArray log = "##" + category + "\r\n#" + station +
                     "\r\n#OP\r\n#N\r\n#1\r\n#x\r\n#1\r\n#QV\r\n#1\r\n#2026\r\n#LOG\r\n";
    for (int i = 1; i <= contacts; ++i)
        log +=
            QByteArray::number(i) + ">1>1QV1" + QByteArray::number(i) + ">X>L>C>06/03/2026 14:00:00>N>\r\n";
    return log;
}

MessageOrigin origin(qint64 order, const QString& date, const QString& subject) {
    MessageOrigin origin;
    origin.mailbox = QStringLiteral("inbox");
    origin.number = order;
    origin.order = order;
    origin.sender = QStringLiteral("Mario <m@qv.example>");
    origin.subject = subject;
    if (!date.isEmpty()) {
        origin.sent = QDateTime::fromString(date, QStringLiteral("dd/MM/yyyy HH:mm")).toUTC();
        origin.date = date;
    }
    return origin;
}

class ScriptedMail : public MailSource {
public:
    std::vector<ReceivedLog> logs;
    std::vector<MailNote> notes;
    QStringList asked;
    void read(const QStringList& mailboxes, const std::function<void(ReceivedLog&&)>& take,
              const std::function<void(MailNote&&)>& note) override {
        asked = mailboxes;
        for (ReceivedLog log : logs)
            take(std::move(log));
        for (MailNote n : notes)
            note(std::move(n));
    }
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CheckOptions mailOptions(const QString& out) {
    CheckOptions options;
    options.dataFolder = data;
    options.languageOffset = 1000;
    options.outFolder = out;
    options.mailboxes = {QStringLiteral("inbox")};
    return options;
}

// The newest message counts, by its date and not by where it stands; a message without a date is older
// than any with one.
TEST(CheckMailIntake, TheNewestMessageOfAStationCounts) {
    ScriptedMail mail;
    const QString name = QStringLiteral("1QV1_MD_H_2026.Log");
    mail.logs = {
        {name, logOf("1QV1", "H", 1), origin(1, QStringLiteral("07/12/2026 10:00"), QStringLiteral("A"))},
        {name, logOf("1QV1", "H", 2), origin(2, QString(), QStringLiteral("B"))},
        {name, logOf("1QV1", "H", 3), origin(3, QStringLiteral("06/12/2026 10:00"), QStringLiteral("C"))},
        {QStringLiteral("1QV10_MD_L_2026.Log"), logOf("1QV10", "L", 1),
         origin(4, QStringLiteral("01/12/2026 10:00"), QStringLiteral("D"))}};
    QTemporaryDir out;
    const CheckOutcome outcome = runCheck(mailOptions(out.path()), {}, &mail);
    EXPECT_EQ(0, outcome.exitCode) << outcome.error.toStdString();
    EXPECT_EQ(QStringList{QStringLiteral("inbox")}, mail.asked);
    const QString counted = QString::fromUtf8(readAll(out.filePath(name + QStringLiteral(".txt"))));
    EXPECT_TRUE(counted.contains(
        QStringLiteral("Message: from Mario <m@qv.example>, 07/12/2026 10:00, subject \"A\"")))
        << counted.toStdString();
    EXPECT_TRUE(
        counted.contains(QStringLiteral("Supersedes the log 1QV1_MD_H_2026.Log of the message from Mario "
                                        "<m@qv.example>, 06/12/2026 10:00, subject \"C\"")));
    EXPECT_TRUE(counted.contains(QStringLiteral("date unknown, subject \"B\"")));
    EXPECT_TRUE(counted.contains(QStringLiteral("rank: 1")));
    for (const char* older : {"-2.txt", "-3.txt"}) {
        const QString report = QString::fromUtf8(readAll(out.filePath(name + QLatin1String(older))));
        EXPECT_TRUE(
            report.contains(QStringLiteral("Superseded by the log 1QV1_MD_H_2026.Log of the message from "
                                           "Mario <m@qv.example>, 07/12/2026 10:00, subject \"A\"")))
            << report.toStdString();
        EXPECT_TRUE(report.contains(QStringLiteral("rank: -"))) << report.toStdString();
        EXPECT_FALSE(report.contains(QStringLiteral("already has a log"))) << report.toStdString();
    }
    EXPECT_TRUE(outcome.summary.contains(QStringLiteral("logs found: 4, superseded by a newer message: 2; to "
                                                        "look at: 0")))
        << outcome.summary.toStdString();
    // The superseded logs are named in mail.csv too, with the message that replaced them.
    const QList<QByteArray> rows = readAll(out.filePath(QStringLiteral("mail.csv"))).split('\n');
    ASSERT_EQ(4, rows.size());
    EXPECT_EQ("Mailbox,Message,Sender,Date,Subject,Attachment,Finding\r", rows[0]);
    for (const QByteArray& row : {rows[1], rows[2]})
        EXPECT_TRUE(row.contains("Superseded by the log 1QV1_MD_H_2026.Log of the message from "
                                 "Mario <m@qv.example>, 07/12/2026 10:00"))
            << row.toStdString();
}

// A station's Hunter and Lady logs from mail are two logs, each checked and ranked; a body log that the
// mail program wrapped says in its report how many records it had broken, and mail.csv asks for it.
TEST(CheckMailIntake, EachCategoryCountsAndAWrappedLogIsNamed) {
    ScriptedMail mail;
    mail.logs = {{QStringLiteral("1QV1_MD_H_2026.Log"), logOf("1QV1", "H", 2),
                  origin(1, QStringLiteral("07/12/2026 10:00"), QStringLiteral("H")), 0},
                 {QStringLiteral("1QV1_MD_L_2026.Log"), logOf("1QV1", "L", 1),
                  origin(2, QStringLiteral("06/12/2026 10:00"), QStringLiteral("L")), 2}};
    MailNote wrapped;
    wrapped.kind = MailNote::Kind::WrappedLog;
    wrapped.origin = mail.logs[1].origin;
    wrapped.attachment = mail.logs[1].name;
    wrapped.value = QStringLiteral("2");
    mail.notes = {wrapped};
    QTemporaryDir out;
    const CheckOutcome outcome = runCheck(mailOptions(out.path()), {}, &mail);
    EXPECT_EQ(1, outcome.exitCode);
    for (const char* name : {"1QV1_MD_H_2026.Log.txt", "1QV1_MD_L_2026.Log.txt"}) {
        const QString report = QString::fromUtf8(readAll(out.filePath(QLatin1String(name))));
        EXPECT_TRUE(report.contains(QStringLiteral("rank: 1"))) << report.toStdString();
        EXPECT_FALSE(report.contains(QStringLiteral("Superseded"))) << report.toStdString();
    }
    EXPECT_TRUE(QString::fromUtf8(readAll(out.filePath(QStringLiteral("1QV1_MD_L_2026.Log.txt"))))
                    .contains(QStringLiteral("The mail program wrapped 2 records of the log pasted")));
    EXPECT_TRUE(
        readAll(out.filePath(QStringLiteral("mail.csv")))
            .contains("1QV1_MD_L_2026.Log,\"log pasted into the text and wrapped by the mail program: 2 "
                      "records broken, joined again; ask for the log as an attachment\"\r\n"));
}

// mail.csv is as safe in a spreadsheet as results.csv; a message without a log is news, not a failure,
// but a log that could not be read makes the run's status 1.
TEST(CheckMailIntake, NotesGoToASafeTableAndSetTheStatus) {
    ScriptedMail mail;
    MailNote noLog;
    noLog.kind = MailNote::Kind::NoLog;
    noLog.origin = origin(1, QStringLiteral("07/12/2026 10:00"), QStringLiteral("Log, \"finale\"\nciao"));
    noLog.origin.sender = QStringLiteral("=HYPERLINK(\"x\")");
    noLog.attachment = QStringLiteral("foto.jpg");
    mail.notes = {noLog};
    QTemporaryDir out;
    CheckOutcome outcome = runCheck(mailOptions(out.path()), {}, &mail);
    EXPECT_EQ(0, outcome.exitCode);
    EXPECT_EQ(
        "Mailbox,Message,Sender,Date,Subject,Attachment,Finding\r\n"
        "inbox,message 1,\"'=HYPERLINK(\"\"x\"\")\",07/12/2026 10:00,\"Log, \"\"finale\"\"\nciao\",foto.jpg,"
        "no log in the message\r\n",
        readAll(out.filePath(QStringLiteral("mail.csv"))));
    // One line per note in the summary, whatever the message's texts hold.
    EXPECT_TRUE(outcome.summary.contains(QStringLiteral(
        "\n  =HYPERLINK(\"x\"), 07/12/2026 10:00, \"Log, \"finale\"\\nciao\", foto.jpg: no log in "
        "the message\n")))
        << outcome.summary.toStdString();

    MailNote zip = noLog;
    zip.kind = MailNote::Kind::Zip;
    mail.notes.push_back(zip);
    outcome = runCheck(mailOptions(out.path()), {}, &mail);
    EXPECT_EQ(1, outcome.exitCode);

    // Without a reader the mail is not silently passed over.
    outcome = runCheck(mailOptions(out.path()));
    EXPECT_EQ(1, outcome.exitCode);
    EXPECT_TRUE(readAll(out.filePath(QStringLiteral("mail.csv"))).contains("cannot read mail"));
}

// Reports are never written into a mailbox, nor beside an mbox file; the refused folder is not made.
TEST(CheckMailIntake, TheReportFolderStaysOutOfTheMailbox) {
    QTemporaryDir scratch;
    const QDir dir(scratch.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("Maildir/cur")));
    QFile mbox(dir.filePath(QStringLiteral("inbox")));
    ASSERT_TRUE(mbox.open(QIODevice::WriteOnly));
    mbox.close();
    ScriptedMail mail;
    struct Case {
        QString mailbox;
        QString out;
        int exitCode;
    };
    for (const Case& c : std::vector<Case>{
             {dir.filePath(QStringLiteral("Maildir")), dir.filePath(QStringLiteral("Maildir/cur/reports")),
              2},
             {dir.filePath(QStringLiteral("Maildir")), dir.filePath(QStringLiteral("Maildir")), 2},
             {dir.filePath(QStringLiteral("inbox")), scratch.path() + QStringLiteral("/."), 2},
             {dir.filePath(QStringLiteral("Maildir")), dir.filePath(QStringLiteral("reports")), 0},
         }) {
        CheckOptions options = mailOptions(c.out);
        options.mailboxes = {c.mailbox};
        const CheckOutcome outcome = runCheck(options, {}, &mail);
        EXPECT_EQ(c.exitCode, outcome.exitCode) << c.out.toStdString() << outcome.error.toStdString();
        if (c.exitCode == 2) {
            EXPECT_TRUE(outcome.error.contains(QStringLiteral("in a mailbox")))
                << outcome.error.toStdString();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("Maildir/cur/reports"))));
}

TEST(CheckMailIntake, MailboxesAreGivenOneByOne) {
    struct Case {
        QStringList arguments;
        QStringList mailboxes; // empty with the line refused
        QStringList inputs;
    };
    for (const Case& c : std::vector<Case>{
             {{"--mail", "inbox"}, {"inbox"}, {}},
             {{"--mail", "a", "logs", "--mail", "b"}, {"a", "b"}, {"logs"}},
             {{"--mail"}, {}, {}},
             {{"--mail", ""}, {}, {}},
             {{"--", "--mail", "x"}, {}, {"--mail", "x"}},
         }) {
        QString error;
        const std::optional<CheckOptions> options = parseCheckArguments(c.arguments, data, error);
        ASSERT_EQ(!c.mailboxes.isEmpty() || !c.inputs.isEmpty(), options.has_value())
            << c.arguments.join(u' ').toStdString();
        if (options) {
            EXPECT_EQ(c.mailboxes, options->mailboxes);
            EXPECT_EQ(c.inputs, options->inputs);
        }
    }
}

} // namespace
