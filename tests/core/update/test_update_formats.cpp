#include "core/update/DownloadFault.h"
#include "core/update/FileShape.h"
#include "core/update/InstalledVersions.h"
#include "core/update/UpdateFiles.h"
#include "core/update/UpdateManifest.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QNetworkReply>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::TempProgramFolder;

namespace {

const QStringList exampleItems = {QStringLiteral("07A"), QStringLiteral("03B"), QStringLiteral("12C"),
                                  QStringLiteral("01D"), QStringLiteral("05E")};

QStringList firstFive(const UpdateManifest& manifest) {
    QStringList items;
    for (int i = 0; i < UpdateFileCount; ++i)
        items.append(manifest.item(i));
    return items;
}

} // namespace

TEST(UpdateManifest, SplitsTrimsAndCuts) {
    const QByteArray filler(1000 - 16, 'X');
    struct Case {
        const char* name;
        QByteArray bytes;
        QStringList items; // items 0 to 4
        qsizetype count;
    };
    const Case cases[] = {
        {"example", "07A>03B>12C>01D>05E", exampleItems, 5},
        {"blanks and line end around the whole", "  07A>03B>12C>01D>05E\r\n", exampleItems, 5},
        {"blanks and line breaks around separators", "07A >\r\n03B> 12C>01D>05E", exampleItems, 5},
        {"more than seven items", "07A>03B>12C>01D>05E>x>y>z>w", exampleItems, 9},
        {"fewer than five", "07A>03B", {"07A", "03B", "", "", ""}, 2},
        // Byte 1000 and later are never read, so "YZ" and the item after it do not exist.
        {"cut at 1000 bytes",
         "07A>03B>12C>01D>" + filler + "YZ>99Q",
         {"07A", "03B", "12C", "01D", QString::fromLatin1(filler)},
         5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UpdateManifest manifest = UpdateManifest::parse(c.bytes);
        EXPECT_FALSE(manifest.isUnusable());
        EXPECT_EQ(firstFive(manifest), c.items);
        EXPECT_EQ(manifest.itemCount(), c.count);
    }
    EXPECT_EQ(UpdateManifest::parse("7X>03B").versionCode(0), "7X");
}

TEST(UpdateManifest, NothingOrAWebPageIsUnusable) {
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray(" \r\n\t "), QByteArray("<!DOCTYPE html><html><body>Portal</body></html>"),
          QByteArray("\r\n<html>07A>03B>12C>01D>05E</html>")}) {
        SCOPED_TRACE(bytes.toStdString());
        const UpdateManifest manifest = UpdateManifest::parse(bytes);
        EXPECT_TRUE(manifest.isUnusable());
        EXPECT_EQ(manifest.item(0), "");
    }
}

TEST(UpdateManifest, OnlyTheFirstTwoCharactersOfAnItemCount) {
    struct Case {
        const char* item;
        const char* installed;
        bool current;
    };
    const Case cases[] = {
        {"07A", "07", true},  {"7X", "7X", true},    {"07A", " 07 ", true}, {"07A", "\t07", true},
        {"03B", "02", false}, {"07A", "07A", false}, {"07A", "", false},    {"7", "7", true},
        {"07", "7", false},   {"07A", "0 7", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " / " + c.installed);
        EXPECT_EQ(isCurrentVersion(QString::fromLatin1(c.item), QString::fromLatin1(c.installed)), c.current);
    }
}

