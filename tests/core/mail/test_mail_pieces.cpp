// The mail reader's pieces that need no MIME library: log names, logs in a text body, flowed text and
// the mbox cutter.
#include "core/common/Windows1252.h"
#include "core/mail/BodyLogs.h"
#include "core/mail/LogAttachment.h"
#include "core/mail/MboxSplitter.h"

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

const QString header = QStringLiteral("##H\n#1QV1\n#MARIO\n#N\n#1\n#07/12/2026\n#1\n#QV\n#1\n#2026\n#LOG\n");

TEST(MailLogNames, FollowTheProgramsPatternInAnyCase) {
    for (const auto& [name, log] : std::vector<std::pair<const char*, bool>>{
             {"5QV123_MD_L_2015.Log", true},
             {"5qv123_md_h_2015.LOG", true},
             {"12ABCDE3000_MD_H_2026.log", true},
             {"5QV123_MD_X_2015.Log", false},
             {"5QV123_MD_L_15.Log", false},
             {"5QV123_MD_L_2015.Log.txt", false},
             {"5QV123_MD_L_2015 (1).Log", false},
             {"../5QV123_MD_L_2015.Log", false},
             {"posta.log", false},
             {"", false},
         })
        EXPECT_EQ(log, isLogName(QString::fromUtf8(name))) << name;
}

TEST(MailLogNames, ArchivesAndNonLogsAreToldApart) {
    EXPECT_TRUE(isArchive(QStringLiteral("log.ZIP"), QString()));
    EXPECT_TRUE(isArchive(QStringLiteral("x.bin"), QStringLiteral("application/x-zip-compressed")));
    EXPECT_FALSE(isArchive(QStringLiteral("1QV1_MD_H_2026.Log"), QStringLiteral("application/octet-stream")));
    EXPECT_EQ(std::nullopt, notALog("\xEF\xBB\xBF\r\n##H\r\n"));
    EXPECT_EQ(MailNote::Kind::NoHeader, notALog("PK\x03\x04"));
    EXPECT_EQ(MailNote::Kind::NoHeader, notALog(""));
    EXPECT_EQ(MailNote::Kind::BinaryLog, notALog(QByteArrayView("#\0#\0", 4)));
}

// A pasted log ends where the writer's own words begin; it comes back in Windows-1252 with CR LF.
TEST(MailBodyLogs, AreTakenWholeFromTheText) {
    const QString body = QStringLiteral("Ciao,\n\n") + header +
                         QStringLiteral("1>1>1QV10>NICCOL\u00d2>L>Canada>06/03/2026 14:09:00>N>\n\n"
                                        "2>1>2QV20>BICE>L>Canada>06/03/2026 14:10:00>N>\n\nGrazie\n1>x>y\n");
    const std::vector<BodyLog> logs = findBodyLogs(body);
    ASSERT_EQ(1u, logs.size());
    EXPECT_EQ(QStringLiteral("1QV1_MD_H_2026.Log"), logs[0].name);
    QString expected = header + QStringLiteral("1>1>1QV10>NICCOL\u00d2>L>Canada>06/03/2026 14:09:00>N>\n\n"
                                               "2>1>2QV20>BICE>L>Canada>06/03/2026 14:10:00>N>\n");
    expected.replace(u'\n', QStringLiteral("\r\n"));
    EXPECT_EQ(toWindows1252(expected).toStdString(), logs[0].bytes.toStdString());
    EXPECT_TRUE(logs[0].bytes.contains('\xD2'));
}

TEST(MailBodyLogs, NeedTheWholeHeader) {
    struct Case {
        QString body;
        QStringList names;
    };
    QString tenLines = header;
    tenLines.remove(QStringLiteral("#N\n"));
    QString quoted = header;
    quoted.replace(u'#', QStringLiteral("> #"));
    QString hostile = header;
    hostile.replace(QStringLiteral("#1QV1\n"), QStringLiteral("#../../x\n"));
    for (const Case& c : std::vector<Case>{
             {header, {QStringLiteral("1QV1_MD_H_2026.Log")}},
             {tenLines + QStringLiteral("1>1>1QV10>A>L>C>06/03/2026 14:09:00>N>\n"), {}},
             {quoted, {}},
             {header + QStringLiteral("\r\n") + header.toLower(),
              {QStringLiteral("1QV1_MD_H_2026.Log"), QStringLiteral("1qv1_MD_h_2026.Log")}},
             {hostile, {QStringLiteral("______x_MD_H_2026.Log")}},
             {QStringLiteral("#LOG\n##H\n"), {}},
         }) {
        QStringList names;
        for (const BodyLog& log : findBodyLogs(c.body))
            names.append(log.name);
        EXPECT_EQ(c.names, names) << c.body.toStdString();
    }
}

