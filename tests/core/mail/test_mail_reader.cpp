// Messages as mail programs shape them, read through the MIME library: what is taken as a log, with
// which bytes, and what becomes a note; and the mailbox forms a folder can take.
#include "core/mail/GMimeMailSource.h"
#include "core/mail/MessageScan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

const QByteArray logBytes =
    "##H\r\n#1QV1\r\n#NICCOL\xD2\r\n#N\r\n#1\r\n#07/12/2026\r\n#1\r\n#QV\r\n#1\r\n#2026\r\n#LOG\r\n"
    "1>1>1QV10>ANNA>L>Canada>06/03/2026 14:09:00>N>\r\n";

QByteArray mixed(const QByteArray& parts) {
    return "From: Mario <m@qv.example>\nSubject: Log\nDate: Mon, 07 Dec 2026 18:05:00 +0100\nMIME-Version: "
           "1.0\n"
           "Content-Type: multipart/mixed; boundary=\"b\"\n\n--b\nContent-Type: text/plain\n\nCiao\n" +
           parts + "--b--\n";
}

QByteArray attachment(const QByteArray& headers, const QByteArray& bytes) {
    return "--b\n" + headers + "Content-Transfer-Encoding: base64\n\n" + bytes.toBase64() + "\n";
}

std::vector<MailNote::Kind> kinds(const MessageHarvest& harvest) {
    std::vector<MailNote::Kind> found;
    for (const MailNote& note : harvest.notes)
        found.push_back(note.kind);
    return found;
}

// File names in each encoding mail programs use; the bytes come out exactly as they were attached.
TEST(MailMessages, AttachedLogsKeepTheirBytesWhateverTheNameEncoding) {
    for (const QByteArray& headers : {
             QByteArray("Content-Type: application/octet-stream; name=\"1QV1_MD_H_2026.Log\"\n"),
             QByteArray("Content-Type: text/plain; charset=windows-1252\n"
                        "Content-Disposition: attachment; filename=\"1qv1_md_h_2026.LOG\"\n"),
             QByteArray(
                 "Content-Type: application/octet-stream\n"
                 "Content-Disposition: attachment; filename*0*=UTF-8''1QV1_MD_;\n filename*1*=H_2026.Log\n"),
             QByteArray(
                 "Content-Type: application/octet-stream;\n name=\"=?UTF-8?B?MVFWMV9NRF9IXzIwMjYuTG9n?=\"\n"),
         }) {
        const MessageHarvest harvest = scanMessage(mixed(attachment(headers, logBytes)), {});
        ASSERT_EQ(1u, harvest.logs.size()) << headers.toStdString();
        EXPECT_EQ(0, harvest.logs[0].name.compare(QStringLiteral("1QV1_MD_H_2026.Log"), Qt::CaseInsensitive));
        EXPECT_EQ(logBytes, harvest.logs[0].bytes);
        EXPECT_TRUE(harvest.notes.empty());
        EXPECT_EQ(QStringLiteral("Mario <m@qv.example>"), harvest.logs[0].origin.sender);
        EXPECT_EQ(QStringLiteral("07/12/2026 17:05:00 UTC"), harvest.logs[0].origin.date);
    }
    const QByteArray lineFeeds = QByteArray(logBytes).replace("\r\n", "\n");
    const MessageHarvest harvest =
        scanMessage(mixed("--b\nContent-Type: text/plain\nContent-Disposition: "
                          "attachment; filename=1QV1_MD_H_2026.Log\n\n" +
                          lineFeeds + '\n'), // the line end before a boundary is the boundary's
                    {});
    ASSERT_EQ(1u, harvest.logs.size());
    EXPECT_EQ(lineFeeds, harvest.logs[0].bytes);
}