TEST(UpdateAddresses, FileAndManifestAddressesStayOnTheBaseServer) {
    struct Case {
        const char* base;
        const char* item;
        const char* file;     // empty: refused
        const char* manifest; // empty: refused
    };
    const Case cases[] = {
        {"https://www.example.org/qvmd/", "03B", "https://www.example.org/qvmd/03B.dat",
         "https://www.example.org/download/Aggior_MD.dat"},
        // No separator is added: the item follows the base as it stands.
        {"http://h/md", "03B", "http://h/md03B.dat", "http://h/download/Aggior_MD.dat"},
        {"http://127.0.0.1:8080/a/b/", "07A", "http://127.0.0.1:8080/a/b/07A.dat",
         "http://127.0.0.1:8080/download/Aggior_MD.dat"},
        // An item that would name another server is only a path on this one.
        {"http://127.0.0.1:18080", "02@localhost:18081/qvmd/02A",
         "http://127.0.0.1:18080/02@localhost:18081/qvmd/02A.dat",
         "http://127.0.0.1:18080/download/Aggior_MD.dat"},
        {"http://127.0.0.1:18080/q/", "02A?x=1#y", "http://127.0.0.1:18080/q/02A%3Fx=1%23y.dat",
         "http://127.0.0.1:18080/download/Aggior_MD.dat"},
        {"http://h/q/", "../../etc/02A", "", "http://h/download/Aggior_MD.dat"},
        // Without a scheme an address is refused when it is read.
        {"127.0.0.1:18080/qvmd/", "02A", "", ""},
        {" www.example.org/md/ ", "02A", "", ""},
        {"localhost:18080/qvmd/", "02A", "", ""},
        {"", "02A", "", ""},
        {"   ", "02A", "", ""},
        {"file:///tmp/md/", "02A", "", ""},
        {"ftp://h/md/", "02A", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " + " + c.item);
        const QString base = QString::fromLatin1(c.base);
        EXPECT_EQ(fileAddress(base, QString::fromLatin1(c.item)), QString::fromLatin1(c.file));
        EXPECT_EQ(manifestAddress(base).toString(), QString::fromLatin1(c.manifest));
    }
}

TEST(UpdateAddresses, ANewMdIniKeepsTheUpdatesReachableAndSecure) {
    using Kind = DownloadFault::Kind;
    const auto settings = [](const char* base) {
        return QByteArray("[s]\r\nmail@example.org\r\n\r\n\r\n\r\n\r\n") + base + "\r\n\r\n";
    };
    struct Case {
        const char* current;
        QByteArray bytes;
        std::optional<Kind> fault;
    };
    const Case cases[] = {
        {"https://www.example.org/qvmd/", settings("https://www.example.org/qvmd2/"), std::nullopt},
        {"https://www.example.org/qvmd/", settings("HTTPS://mirror.example.org/qvmd/"), std::nullopt},
        {"http://www.example.org/qvmd/", settings("https://www.example.org/qvmd/"), std::nullopt},
        {"http://www.example.org/qvmd/", settings("http://www.example.org/qvmd/"), std::nullopt},
        {"https://www.example.org/qvmd/", settings("http://www.example.org/qvmd/"), Kind::InsecureSettings},
        {"https://www.example.org/qvmd/", settings("www.example.org/qvmd/"), Kind::BadAddress},
        {"http://www.example.org/qvmd/", settings("127.0.0.1:18080/qvmd/"), Kind::BadAddress},
        {"http://www.example.org/qvmd/", "[s]\r\nmail@example.org\r\n", Kind::BadAddress},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const std::optional<DownloadFault> fault = checkNewSettings(QString::fromLatin1(c.current), c.bytes);
        ASSERT_EQ(fault.has_value(), c.fault.has_value());
        if (fault) {
            EXPECT_EQ(fault->kind, *c.fault);
            EXPECT_EQ(fault->line, 7);
        }
    }
}

TEST(InstalledVersions, RewritesOnlyTheReplacedFiles) {
    TempProgramFolder folder;
    struct Case {
        const char* name;
        QStringList agg; // empty list: no Agg.dat at all
        std::array<bool, UpdateFileCount> replaced;
        QStringList expected;
    };
    const Case cases[] = {
        {"example",
         {"07", "02", "12", "01", "05"},
         {false, true, false, false, false},
         {"07", "03", "12", "01", "05", ""}},
        {"blanks around codes stay as read",
         {" 07 ", "02", "12 ", "01", "05", "xx"},
         {true, false, false, false, false},
         {"07", "02", "12 ", "01", "05", "xx"}},
        {"line 6 carried, later lines dropped",
         {"07", "02", "12", "01", "05", "L6", "L7", "L8", "L9"},
         {false, false, false, false, true},
         {"07", "02", "12", "01", "05", "L6"}},
        {"no Agg.dat", {}, {true, false, false, true, false}, {"07", "", "", "01", "", ""}},
    };
    const UpdateManifest manifest = UpdateManifest::parse("07A>03B>12C>01D>05E>99Z");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(folder.data(QStringLiteral("Agg.dat")));
        if (!c.agg.isEmpty())
            folder.writeData(QStringLiteral("Agg.dat"), c.agg);
        const Result<InstalledVersions> versions =
            InstalledVersions::load(folder.data(QStringLiteral("Agg.dat")));
        ASSERT_TRUE(versions.ok());
        EXPECT_EQ(versions.value().afterUpdate(manifest, c.replaced), c.expected);
    }
}

