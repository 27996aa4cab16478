#include "core/print/EasyPrint.h"
#include "core/print/LogReport.h"
#include "core/print/PagedSurface.h"
#include "support/RecordingSurface.h"

#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace qvmd;
using test::RecordingSurface;
using Kind = RecordingSurface::Kind;

namespace {

// The report on a recording printer without margins: 2 mm characters at size 10 make the row step 4 mm.
struct Report : ::testing::Test {
    RecordingSurface printer;
    EasyPrint engine{printer};
    LogReport report{engine};
    LogReportData data;
    QList<QStringList> records;

    Report() {
        data.year = QStringLiteral("2015");
        data.station = QStringLiteral("5QV123");
        data.operatorName = QStringLiteral("OPERATOR");
    }

    void print() {
        qsizetype next = 0;
        report.StampaLog(data, LogReportTexts(), [this, &next](QStringList& fields) {
            if (next >= records.size())
                return false;
            fields = records.at(next++);
            return true;
        });
    }

    static QStringList record(int n, const char* cancelled = "N") {
        return {QString::number(n),
                QStringLiteral("7"),
                QStringLiteral("5QV%1").arg(n),
                QStringLiteral("NAME%1").arg(n),
                QStringLiteral("L"),
                QStringLiteral("Italia"),
                QStringLiteral("06/03/2015 14:05:09"),
                QString::fromLatin1(cancelled)};
    }

    std::optional<RecordingSurface::Op> find(const QString& text, int page) const {
        for (const auto& op : printer.ops)
            if (op.kind == Kind::Text && op.page == page && op.text == text)
                return op;
        return std::nullopt;
    }
    int pages() const { return int(printer.only(Kind::NewPage).size()) + 1; }
};

} // namespace

TEST_F(Report, FortySevenRowsFillAPageFiveMillimetresApart) {
    for (int n = 1; n <= 48; ++n)
        records << record(n);
    print();
    EXPECT_EQ(report.rowStep(), 4);
    for (int k = 1; k <= 47; ++k) {
        const auto name = find(QStringLiteral("NAME%1").arg(k), 1);
        ASSERT_TRUE(name) << k;
        EXPECT_DOUBLE_EQ(name->x, 48);
        EXPECT_DOUBLE_EQ(name->y, 40 + 5 * (k - 1)) << k;
    }
    const auto last = find(QStringLiteral("NAME48"), 2);
    ASSERT_TRUE(last) << "row 48 opens the second page";
    EXPECT_DOUBLE_EQ(last->y, 40);
    // A rule under each row of the first page but the last.
    int rules = 0;
    for (const auto& op : printer.ops)
        if (op.kind == Kind::Line && op.page == 1 && op.y == op.y2 && op.y > 40.01 && op.x < 12)
            ++rules;
    EXPECT_EQ(rules, 46);
    EXPECT_EQ(pages(), 3);
    // The continuation page carries the title on the left and no owner line.
    const auto title = find(QStringLiteral("MARIGOLD's DAY Contest  2015"), 2);
    ASSERT_TRUE(title);
    EXPECT_DOUBLE_EQ(title->x, 15);
    EXPECT_DOUBLE_EQ(title->y, 25);
    EXPECT_FALSE(find(QStringLiteral("Log by   5QV123 OPERATOR"), 2));
    EXPECT_TRUE(find(QStringLiteral("pag.1"), 1));
    EXPECT_TRUE(find(QStringLiteral("pag.2"), 2));
    EXPECT_EQ(printer.textsOn(1).count(QStringLiteral("pag.1")), 1) << "the number is printed once";
}

TEST_F(Report, RecordColumnsAndACancelledRecord) {
    records << record(1) << record(2, "S");
    print();
    struct Column {
        QString text;
        double edge; // left edge, or right edge for right-aligned columns
        bool right;
    };
    // Characters are 2 mm wide at size 10.
    const Column columns[] = {
        {"2", 22, true},
        {"5QV2", 46.5, true},
        {"NAME2", 48, false},
        {"Deleted", 92, false},
        {"S", 178, true},
        {"0", 191, true},
        {"/03/2015 14:05:09", 168, true}, // 38 mm of 2 mm characters: shortened to the column's 35 mm
    };
    for (const Column& c : columns) {
        std::optional<RecordingSurface::Op> op;
        for (const auto& candidate : printer.ops)
            if (candidate.kind == Kind::Text && candidate.page == 1 && candidate.text == c.text &&
                candidate.y == 45)
                op = candidate;
        ASSERT_TRUE(op) << c.text.toStdString();
        EXPECT_NEAR(c.right ? op->x + 2 * c.text.size() : op->x, c.edge, 1e-9) << c.text.toStdString();
        EXPECT_EQ(op->font.size, 10);
        EXPECT_FALSE(op->font.bold);
    }
    const auto category = find(QStringLiteral("L"), 1);
    ASSERT_TRUE(category);
    EXPECT_DOUBLE_EQ(category->x, 86) << "centred on 87";
    EXPECT_EQ(printer.textsOn(1).count(QStringLiteral("Italia")), 1)
        << "only the valid record shows its country";
}