// A mail program that wraps long lines at a blank breaks records in two or three: each is joined again
// and counted, whatever line its pieces begin with.
TEST(MailBodyLogs, WrappedRecordsAreJoinedAndCounted) {
    const QString record1 = QStringLiteral("1>1>2QV20>BICE>L>Citt\u00e0 del Vaticano, Stato della Citt\u00e0 "
                                           "del Vaticano>06/03/2026 14:20:00>N>");
    const QString record2 = QStringLiteral("2>1>1QV10>ANNA MARIA>L>Canada>06/03/2026 14:21:00>N>");
    const QString record3 = QStringLiteral("3>1>3QV30>CARLA>L>Italia>06/03/2026 14:30:00>N>");
    const struct {
        QString body;
        int broken;
    } cases[] = {
        {record1 + u'\n' + record2 + u'\n' + record3, 0},
        // Cut before a letter, before a digit, and twice in one record.
        {QStringLiteral(
             "1>1>2QV20>BICE>L>Citt\u00e0 del Vaticano, Stato della Citt\u00e0 del\nVaticano>06/03/2026\n"
             "14:20:00>N>\n2>1>1QV10>ANNA\nMARIA>L>Canada>06/03/2026 14:21:00>N>\n") +
             record3,
         2},
    };
    for (const auto& c : cases) {
        const std::vector<BodyLog> logs = findBodyLogs(header + c.body + QStringLiteral("\n\nCiao\n"));
        ASSERT_EQ(1u, logs.size());
        EXPECT_EQ(c.broken, logs[0].brokenRecords);
        QString expected = header + record1 + u'\n' + record2 + u'\n' + record3 + u'\n';
        expected.replace(u'\n', QStringLiteral("\r\n"));
        EXPECT_EQ(toWindows1252(expected).toStdString(), logs[0].bytes.toStdString()) << c.broken;
    }
}

TEST(MailBodyLogs, FlowedLinesAreJoinedAgain) {
    EXPECT_EQ(
        QStringLiteral("1>1>1QV1>MARIA DE LAURENTIIS>H>\nfine\n-- \nfirma\n"),
        unflowed(QStringLiteral("1>1>1QV1>MARIA \r\nDE LAURENTIIS>H>\r\n fine\r\n-- \r\nfirma"), false));
    EXPECT_EQ(QStringLiteral("abcdef\n"), unflowed(QStringLiteral("abc \ndef"), true));
}

std::vector<MboxSplitter::Message> split(const QByteArray& mbox, qsizetype piece, qint64 limit = 1 << 20) {
    std::vector<MboxSplitter::Message> messages;
    MboxSplitter splitter(limit,
                          [&](MboxSplitter::Message&& message) { messages.push_back(std::move(message)); });
    for (qsizetype i = 0; i < mbox.size(); i += piece)
        splitter.feed(QByteArrayView(mbox).sliced(i, std::min(piece, mbox.size() - i)));
    splitter.finish();
    return messages;
}

// The same messages however the file is read in pieces, down to a byte at a time.
TEST(MailMboxSplitter, CutsAtSeparatorsOnly) {
    const QByteArray mbox =
        "From a@b Mon Dec  7 10:00:00 2026\nSubject: one\n\nFrom the start\n>From here\n"
        "a line with From inside\n\nFrom c@d Tue Dec  8 10:00:00 2026\r\nSubject: two\r\n\r\nbody";
    for (const qsizetype piece : {mbox.size(), qsizetype(1), qsizetype(3), qsizetype(17)}) {
        const std::vector<MboxSplitter::Message> messages = split(mbox, piece);
        ASSERT_EQ(2u, messages.size()) << piece;
        EXPECT_EQ("Subject: one\n\nFrom the start\n>From here\na line with From inside\n\n",
                  messages[0].bytes)
            << piece;
        EXPECT_EQ("Subject: two\r\n\r\nbody", messages[1].bytes) << piece;
        EXPECT_EQ(2, messages[1].number);
    }
    EXPECT_TRUE(split("no marker at all\n", 4).empty());
    EXPECT_TRUE(split("", 4).empty());
}

