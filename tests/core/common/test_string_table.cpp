#include "CoreTexts.h"
#include "DownloadTexts.h"
#include "core/common/StringTable.h"
#include "core/logfile/LogFile.h"
#include "support/Printers.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// Lines recorded from the texts as they were, line ends written as \r and \n.
QStringList recorded(const char* name) {
    return QString::fromUtf8(fileBytes(QStringLiteral(QVMD_FIXTURES_DIR "/strings/") + QLatin1String(name)))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

// One line a text, three fields, one id each: a second line with the same id would silently win, and an
// Italian id from 2000 up would be taken for another text's English.
TEST(StringTableFile, EveryLineIsOneIdWithItsTexts) {
    const QByteArray table = fileBytes(QStringLiteral(QVMD_SOURCE_DIR "/resources/strings.tsv"));
    ASSERT_TRUE(table.endsWith('\n'));
    QSet<int> ids;
    int lineNumber = 0;
    for (const QByteArray& line : table.split('\n')) {
        ++lineNumber;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        ASSERT_EQ(fields.size(), 3) << "line " << lineNumber;
        bool ok = false;
        const int id = fields[0].toInt(&ok);
        EXPECT_TRUE(ok && id >= 1000 && id < 2000) << "line " << lineNumber;
        EXPECT_FALSE(ids.contains(id)) << "id " << id << " twice";
        ids.insert(id);
        EXPECT_FALSE(fields[1].isEmpty()) << "id " << id << " has no Italian text";
        EXPECT_FALSE(line.contains('\r')) << "id " << id;
    }
}

// The texts core makes from its codes come from the table, word for word as they were recorded.
TEST(CoreTexts, FileFolderAndDownloadTextsAreAsRecorded) {
    const struct {
        const char* fixture;
        QStringList made;
        bool paths; // every '/' is in a path of the file system
    } cases[] = {
        {"file_texts.txt", test::fileAndFolderTexts(), true},
        {"download_texts.txt", test::downloadFaultTexts(), false},
    };
    for (const auto& c : cases) {
        const QStringList expected = recorded(c.fixture);
        ASSERT_EQ(c.made.size(), expected.size()) << c.fixture;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QString made = c.made[i];
            made.replace(QLatin1Char('\r'), QStringLiteral("\\r"))
                .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
            // Paths are recorded with '/'; Windows shows its own separator.
            const QString wanted = c.paths ? QDir::toNativeSeparators(expected[i]) : expected[i];
            EXPECT_EQ(made, wanted) << c.fixture << " text " << i;
        }
    }
}

// A text asked for in a language is there, with every marker filled.
TEST(CoreTexts, EveryTextIsWholeInItsLanguage) {
    const QRegularExpression marker(QStringLiteral("%[1-9]"));
    AppendError full{AppendError::Kind::LogFull, fileError(FileError::Kind::Unwritable, "/p/Logs/a.Log")};
    for (const int language : {0, 1000}) {
        const QString text = appendErrorText(full, language);
        EXPECT_FALSE(text.isEmpty()) << language;
        EXPECT_FALSE(text.contains(marker)) << text.toStdString();
        EXPECT_TRUE(text.contains("a.Log") && text.contains("32766")) << text.toStdString();
    }
    EXPECT_NE(appendErrorText(full, 0), appendErrorText(full, 1000));
    for (const QString& text : test::fileAndFolderTexts())
        EXPECT_FALSE(text.contains(marker)) << text.toStdString();
}
