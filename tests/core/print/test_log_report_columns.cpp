#include "core/print/EasyPrint.h"
#include "core/print/LogReport.h"
#include "core/print/PagedSurface.h"
#include "support/RecordingSurface.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qvmd;
using test::RecordingSurface;
using Kind = RecordingSurface::Kind;

namespace {

// The column rules of a contact page, the outer frame included, left to right.
const double Rules[] = {12.0288, 23.0847, 47.2308, 84.1747, 90.1747, 132.4055, 172.4722, 182.5551, 195.5569};

void printOne(EasyPrint& engine, const QStringList& record) {
    LogReportData data;
    data.year = QStringLiteral("2026");
    data.station = QStringLiteral("5QV123");
    data.operatorName = QStringLiteral("OPERATOR");
    bool given = false;
    LogReport(engine).StampaLog(data, LogReportTexts(), [&](QStringList& fields) {
        if (given)
            return false;
        fields = record;
        given = true;
        return true;
    });
}

} // namespace

// Characters of the recording printer are 2 mm wide at size 10, so every room is a count of characters.
TEST(ReportColumns, LongFieldsAreShortenedToTheirColumnAndKeepTheirPlace) {
    struct Case {
        int field; // 1 to 8
        QString value;
        QString printed;
        double edge; // left edge, right edge for right-aligned fields, middle for the centred one
        char align;  // 'L', 'R' or 'C'
    };
    const Case cases[] = {
        {1, "123456", "123456", 22, 'R'},                                  // numbers are never cut
        {2, "12345", "12345", 191, 'R'},                                   // a cut number is another number
        {4, "FRANCESCA D'AMBROSIO", "FRANCESCA D'AMBROS", 48, 'L'},        // 36.2 mm: the left end stays
        {5, "LHX", "LH", 87, 'C'},                                         // 5.6 mm about the middle
        {6, "Andaman & Nicobar Islands", "Andaman & Nicobar Is", 92, 'L'}, // 40.4 mm
        {7, "06/03/2026 14:05:09", "/03/2026 14:05:09", 168, 'R'},         // 35.6 mm
        {8, "NNN", "NN", 178, 'R'},                                        // 5.5 mm
        {4, "ROSSI", "ROSSI", 48, 'L'},                                    // what fits is printed whole
        {6, "Italia", "Italia", 92, 'L'},
    };
    for (const Case& c : cases) {
        RecordingSurface printer;
        EasyPrint engine(printer);
        QStringList record = {"1", "7", "5QV1", "ROSSI", "L", "Italia", "06/03/26", "N"};
        record[c.field - 1] = c.value;
        printOne(engine, record);
        const std::string what = c.value.toStdString();
        std::optional<RecordingSurface::Op> printed;
        for (const auto& op : printer.ops)
            if (op.kind == Kind::Text && op.page == 1 && op.y == 40 && op.text == c.printed)
                printed = op;
        ASSERT_TRUE(printed) << what << " printed as " << printer.textsOn(1).join('|').toStdString();
        const double width = 2.0 * c.printed.size();
        const double edge = c.align == 'L'   ? printed->x
                            : c.align == 'R' ? printed->x + width
                                             : printed->x + width / 2;
        EXPECT_NEAR(edge, c.edge, 1e-9) << what;
    }
}

// An identifier cut at either end can be another station: it is printed whole in a smaller size, and one
// too long even then is marked as shortened. The row's size comes back for the fields after it.
TEST(ReportColumns, IdentifiersAreNeverCutIntoAnotherIdentifier) {
    const struct {
        QString value;
        QString printed;
        double size;
    } cases[] = {
        {"5QV1", "5QV1", 10},
        {"340ABCDE3000", "340ABCDE3000", 9},                        // 24 mm at 10 points: a point less
        {"26124GHGR2553", "26124GHGR2553", 9},                      // 23.4 mm at 9 points: just fits
        {"1234567890ABCDE1234", "1234567890ABCDE1234", 6},          // 22.8 mm at 6 points
        {"1234567890ABCDE12345678", "1234567890ABCDE123\u2026", 6}, // too long at any size: marked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        RecordingSurface printer;
        EasyPrint engine(printer);
        printOne(engine, {"1", "7", c.value, "ROSSI", "L", "Italia", "06/03/26", "N"});
        std::optional<RecordingSurface::Op> printed;
        std::optional<RecordingSurface::Op> name;
        for (const auto& op : printer.ops) {
            if (op.kind == Kind::Text && op.page == 1 && op.y == 40 && op.text == c.printed)
                printed = op;
            if (op.kind == Kind::Text && op.page == 1 && op.y == 40 && op.text == "ROSSI")
                name = op;
        }
        ASSERT_TRUE(printed) << printer.textsOn(1).join('|').toStdString();
        EXPECT_EQ(printed->font.size, c.size);
        EXPECT_NEAR(printed->x + 0.2 * c.size * c.printed.size(), 46.5, 1e-9);
        EXPECT_GE(printed->x, Rules[1]);
        ASSERT_TRUE(name);
        EXPECT_EQ(name->font.size, 10);
    }
}

// With the report's real fonts no word of a row crosses a column rule, and values that fit stay whole.
TEST(ReportColumns, ThePrintedPdfKeepsEveryFieldInsideItsColumn) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed to read the report back";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        PagedSurface printer(writer);
        EasyPrint engine(printer);
        printOne(engine, {"32767", "9999", "26124GHGR2553", "FRANCESCA D'AMBROSIO MARCHETTI", "L",
                          "South Georgia & South Sandwich Islands", "06/03/2026 14:05:09", "N"});
    }
    // To look at the page: QVMD_REPORT_PDF=/tmp/columns.pdf, then render it.
    if (const QString keep = qEnvironmentVariable("QVMD_REPORT_PDF"); !keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(path, keep);
    }
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                              QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    const double mm = 25.4 / 72;
    QStringList row;
    for (const QRegularExpressionMatch& m : word.globalMatch(html)) {
        const double left = m.captured(1).toDouble() * mm, top = m.captured(2).toDouble() * mm;
        const double right = m.captured(3).toDouble() * mm;
        if (top < 38 || top > 270)
            continue; // the headings and the page number
        row << m.captured(4);
        for (const double rule : Rules)
            EXPECT_FALSE(left < rule - 0.05 && right > rule + 0.05)
                << m.captured(4).toStdString() << " from " << left << " to " << right << " crosses " << rule;
    }
    for (const char* whole : {"32767", "9999", "06/03/2026", "14:05:09", "FRANCESCA"})
        EXPECT_TRUE(row.contains(QString::fromLatin1(whole))) << whole << ": " << row.join('|').toStdString();
    EXPECT_FALSE(row.contains(QStringLiteral("MARCHETTI"))) << row.join('|').toStdString();
}