// The separators real programs write, and body lines that begin the same way but are no separator.
TEST(MailMboxSplitter, TakesOnlyTheSeparatorsForm) {
    const struct {
        const char* line;
        bool separator;
    } cases[] = {
        {"From MAILER-DAEMON Tue Dec  8 12:00:00 2026", true},
        {"From mario@qv.example Tue Dec  8 12:00:00 2026\r\n", true},
        {"From mario@qv.example  Tue Dec 8 12:00:00 2026", true},
        {"From - Tue Dec 08 12:00:00 2026", true},
        {"From mario@qv.example Tue Dec  8 12:00 2026", true},
        {"From mario@qv.example Tue Dec  8 12:00:00 +0100 2026", true},
        {"From mario@qv.example Tue, 8 Dec 2026 12:00:00 +0000", true},
        {"From the shack, 73 to all", false},
        {"From the shack Tue Dec  8 until 2026", false},
        {"From mario@qv.example", false},
        {"From  Tue Dec  8 12:00:00 2026", false},
        {"From mario Tue Dec  8 12:00:00", false},
        {"from mario@qv.example Tue Dec  8 12:00:00 2026", false},
        {">From mario@qv.example Tue Dec  8 12:00:00 2026", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.separator, MboxSplitter::isSeparator(c.line)) << c.line;
}

// Four messages as mail programs save them: the body lines that look like a separator are escaped
// with ">" (mboxo, mboxrd) or left as they are, since only the separator's form and an empty line
// before it make a new message.
TEST(MailMboxSplitter, ReadsMailboxesAsMailProgramsWriteThem) {
    auto mailbox = [](const char* escape) {
        QByteArray mbox;
        for (int n = 1; n <= 4; ++n) {
            mbox += "From mario@qv.example Tue Dec  8 12:0" + QByteArray::number(n) + ":00 2026\n";
            mbox += "From: Mario <mario@qv.example>\nSubject: log " + QByteArray::number(n) + "\n\n";
            mbox += escape + QByteArray("From the shack, 73\n\n");
            mbox += escape + QByteArray("From mario Tue Dec  8 until late\n");
            mbox += QByteArray(escape) + escape + "From here\nend\n\n";
        }
        return mbox;
    };
    for (const char* escape : {"", ">"}) {
        const QByteArray mbox = mailbox(escape);
        for (const qsizetype piece : {mbox.size(), qsizetype(1), qsizetype(64)}) {
            const std::vector<MboxSplitter::Message> messages = split(mbox, piece);
            ASSERT_EQ(4u, messages.size()) << escape << piece;
            for (int n = 0; n < 4; ++n) {
                EXPECT_TRUE(messages[n].bytes.startsWith("From: Mario")) << escape << piece << n;
                EXPECT_TRUE(messages[n].bytes.endsWith("From here\nend\n\n")) << escape << piece << n;
            }
        }
    }
}

// A message over the limit keeps its head for the note and lets the next one be read whole.
TEST(MailMboxSplitter, KeepsOnlyTheHeadOfAMessageOverTheLimit) {
    const QByteArray large = "Subject: big\n\n" + QByteArray(400 * 1024, 'x') + '\n';
    const QByteArray mbox = "From a Tue Dec  8 12:00:00 2026\n" + large +
                            "\nFrom b Tue Dec  8 12:01:00 2026\n" + "Subject: small\n\nok\n";
    const std::vector<MboxSplitter::Message> messages = split(mbox, 65536, 300 * 1024);
    ASSERT_EQ(2u, messages.size());
    EXPECT_TRUE(messages[0].tooLarge);
    EXPECT_EQ(large.size() + 1, messages[0].size);
    EXPECT_EQ(MboxSplitter::HeadBytes, messages[0].bytes.size());
    EXPECT_TRUE(messages[0].bytes.startsWith("Subject: big"));
    EXPECT_FALSE(messages[1].tooLarge);
    EXPECT_EQ("Subject: small\n\nok\n", messages[1].bytes);
}

// A line that never ends is taken as it stands, never held whole while waiting for its end.
TEST(MailMboxSplitter, AnEndlessLineIsNoMarker) {
    const QByteArray marker = "From a Tue Dec  8 12:00:00 2026\n";
    const QByteArray mbox =
        marker + QByteArray(3 * 1024 * 1024, 'y') + "From b Tue Dec  8 12:00:00 2026\nz\n";
    const std::vector<MboxSplitter::Message> messages = split(mbox, 1 << 20, 64 << 20);
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(mbox.size() - marker.size(), messages[0].size);
}

} // namespace