TEST_F(Report, HeaderOnlyLogPrintsAnEmptyTableAndTheSummary) {
    print();
    EXPECT_EQ(pages(), 2);
    const QStringList first = printer.textsOn(1);
    for (const char* heading : {"Sends", "Operator", "Name", "LH", "Date & Time", "Country", "Rec.", "An."})
        EXPECT_TRUE(first.contains(QString::fromLatin1(heading))) << heading;
    EXPECT_TRUE(first.contains(QStringLiteral("MARIGOLD's DAY Contest  2015")));
    EXPECT_TRUE(first.contains(QStringLiteral("Log by   5QV123 OPERATOR")));
    EXPECT_EQ(first.size(), 10) << first.join(QLatin1Char('|')).toStdString();
    const auto title = find(QStringLiteral("MARIGOLD's DAY Contest  2015"), 1);
    EXPECT_EQ(title->font.size, 20);
    EXPECT_TRUE(title->font.bold);
    EXPECT_EQ(title->font.name, QStringLiteral("MS Sans Serif"));
    // The frame: the outer box and the column rules.
    const auto boxes = printer.only(Kind::Rect);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NEAR(boxes[0].x, 12.0288, 1e-9);
    EXPECT_NEAR(boxes[0].y2 - boxes[0].y, 255.3545, 1e-9);
    EXPECT_NEAR(boxes[1].y2 - boxes[1].y, 131.1833, 1e-9) << "the summary frame";
    EXPECT_EQ(printer.only(Kind::EndDoc).size(), 1u);
}

TEST_F(Report, SummaryRowsCountsPointsAndTotal) {
    data.nextProgressive = 15;
    data.hunterCount = 6;
    data.ladyCount = 8;
    data.countryCount = 3;
    data.cancelledCount = 1;
    data.pointsPerHunter = 1;
    data.pointsPerLady = 2;
    data.pointsPerCountry = 3;
    print();
    ASSERT_EQ(pages(), 2);
    struct Cell {
        double y;
        QString text;
        double edge;
        bool right;
    };
    // Size 12: 2.4 mm per character.
    const Cell cells[] = {
        {45, "Stations Connect", 15, false},
        {45, "14", 83, true},
        {55, "Deleted Qso", 15, false},
        {55, "1", 83, true},
        {65, "Lady Station", 15, false},
        {65, "8", 83, true},
        {65, "x", 88, false},
        {65, "2", 100, true},
        {65, "16", 117, true},
        {75, "6", 83, true},
        {75, "1", 100, true},
        {75, "6", 117, true},
        {85, "Country", 15, false},
        {85, "3", 83, true},
        {85, "3", 100, true},
        {85, "9", 117, true},
        {95, "Multipliers", 15, false},
        {95, "=", 88, false},
        {95, "8", 100, true},
        {105, "Total score", 15, false},
        {105, "248", 117, true},
    };
    for (const Cell& c : cells) {
        bool found = false;
        for (const auto& op : printer.ops) {
            if (op.kind != Kind::Text || op.page != 2 || op.y != c.y || op.text != c.text)
                continue;
            const double edge = c.right ? op.x + 2.4 * c.text.size() : op.x;
            if (std::abs(edge - c.edge) < 1e-9) {
                found = true;
                EXPECT_TRUE(op.font.bold);
                EXPECT_EQ(op.font.size, 12);
            }
        }
        EXPECT_TRUE(found) << c.text.toStdString() << " at Y " << c.y << " edge " << c.edge;
    }
    const QStringList summary = printer.textsOn(2);
    EXPECT_TRUE(summary.contains(QStringLiteral("MARIGOLD 's DAY Contest    2015")));
    EXPECT_TRUE(summary.contains(QStringLiteral("Summary Results Table")));
    for (const QString& text : summary)
        EXPECT_FALSE(text.startsWith(QStringLiteral("pag."))) << "the summary page has no number";
}

