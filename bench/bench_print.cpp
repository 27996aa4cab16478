// The log report of a large log into a PDF file, against drawing the same texts and rules with QPainter
// directly; and what the report keeps in memory while it prints.

#include "RatioReporter.h"
#include "core/print/EasyPrint.h"
#include "core/print/LogReport.h"
#include "core/print/PagedSurface.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace qvmd;

namespace {

constexpr int Contacts = 32000;

struct Fixture {
    QTemporaryDir dir;
    std::vector<QStringList> records;
    LogReportData data;

    Fixture() {
        const char* names[] = {"MARIA ROSSI", "NICOL\xD2 D'AMBROSIO", "ANNA DE' MEDICI", "G.B. CELIK"};
        const char* countries[] = {"Italia", "Francia", "Germania", "Regno Unito"};
        records.reserve(Contacts);
        for (int i = 1; i <= Contacts; ++i) {
            records.push_back({QString::number(i), QString::number(i % 900 + 1),
                               QStringLiteral("%1QV%2").arg(i % 341 + 1).arg(i % 3000 + 1),
                               QString::fromLatin1(names[i % 4]),
                               i % 3 ? QStringLiteral("H") : QStringLiteral("L"),
                               QString::fromLatin1(countries[i % 4]),
                               QStringLiteral("06/03/2015 14:%1:%2")
                                   .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                                   .arg(i % 60, 2, 10, QLatin1Char('0')),
                               i % 50 ? QStringLiteral("N") : QStringLiteral("S")});
        }
        data.year = QStringLiteral("2015");
        data.station = QStringLiteral("5QV123");
        data.operatorName = QStringLiteral("OPERATOR");
        data.nextProgressive = Contacts + 1;
        data.hunterCount = 20000;
        data.ladyCount = 11000;
        data.countryCount = 300;
        data.cancelledCount = 640;
        data.pointsPerHunter = 1;
        data.pointsPerLady = 2;
        data.pointsPerCountry = 3;
    }
    QString pdf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void report(const QString& path, int contacts) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    PagedSurface printer(writer);
    EasyPrint engine(printer);
    std::size_t next = 0;
    const auto& records = fixture().records;
    LogReport(engine).StampaLog(fixture().data, LogReportTexts(), [&](QStringList& fields) {
        if (next >= std::size_t(contacts))
            return false;
        fields = records[next++];
        return true;
    });
}

void BM_ReportToPdf(benchmark::State& state) {
    for (auto _ : state)
        report(fixture().pdf("report.pdf"), Contacts);
}
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(2);

// The same report drawn with QPainter alone: frame, headings, rows, rules, page numbers and summary.
class Direct {
public:
    explicit Direct(QPdfWriter& writer)
        : writer_(writer), painter_(&writer), scale_(writer.resolution() / 25.4) {
        painter_.setRenderHint(QPainter::Antialiasing);
    }

