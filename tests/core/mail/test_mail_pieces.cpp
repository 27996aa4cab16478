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
TEST(MailMboxSplitter, CutsAtFromLinesOnly) {
    const QByteArray mbox =
        "From a@b Mon Dec  7 10:00:00 2026\nSubject: one\n\nFrom the start\n>From here\n"
        "a line with From inside\n\nFrom c@d Tue Dec  8 10:00:00 2026\r\nSubject: two\r\n\r\nbody";
    for (const qsizetype piece : {mbox.size(), qsizetype(1), qsizetype(3), qsizetype(17)}) {
        const std::vector<MboxSplitter::Message> messages = split(mbox, piece);
        ASSERT_EQ(3u, messages.size()) << piece;
        EXPECT_EQ("Subject: one\n\n", messages[0].bytes) << piece;
        EXPECT_EQ(">From here\na line with From inside\n\n", messages[1].bytes) << piece;
        EXPECT_EQ("Subject: two\r\n\r\nbody", messages[2].bytes) << piece;
        EXPECT_EQ(3, messages[2].number);
    }
    EXPECT_TRUE(split("no marker at all\n", 4).empty());
    EXPECT_TRUE(split("", 4).empty());
}

// A message over the limit keeps its head for the note and lets the next one be read whole.
TEST(MailMboxSplitter, KeepsOnlyTheHeadOfAMessageOverTheLimit) {
    const QByteArray large = "Subject: big\n\n" + QByteArray(400 * 1024, 'x') + '\n';
    const QByteArray mbox = "From a\n" + large + "From b\nSubject: small\n\nok\n";
    const std::vector<MboxSplitter::Message> messages = split(mbox, 65536, 300 * 1024);
    ASSERT_EQ(2u, messages.size());
    EXPECT_TRUE(messages[0].tooLarge);
    EXPECT_EQ(large.size(), messages[0].size);
    EXPECT_EQ(MboxSplitter::HeadBytes, messages[0].bytes.size());
    EXPECT_TRUE(messages[0].bytes.startsWith("Subject: big"));
    EXPECT_FALSE(messages[1].tooLarge);
    EXPECT_EQ("Subject: small\n\nok\n", messages[1].bytes);
}

// A line that never ends is taken as it stands, never held whole while waiting for its end.
TEST(MailMboxSplitter, AnEndlessLineIsNoMarker) {
    const QByteArray mbox = "From a\n" + QByteArray(3 * 1024 * 1024, 'y') + "From b\nz\n";
    const std::vector<MboxSplitter::Message> messages = split(mbox, 1 << 20, 64 << 20);
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(mbox.size() - 7, messages[0].size);
}

} // namespace