TEST(FileShape, AcceptsWhatTheFileHoldsAndRefusesTheRest) {
    using Kind = DownloadFault::Kind;
    struct Case {
        const char* name;
        int file;
        QByteArray bytes;
        std::optional<Kind> fault;
        int line = 0;
    };
    const QByteArray twelveLines = QByteArray("x\r\n").repeated(12);
    const Case cases[] = {
        {"roster", 0, "# comment\r\n1QV1>ANNA\r\n\r\n5QV123>B\r\n", std::nullopt},
        {"roster with LF only", 1, "1QV1>ANNA\n2QV2>BRUNO\n", Kind::Truncated, 2},
        // Cut short by a server that sent no length: the last line lacks its CR LF.
        {"roster cut mid-name", 0, "1QV1>ANNA\r\n143QV546>ROSSEL", Kind::Truncated, 2},
        {"roster cut mid-identifier", 0, "1QV1>ANNA\r\n143QV5", Kind::Truncated, 2},
        {"roster wrong before the cut", 0, "1QV1>ANNA\r\nBRUNO\r\n143QV5", Kind::WrongShape, 2},
        {"roster cut after CR", 0, "1QV1>ANNA\r", Kind::Truncated, 1},
        {"country table cut", 2, "VE>Canada\r\nI>Ita", Kind::Truncated, 2},
        {"weights cut in the last number", 3, "1\r\n3\r\n3\r\n1\r\n2", Kind::Truncated, 5},
        {"settings cut", 4, "[settings]\r\nmail@exa", Kind::Truncated, 2},
        {"roster line without separator", 0, "1QV1>ANNA\r\n2QV2 BRUNO\r\n", Kind::WrongShape, 2},
        {"roster line without country number", 1, "1QV1>ANNA\r\nQV2>BRUNO\r\n", Kind::WrongShape, 2},
        {"roster of comments only", 0, "# nothing yet\r\n", Kind::WrongShape},
        {"country table with a blank row", 2, "VE>Canada\r\n\r\nI>Italy\r\n", std::nullopt},
        {"country line without separator", 2, "VE>Canada\r\nItaly\r\n", Kind::WrongShape, 2},
        {"country table of blanks", 2, " \r\n\r\n", Kind::WrongShape},
        {"weights", 3, "1\r\n3\r\n3\r\n1\r\n2\r\n", std::nullopt},
        {"weights with a tail on line 1 and extra lines", 3, "12 points\r\n3\r\n3\r\n1\r\n2\r\nx\r\n",
         std::nullopt},
        {"four weights", 3, "1\r\n3\r\n3\r\n1\r\n", Kind::WrongShape, 5},
        {"weight that is no number", 3, "1\r\n3\r\nthree\r\n1\r\n2\r\n", Kind::WrongShape, 3},
        {"weight line 1 without a number", 3, "x\r\n3\r\n3\r\n1\r\n2\r\n", Kind::WrongShape, 1},
        {"settings", 4, "[settings]\r\nmail@example.org\r\n", std::nullopt},
        {"settings of eleven lines", 4, QByteArray("x\r\n").repeated(11), std::nullopt},
        {"settings of twelve lines", 4, twelveLines, Kind::WrongShape, 12},
        {"empty", 2, "", Kind::Empty},
        {"web page", 0, "\r\n<!DOCTYPE html>\r\n<html><body>1QV1>ANNA</body></html>", Kind::WebPage},
        {"web page as settings", 4, "<html><body>Error</body></html>", Kind::WebPage},
        {"binary", 2, QByteArray("VE>Canada\0\1\2", 12), Kind::WrongShape},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<DownloadFault> fault = checkFileShape(c.file, c.bytes);
        ASSERT_EQ(fault.has_value(), c.fault.has_value());
        if (fault) {
            EXPECT_EQ(fault->kind, *c.fault);
            EXPECT_EQ(fault->line, c.line);
        }
    }
}