    void font(const QString& family, int size, bool bold) {
        QFont f;
        f.setFamilies({family, family == QLatin1String("Arial")           ? QStringLiteral("Liberation Sans")
                               : family == QLatin1String("MS Sans Serif") ? QStringLiteral("DejaVu Sans")
                                                                          : QStringLiteral("Comic Neue")});
        f.setPointSize(size);
        f.setBold(bold);
        font_ = QFont(f, &writer_);
        painter_.setFont(font_);
        metrics_.emplace(font_, &writer_);
    }
    void text(double x, double y, const QString& s, int align) { // 0 left, 1 right, 2 centre
        double px = x * scale_;
        if (align)
            px -= metrics_->horizontalAdvance(s) / (align == 1 ? 1 : 2);
        painter_.drawText(QPointF(px, y * scale_ + metrics_->ascent()), s);
    }
    void rule(double x, double y, double w, double h) {
        painter_.drawLine(QPointF(x * scale_, y * scale_), QPointF((x + w) * scale_, (y + h) * scale_));
    }
    void box(double x, double y, double w, double h) {
        painter_.drawRect(QRectF(x * scale_, y * scale_, w * scale_, h * scale_));
    }
    void frame() {
        painter_.setPen(QPen(Qt::black, 1));
        box(12.0288, 20.0299, 183.5281, 255.3545);
        rule(11.9404, 34.9728, 183.6165, 0);
        for (const double x : {23.0847, 47.2308, 84.1747, 90.1747, 132.4055, 172.4722, 182.5551})
            rule(x, 34.9728, 0, 240.3056);
        rule(11.9404, 40.0068, 183.6165, 0);
        font(QStringLiteral("MS Sans Serif"), 8, true);
        text(13.0371, 36.0503, QStringLiteral("Sends"), 0);
        text(29.0815, 36.0503, QStringLiteral("Operator"), 0);
        text(59.1712, 36.0503, QStringLiteral("Name"), 0);
        text(87.1712, 36.0503, QStringLiteral("LH"), 2);
        text(145.4073, 36.0503, QStringLiteral("Date & Time"), 0);
        text(103.2887, 36.0503, QStringLiteral("Country"), 0);
        text(185.527, 36.0503, QStringLiteral("Rec."), 0);
        text(175.4971, 36.0503, QStringLiteral("An."), 0);
    }
    void run(const std::vector<QStringList>& records) {
        const QString title = QStringLiteral("MARIGOLD's DAY Contest  2015");
        frame();
        font(QStringLiteral("MS Sans Serif"), 20, true);
        text(105, 9, title, 2);
        text(105, 22, QStringLiteral("Log by   5QV123 OPERATOR"), 2);
        font(QStringLiteral("MS Sans Serif"), 10, false);
        int offset = 0;
        int page = 1;
        int numbered = 0;
        for (const QStringList& r : records) {
            const double y = offset + 40;
            const bool cancelled = r[7] == QLatin1String("S");
            text(22, y, r[0], 1);
            text(46.5, y, r[2], 1);
            text(48, y, r[3], 0);
            text(87, y, r[4], 2);
            text(92, y, cancelled ? QStringLiteral("Deleted") : r[5], 0);
            text(168, y, r[6], 1);
            text(178, y, r[7], 1);
            text(191, y, cancelled ? QStringLiteral("0") : r[1], 1);
            offset += 4;
            if (offset <= 230) {
                rule(11.9404, offset + 40, 183.6165, 0);
                offset += 1;
            } else {
                writer_.newPage();
                ++page;
                offset = 0;
                frame();
                font(QStringLiteral("MS Sans Serif"), 20, true);
                text(15, 25, title, 0);
                font(QStringLiteral("MS Sans Serif"), 10, false);
            }
            if (page != numbered) {
                numbered = page;
                text(180, 278, QStringLiteral("pag.") + QString::number(page), 1);
            }
        }
        writer_.newPage();
        box(12.0288, 20.0299, 183.5281, 131.1833);
        rule(11.9404, 42.9728, 183.6165, 0);
        font(QStringLiteral("Arial"), 18, true);
        text(105, 9, QStringLiteral("MARIGOLD 's DAY Contest    2015"), 2);
        text(105, 22, QStringLiteral("Summary Results Table"), 2);
        text(105, 33, QStringLiteral("Log by   5QV123 OPERATOR"), 2);
        font(QStringLiteral("Arial"), 12, true);
        for (int row = 0; row < 7; ++row) {
            text(15, 45 + 10 * row, QStringLiteral("Label"), 0);
            text(83, 45 + 10 * row, QStringLiteral("123"), 1);
            text(117, 45 + 10 * row, QStringLiteral("456"), 1);
        }
        painter_.end();
    }

private:
    QPdfWriter& writer_;
    QPainter painter_;
    double scale_;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
};

void BM_DirectQPainter(benchmark::State& state) {
    for (auto _ : state) {
        QPdfWriter writer(fixture().pdf("direct.pdf"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        Direct(writer).run(fixture().records);
    }
}
BENCHMARK(BM_DirectQPainter)->Unit(benchmark::kMillisecond)->Iterations(2);

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Memory while printing: a quarter of the log and the whole log must cost the same, whatever the pages.
void memoryFigure() {
    report(fixture().pdf("warm.pdf"), 1000);
    const long before = residentKb();
    report(fixture().pdf("quarter.pdf"), Contacts / 4);
    const long quarter = residentKb();
    report(fixture().pdf("whole.pdf"), Contacts);
    const long whole = residentKb();
    const double pdfMb = QFile(fixture().pdf("whole.pdf")).size() / 1048576.0;
    const double growthMb = (whole - quarter) / 1024.0;
    std::printf(
        "memory growth from %d to %d contacts = %.1f MB beyond %.1f MB at start; the PDF is %.1f MB\n",
        Contacts / 4, Contacts, growthMb, (quarter - before) / 1024.0, pdfMb);
    std::printf("report memory growth / PDF size = %.2f (at most 1.0)%s\n",
                pdfMb > 0 ? growthMb / pdfMb : 0.0, growthMb > pdfMb ? "  ** GROWS WITH PAGES **" : "");

    // For comparison, what recording the same report for a preview keeps: the measure does see growth.
    const long beforePreview = residentKb();
    QPdfWriter writer(fixture().pdf("unused.pdf"));
    PagedSurface printer(writer);
    EasyPrint engine(printer);
    engine.setAnteprima(true);
    std::size_t next = 0;
    const auto& records = fixture().records;
    LogReport(engine).StampaLog(fixture().data, LogReportTexts(), [&](QStringList& fields) {
        if (next >= records.size())
            return false;
        fields = records[next++];
        return true;
    });
    std::printf("a recorded preview of the same report holds %.1f MB in %d pages\n",
                (residentKb() - beforePreview) / 1024.0, int(engine.PagineTotAnteprima()));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    fixture();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"log report to PDF / QPainter directly", "BM_ReportToPdf/iterations:2",
                             "BM_DirectQPainter/iterations:2", 1.5}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    memoryFigure();
    benchmark::Shutdown();
    return 0;
}