TEST(LogReportTotal, WideSumsAndNoLadyScoresNothing) {
    struct Case {
        std::int64_t hunters, ladies, countries, perHunter, perLady, perCountry, total;
    };
    for (const Case& c : {Case{6, 8, 3, 1, 2, 3, 248}, Case{40, 0, 20, 1, 2, 3, 0},
                          Case{30000, 30000, 300, 100, 100, 100, 180'900'000'000}}) {
        LogReportData data;
        data.hunterCount = c.hunters;
        data.ladyCount = c.ladies;
        data.countryCount = c.countries;
        data.pointsPerHunter = c.perHunter;
        data.pointsPerLady = c.perLady;
        data.pointsPerCountry = c.perCountry;
        EXPECT_EQ(data.total(), c.total);
    }
}

TEST_F(Report, RecordedReportKeepsPageNumbersAndReplaysTheSamePages) {
    for (int n = 1; n <= 50; ++n)
        records << record(n);
    engine.setAnteprima(true);
    print();
    EXPECT_TRUE(printer.ops.empty());
    ASSERT_EQ(engine.PagineTotAnteprima(), 3);
    RecordingSurface screen(96);
    engine.VisualizzaPaginaAnteprima(screen, 2, 100, 0, 0);
    EXPECT_TRUE(screen.textsOn(1).contains(QStringLiteral("pag.2")));
    EXPECT_TRUE(screen.textsOn(1).contains(QStringLiteral("NAME50")));
}

TEST(ReportPdf, ThePrintedPdfCarriesTheRowsPageNumbersAndSummary) {
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
        LogReportData data;
        data.year = QStringLiteral("2015");
        data.station = QStringLiteral("5QV123");
        data.operatorName = QStringLiteral("OPERATOR");
        data.nextProgressive = 51;
        data.hunterCount = 30;
        data.ladyCount = 19;
        data.countryCount = 4;
        data.cancelledCount = 1;
        data.pointsPerHunter = 1;
        data.pointsPerLady = 2;
        data.pointsPerCountry = 3;
        int n = 0;
        LogReport(engine).StampaLog(data, LogReportTexts(), [&n](QStringList& fields) {
            if (++n > 50)
                return false;
            fields = {QString::number(n),
                      QStringLiteral("7"),
                      QStringLiteral("5QV%1").arg(n),
                      QStringLiteral("ROSSI%1").arg(n),
                      QStringLiteral("L"),
                      QStringLiteral("Italia"),
                      QStringLiteral("06/03/2015 14:05:09"),
                      QString::fromLatin1(n == 3 ? "S" : "N")};
            return true;
        });
    }
    // To look at the pages: QVMD_REPORT_PDF=/tmp/report.pdf, then render them.
    if (const QString keep = qEnvironmentVariable("QVMD_REPORT_PDF"); !keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(path, keep);
    }
    const auto pageText = [&](int page) {
        QProcess process;
        process.start(pdftotext, {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                  QString::number(page), path, QStringLiteral("-")});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString first = pageText(1);
    for (const char* expected : {"MARIGOLD's DAY Contest", "Log by", "5QV123 OPERATOR", "Sends",
                                 "Date & Time", "ROSSI1", "ROSSI47", "Deleted", "pag.1"})
        EXPECT_TRUE(first.contains(QString::fromLatin1(expected))) << expected << "\n" << first.toStdString();
    EXPECT_FALSE(first.contains(QStringLiteral("ROSSI48")));
    const QString second = pageText(2);
    EXPECT_TRUE(second.contains(QStringLiteral("ROSSI50")));
    EXPECT_TRUE(second.contains(QStringLiteral("pag.2")));
    const QString summary = pageText(3);
    for (const char* expected : {"Summary Results Table", "Stations Connect", "Multipliers", "Total score",
                                 "1520"}) // (30 + 12 + 38) x 19
        EXPECT_TRUE(summary.contains(QString::fromLatin1(expected))) << expected << "\n"
                                                                     << summary.toStdString();
    EXPECT_FALSE(summary.contains(QStringLiteral("pag.")));
}