// Names with accents in each form mail programs encode them: what the manager reads names the file as sent.
TEST(MailMessages, AccentedAttachmentNamesAreDecodedInTheirCharacterSet) {
    const QString zipName = QString::fromUtf8("Log_Niccol\xC3\xB2_citt\xC3\xA0.zip");
    const struct {
        const char* form;
        QByteArray headers;
    } cases[] = {
        {"RFC 2047 UTF-8 base64", "Content-Type: application/zip;\n name=\"=?UTF-8?B?" +
                                      QByteArray("Log_Niccol\xC3\xB2_citt\xC3\xA0.zip").toBase64() +
                                      "?=\"\n"},
        {"RFC 2047 UTF-8 quoted",
         "Content-Type: application/zip;\n name=\"=?utf-8?Q?Log=5FNiccol=C3=B2=5Fcitt=C3=A0.zip?=\"\n"},
        {"RFC 2047 Latin-1 quoted",
         "Content-Type: application/zip;\n name=\"=?ISO-8859-1?Q?Log=5FNiccol=F2=5Fcitt=E0.zip?=\"\n"},
        {"RFC 2047 Windows-1252 base64", "Content-Type: application/zip;\n name=\"=?windows-1252?B?" +
                                             QByteArray("Log_Niccol\xF2_citt\xE0.zip").toBase64() + "?=\"\n"},
        {"RFC 2231 UTF-8", "Content-Type: application/zip\nContent-Disposition: attachment;\n "
                           "filename*=UTF-8''Log_Niccol%C3%B2_citt%C3%A0.zip\n"},
        {"RFC 2231 Latin-1 in pieces", "Content-Type: application/zip\nContent-Disposition: attachment;\n "
                                       "filename*0*=iso-8859-1''Log_Niccol%F2;\n filename*1*=_citt%E0.zip\n"},
        {"RFC 2231 UTF-8 with a language",
         "Content-Type: application/zip\nContent-Disposition: attachment;\n "
         "filename*=utf-8'it'Log_Niccol%C3%B2_citt%C3%A0.zip\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        const MessageHarvest harvest = scanMessage(mixed(attachment(c.headers, "PK\x03\x04")), {});
        ASSERT_EQ(1u, harvest.notes.size());
        EXPECT_EQ(MailNote::Kind::Zip, harvest.notes[0].kind);
        EXPECT_EQ(zipName, harvest.notes[0].attachment);
    }
    // A message without a log names what it had, accents included.
    const MessageHarvest harvest =
        scanMessage(mixed(attachment("Content-Type: image/jpeg\nContent-Disposition: attachment;\n "
                                     "filename*=UTF-8''Foto_citt%C3%A0.jpg\n",
                                     "JFIF")),
                    {});
    ASSERT_EQ(1u, harvest.notes.size());
    EXPECT_EQ(MailNote::Kind::NoLog, harvest.notes[0].kind);
    EXPECT_EQ(QString::fromUtf8("Foto_citt\xC3\xA0.jpg"), harvest.notes[0].attachment);
}

// Each text body is read in its character set, and a log in it comes back in Windows-1252.
TEST(MailMessages, BodyLogsAreReadInTheirCharacterSet) {
    struct Case {
        QByteArray charset;
        QByteArray name; // the operator's name as the body carries it
        std::vector<MailNote::Kind> notes;
        QByteArray expected; // as the log gives it
    };
    for (const Case& c : std::vector<Case>{
             {"utf-8", "NICCOL\xC3\x92", {}, "NICCOL\xD2"},
             {"windows-1252", "NICCOL\xD2", {}, "NICCOL\xD2"},
             {"iso-8859-15", "EURO \xA4", {}, "EURO \x80"},
             {"x-unheard-of", "NICCOL\xD2", {MailNote::Kind::UnknownCharset}, "NICCOL\xD2"},
         }) {
        QByteArray body = QByteArray(logBytes).replace("NICCOL\xD2", c.name);
        const QByteArray message = "From: a@b\nSubject: s\nContent-Type: text/plain; charset=\"" + c.charset +
                                   "\"\nContent-Transfer-Encoding: 8bit\n\nEcco:\n" +
                                   body.replace("\r\n", "\n") + "\nCiao\n";
        const MessageHarvest harvest = scanMessage(message, {});
        ASSERT_EQ(1u, harvest.logs.size()) << c.charset.toStdString();
        EXPECT_TRUE(harvest.logs[0].bytes.contains("\r\n#" + c.expected + "\r\n")) << c.charset.toStdString();
        EXPECT_EQ(c.notes, kinds(harvest)) << c.charset.toStdString();
    }
}

// A forwarded message is opened; what is not a log is named for the manager, never a stop.
// A log pasted into a body that the mail program wrapped at 72 columns: every contact is kept, and the
// manager is told to ask for the log as an attachment, with the count of broken records.
TEST(MailMessages, AWrappedBodyLogIsKeptWholeAndNoted) {
    const QByteArray message =
        "From: a@b\nSubject: s\nContent-Type: text/plain; charset=us-ascii\n\n"
        "##H\n#1QV1\n#MARIO\n#N\n#1\n#07/12/2026\n#1\n#QV\n#1\n#2026\n#LOG\n"
        "1>2>2QV20>BICE>L>Citta del Vaticano, Stato della Citta del Vaticano>06/03/2026\n"
        "14:20:00>N>\n2>1>1QV10>ANNA>L>Canada>06/03/2026 14:21:00>N>\n\n73\n";
    const MessageHarvest harvest = scanMessage(message, {});
    ASSERT_EQ(1u, harvest.logs.size());
    EXPECT_EQ(1, harvest.logs[0].brokenRecords);
    EXPECT_TRUE(harvest.logs[0].bytes.contains("Vaticano>06/03/2026 14:20:00>N>\r\n2>1>"));
    ASSERT_EQ(std::vector<MailNote::Kind>{MailNote::Kind::WrappedLog}, kinds(harvest));
    EXPECT_EQ(QStringLiteral("1"), harvest.notes[0].value);
    EXPECT_TRUE(harvest.notes[0].failure());
}

TEST(MailMessages, ForwardedLogsAreFoundAndEverythingElseIsANote) {
    const QByteArray inner =
        "From: old@qv.example\nSubject: first\nMIME-Version: 1.0\nContent-Type: multipart/mixed; "
        "boundary=\"i\"\n\n--i\nContent-Type: application/octet-stream; name=1QV1_MD_H_2026.Log\n"
        "Content-Transfer-Encoding: base64\n\n" +
        logBytes.toBase64() + "\n--i--\n";
    MessageHarvest harvest = scanMessage(mixed("--b\nContent-Type: message/rfc822\n\n" + inner), {});
    ASSERT_EQ(1u, harvest.logs.size());
    EXPECT_EQ(logBytes, harvest.logs[0].bytes);
    EXPECT_EQ(QStringLiteral("Mario <m@qv.example>"), harvest.logs[0].origin.sender); // the message received

    struct Case {
        QByteArray parts;
        std::vector<MailNote::Kind> notes;
    };
    using K = MailNote::Kind;
    for (const Case& c : std::vector<Case>{
             {"", {K::NoLog}},
             {attachment("Content-Type: application/zip; name=log.bin\n", "PK"), {K::Zip}},
             {attachment("Content-Type: application/octet-stream; name=1QV1_MD_H_2026.Log\n", "PK\x03\x04"),
              {K::NoHeader}},
             {attachment("Content-Type: application/octet-stream; name=1QV1_MD_H_2026.Log\n",
                         QByteArray(9, '\0')),
              {K::BinaryLog}},
         }) {
        harvest = scanMessage(mixed(c.parts), {});
        EXPECT_TRUE(harvest.logs.empty()) << c.parts.toStdString();
        EXPECT_EQ(c.notes, kinds(harvest)) << c.parts.toStdString();
    }
    QByteArray deep;
    for (int i = 0; i < 2000; ++i)
        deep += i % 2 ? QByteArray("Content-Type: message/rfc822\n\n")
                      : "Content-Type: multipart/mixed; boundary=b" + QByteArray::number(i) + "\n\n--b" +
                            QByteArray::number(i) + "\n";
    for (const QByteArray& broken :
         {QByteArray(), QByteArray("\0\0\0", 3), QByteArray("Content-Type: multipart/mixed\n\n--x\n\nlog\n"),
          QByteArray("Content-Type: multipart/mixed; boundary=z\n\n--z\nContent-Type: text/plain\n\n" +
                     logBytes),
          deep + "Content-Type: application/octet-stream; name=1QV1_MD_H_2026.Log\n\n" + logBytes}) {
        harvest = scanMessage(broken, {});
        EXPECT_FALSE(harvest.notes.empty() && harvest.logs.empty()) << broken.left(200).toStdString();
    }
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct Read {
    QStringList logs;  // each log's place and name
    QStringList notes; // each note's place and kind
};

Read readMail(const QStringList& mailboxes) {
    Read read;
    GMimeMailSource source;
    source.read(
        mailboxes,
        [&](ReceivedLog&& log) {
            read.logs.append(log.origin.place + QString::number(log.origin.number) + u' ' + log.name);
        },
        [&](MailNote&& note) {
            read.notes.append(note.origin.place + QString::number(note.origin.number) + u' ' +
                              QString::number(static_cast<int>(note.kind)));
        });
    return read;
}

// The forms a mailbox takes, in mailbox order; missing or odd ones are notes, and nothing is stopped.
TEST(MailMailboxes, EachFormIsReadInItsOrder) {
    QTemporaryDir scratch;
    const QDir dir(scratch.path());
    const QByteArray message =
        mixed(attachment("Content-Type: application/octet-stream; name=1QV1_MD_H_2026.Log\n", logBytes));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("eml")) && dir.mkpath(QStringLiteral("Maildir/cur")) &&
                dir.mkpath(QStringLiteral("Maildir/new")) && dir.mkpath(QStringLiteral("empty")));
    write(dir.filePath(QStringLiteral("eml/b.EML")), message);
    write(dir.filePath(QStringLiteral("eml/a.eml")), "Subject: nothing\n\nhello\n");
    write(dir.filePath(QStringLiteral("eml/notes.txt")), message);
    write(dir.filePath(QStringLiteral("Maildir/new/2.x")), message);
    write(dir.filePath(QStringLiteral("Maildir/cur/1.x:2,S")), message);
    write(dir.filePath(QStringLiteral("mbox")), "From a@b Tue Dec  8 12:00:00 2026\n" + message +
                                                    "\nFrom b@c Tue Dec  8 12:01:00 2026\n" + message);
    write(dir.filePath(QStringLiteral("single.eml")), message);
    const Read read =
        readMail({dir.filePath(QStringLiteral("eml")), dir.filePath(QStringLiteral("Maildir")),
                  dir.filePath(QStringLiteral("mbox")), dir.filePath(QStringLiteral("single.eml")),
                  dir.filePath(QStringLiteral("empty")), dir.filePath(QStringLiteral("missing"))});
    const QString log = QStringLiteral(" 1QV1_MD_H_2026.Log");
    EXPECT_EQ((QStringList{QStringLiteral("b.EML0") + log, QStringLiteral("cur/1.x:2,S0") + log,
                           QStringLiteral("new/2.x0") + log, QStringLiteral("1") + log,
                           QStringLiteral("2") + log, QStringLiteral("single.eml0") + log}),
              read.logs);
    const auto kind = [](MailNote::Kind k) { return QString::number(static_cast<int>(k)); };
    EXPECT_EQ((QStringList{QStringLiteral("a.eml0 ") + kind(MailNote::Kind::NoLog),
                           QStringLiteral("0 ") + kind(MailNote::Kind::NotAMailbox),
                           QStringLiteral("0 ") + kind(MailNote::Kind::Unreadable)}),
              read.notes);
}

// A message file over the limit is never read whole; its headers still name it.
TEST(MailMailboxes, AMessageOverTheLimitIsANote) {
    QTemporaryDir scratch;
    QFile file(scratch.filePath(QStringLiteral("big.eml")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("From: Big <big@qv.example>\nSubject: huge\n\n");
    ASSERT_TRUE(file.resize(MaxMessageBytes + 1)); // sparse: no disk is filled
    file.close();
    std::vector<MailNote> notes;
    GMimeMailSource().read(
        {scratch.path()}, [](ReceivedLog&&) { FAIL(); },
        [&](MailNote&& note) { notes.push_back(std::move(note)); });
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(MailNote::Kind::MessageTooLarge, notes[0].kind);
    EXPECT_EQ(QStringLiteral("Big <big@qv.example>"), notes[0].origin.sender);
    EXPECT_EQ(QStringLiteral("huge"), notes[0].origin.subject);
}

} // namespace