TEST(DownloadUrlError, NumberSourceAndDescription) {
    const DownloadUrlError failed =
        downloadUrlError(QStringLiteral("http://h/03B.dat"), QStringLiteral("/p/Data/Hunter.dat"),
                         resultCode(DownloadFault{DownloadFault::Kind::HttpStatus, 404, QString(), 0}));
    EXPECT_EQ(failed.number, 51);
    EXPECT_EQ(failed.source, "DownloadURL");
    EXPECT_EQ(failed.description,
              "Impossibile scaricare l'URL \"http://h/03B.dat\" in \"/p/Data/Hunter.dat\".\r\n"
              "Codice di errore di URLDownloadToFile: -2146697210.");

    const DownloadUrlError memory =
        downloadUrlError(QStringLiteral("u"), QStringLiteral("f"),
                         resultCode(DownloadFault{DownloadFault::Kind::TooLarge, 0, QString(), 0}));
    EXPECT_EQ(memory.number, 7);
    EXPECT_TRUE(memory.description.endsWith(QStringLiteral(": -2147024882.")));
}

// The reasons inside the sentence are the program's own, in the sentence's language.
TEST(DownloadFaultText, ReasonsInOwnWordsInBothLanguages) {
    using Kind = DownloadFault::Kind;
    struct Case {
        DownloadFault fault;
        const char* italian;
        const char* english;
    };
    const Case cases[] = {
        {{Kind::Truncated, 200, QString(), 0, QNetworkReply::RemoteHostClosedError},
         "il file è arrivato incompleto (il server ha chiuso la connessione)",
         "the file arrived incomplete (the server closed the connection)"},
        {{Kind::NoConnection, 0, QString(), 0, QNetworkReply::ConnectionRefusedError},
         "nessun server ha risposto (il server ha rifiutato la connessione)",
         "no server answered (the server refused the connection)"},
        {{Kind::Secure, 0, QString(), 0, QNetworkReply::SslHandshakeFailedError},
         "la connessione sicura non è riuscita (il certificato del server non è attendibile)",
         "the secure connection failed (the server's certificate is not trusted)"},
        {{Kind::HttpStatus, 500, QString(), 0, QNetworkReply::InternalServerError},
         "il server ha risposto con l'errore 500",
         "the server answered with error 500"},
        {{Kind::NoConnection, 0, QString(), 0, QNetworkReply::UnknownNetworkError},
         "nessun server ha risposto",
         "no server answered"},
        {{Kind::InsecureRedirect, 301, QString(), 0, QNetworkReply::InsecureRedirectError},
         "il server sicuro ha rimandato a un indirizzo non sicuro (http), rifiutato per sicurezza",
         "the secure server sent the transfer on to an address that is not secure (http), refused for "
         "safety"},
        {{Kind::OffServer, 0, "http://h02@x:1/a.dat", 0, 0},
         "l'indirizzo \"http://h02@x:1/a.dat\" esce dal server degli aggiornamenti ed è rifiutato",
         "the address \"http://h02@x:1/a.dat\" leaves the update server and is refused"},
        {{Kind::InsecureSettings, 0, "http://h/", 7, 0},
         "il nuovo file farebbe scaricare i prossimi aggiornamenti senza protezione (\"http://h/\", riga 7), "
         "rifiutato per sicurezza",
         "the new file would fetch the next updates without protection (\"http://h/\", line 7), refused for "
         "safety"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.english);
        EXPECT_EQ(downloadFaultText(c.fault, QStringLiteral("Lady.dat"), 0),
                  QStringLiteral("Lady.dat: ") + QString::fromUtf8(c.italian) +
                      QStringLiteral(". Il file precedente è rimasto com'era."));
        EXPECT_EQ(downloadFaultText(c.fault, QStringLiteral("Lady.dat"), 1000),
                  QStringLiteral("Lady.dat: ") + QString::fromUtf8(c.english) +
                      QStringLiteral(". The previous file is kept as it was."));
    }
}
