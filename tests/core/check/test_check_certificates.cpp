// The certificates of the golden case "certificates", read back with pdftotext -bbox: each word and where
// it stands (points, rounded) must equal fixtures/check/certificates/pdf/<name>.txt. The PDF bytes carry
// the time they were made, so the words are compared, not the files. QVMD_REGENERATE_CHECK=1 rewrites the
// expected words.
#include "core/check/CheckRun.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

const QString root = QStringLiteral(QVMD_FIXTURES_DIR "/check");

// "x y word" a line, in reading order, pages marked.
QString wordsOf(const QString& pdf) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return QStringLiteral("<pdftotext (poppler-utils) is missing>");
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<pdftotext failed on %1>").arg(pdf);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression item(
        QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|<word xMin=\"([0-9.]+)\" "
                       "yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    QString words;
    double pageWidth = 0;
    for (const QRegularExpressionMatch& m : item.globalMatch(html)) {
        // Every word stays inside the built-in frame, 10 mm from the edge, however long the name.
        constexpr double frame = 10 * 72 / 25.4;
        if (m.captured(1).isEmpty() &&
            (m.captured(3).toDouble() < frame || m.captured(5).toDouble() > pageWidth - frame))
            words += QStringLiteral("<outside the frame:> ");
        pageWidth = m.captured(1).isEmpty() ? pageWidth : m.captured(1).toDouble();
        if (!m.captured(1).isEmpty())
            words += QStringLiteral("page %1 %2\n")
                         .arg(qRound(m.captured(1).toDouble()))
                         .arg(qRound(m.captured(2).toDouble()));
        else
            words += QStringLiteral("%1 %2 %3\n")
                         .arg(qRound(m.captured(3).toDouble()))
                         .arg(qRound(m.captured(4).toDouble()))
                         .arg(m.captured(6));
    }
    return words;
}

CheckOptions certificateRun(const QString& out) {
    CheckOptions options;
    options.dataFolder = root + QStringLiteral("/data");
    options.outFolder = out;
    options.inputs = {root + QStringLiteral("/certificates/logs")};
    options.certificates = true;
    options.languageOffset = 1000;
    return options;
}

TEST(CheckCertificates, EachRankedStationGetsItsCertificateInItsLanguage) {
    QTemporaryDir out;
    const CheckOutcome outcome = runCheck(certificateRun(out.path()));
    ASSERT_EQ(outcome.exitCode, 0) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.summary.contains(QStringLiteral("Certificates: 5 written to")))
        << outcome.summary.toStdString();
    const QDir written(out.filePath(QStringLiteral("certificates")));
    const QDir expected(root + QStringLiteral("/certificates/pdf"));
    const QStringList names = written.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    EXPECT_EQ(names, (QStringList{"H-001-1QV1.pdf", "H-002-2QV2.pdf", "L-001-3QV30.pdf", "L-002-1QV10.pdf",
                                  "all-certificates.pdf"}));
    for (const QString& name : names) {
        const QString words = wordsOf(written.filePath(name));
        const QString expectedFile =
            expected.filePath(QString(name).replace(QStringLiteral(".pdf"), QStringLiteral(".txt")));
        if (qEnvironmentVariableIsSet("QVMD_REGENERATE_CHECK")) {
            QDir().mkpath(expected.path());
            QFile file(expectedFile);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(words.toUtf8());
            continue;
        }
        QFile file(expectedFile);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << expectedFile.toStdString();
        EXPECT_EQ(QString::fromUtf8(file.readAll()).toStdString(), words.toStdString()) << name.toStdString();
    }
}

// A template that cannot be used stops the run before any log is read or any file is written, and says
// which file and line; a link in the place of the certificates folder is refused, never written through.
TEST(CheckCertificates, ABadTemplateOrALinkedFolderIsRefusedWithAClearMessage) {
    QTemporaryDir scratch;
    const QString out = scratch.filePath(QStringLiteral("out"));
    CheckOptions options = certificateRun(out);
    const struct {
        const char* file;
        QByteArray text;
        const char* says;
    } cases[] = {
        {"missing.txt", {}, "missing.txt does not exist"},
        {"torn.txt", "page 297 210\ntext 10 10 cen",
         "torn.txt is not valid at line 2: 4 values are needed, 3 are given"},
        {"fields.txt", "text 10 10 left 12 | {nome}", "\"{nome}\" is not a field"},
    };
    for (const auto& c : cases) {
        const QString path = scratch.filePath(QLatin1String(c.file));
        if (!c.text.isNull()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.text);
        }
        options.certificateTemplate = path;
        const CheckOutcome outcome = runCheck(options);
        EXPECT_EQ(outcome.exitCode, 2) << c.file;
        EXPECT_TRUE(outcome.error.startsWith(QStringLiteral("The certificate template cannot be used: ")))
            << outcome.error.toStdString();
        EXPECT_TRUE(outcome.error.contains(QLatin1String(c.says))) << outcome.error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/results.csv"))) << c.file;
    }

    options.certificateTemplate.clear();
    const QString elsewhere = scratch.filePath(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(elsewhere) && QDir().mkpath(out));
    ASSERT_TRUE(QFile::link(elsewhere, out + QStringLiteral("/certificates")));
    const CheckOutcome outcome = runCheck(options);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.error.contains(QStringLiteral("certificates"))) << outcome.error.toStdString();
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
    EXPECT_FALSE(outcome.summary.contains(QStringLiteral("Certificates:")));
}

// A disk that fills up names the failed certificate and never counts it as written.
TEST(CheckCertificates, ACertificateTheDiskRefusedIsReportedNotCounted) {
    QTemporaryDir scratch;
    CheckOptions options = certificateRun(scratch.filePath(QStringLiteral("out")));
    CheckOutcome outcome;
    {
        qvmd::test::FileSizeLimit full(64 * 1024);
        outcome = runCheck(options);
    }
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.error.contains(QStringLiteral(".pdf"))) << outcome.error.toStdString();
    EXPECT_FALSE(outcome.summary.contains(QStringLiteral("Certificates:"))) << outcome.summary.toStdString();
}

} // namespace
