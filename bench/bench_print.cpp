// The log report from the log file on disk to the finished PDF, as pressing Print with the PDF file chosen
// in the print window does, against reading the same file and drawing the same texts and rules with
// QPainter directly; and the peak memory of printing and of the preview, each in a fresh process.

#include "PrintBenchLog.h"
#include "RatioReporter.h"
#include "core/app/AppState.h"
#include "core/common/Windows1252.h"
#include "core/print/PrintSurface.h"
#include "ui/kit/Seams.h"
#include "ui/print/frm_Print.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <optional>

using namespace qvmd;

namespace {

constexpr int Contacts = 32000;
constexpr int SmallerContacts = Contacts / 4;
// The report measures each field to fit it to its column, which the direct drawing skips, places every
// text through the engine in millimetres, and the window opens its save dialog: well under half again.
constexpr double TimeLimit = 1.5;
// A larger log should cost its file held once (1.0) and nothing per record or page, with some room for
// the allocator.
constexpr double PrintPeakLimit = 1.5;
// The preview keeps every page drawable at once: about 30 bytes for each of the ten calls a record makes,
// some six times the line it came from.
constexpr double PreviewPeakLimit = 8;

// Answers the save dialog with the benchmark's file and closes the preview at once; any message means
// the figures measure something else, so it is said.
class BenchSeams : public Seams {
public:
    explicit BenchSeams(QString pdf) : pdf_(std::move(pdf)) {}
    void message(QWidget*, const QString& text, const QString&, Icon) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    bool ask(QWidget*, const QString&, const QString&, Icon, Default) override { return false; }
    int showModal(QDialog& dialog) override {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            files->selectFile(pdf_);
            return QDialog::Accepted;
        }
        return QDialog::Rejected;
    }

private:
    QString pdf_;
};

// What the user does: opens the print window, chooses the PDF file and presses Print (or Preview).
void throughWindow(const QString& folder, const QString& pdf, bool preview) {
    AppState state(folder);
    state.LanguageOffset = 1000;
    state.profile.StationCallsign = QStringLiteral("5QV123");
    state.profile.OperatorName = QStringLiteral("OPERATOR");
    state.profile.category = QStringLiteral("L");
    state.log.LogInUseName = benchLogName();
    state.log.year = QStringLiteral("2015");
    state.weights = ScoreWeights{1, 2, 5, 4, 3};
    BenchSeams seams(pdf);
    frm_Print window(state, seams);
    window.Combo1->setCurrentIndex(window.Combo1->count() - 1);
    (preview ? window.cmd_Preview : window.cmd_Print)->click();
}

// The same report drawn with QPainter alone, from the same files: frame, headings, rows, rules, page
// numbers and summary, in the fonts the report's surface chooses.
class Direct {
public:
    explicit Direct(QPdfWriter& writer)
        : writer_(writer), painter_(&writer), scale_(writer.resolution() / 25.4) {
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setRenderHint(QPainter::TextAntialiasing);
    }

    void run(const QByteArray& log, const QList<QByteArray>& counters) {
        const QString title = QStringLiteral("MARIGOLD's DAY Contest  2015");
        frame();
        font(QStringLiteral("MS Sans Serif"), 20, true);
        text(105, 9, title, 2);
        text(105, 22, QStringLiteral("Log by   5QV123 OPERATOR"), 2);
        font(QStringLiteral("MS Sans Serif"), 10, false);
        int offset = 0;
        int page = 1;
        int numbered = 0;
        QString f[8];
        const char* const data = log.constData();
        const char* at = data;
        const char* const end = data + log.size();
        while (at < end) {
            const char* lineEnd = static_cast<const char*>(std::memchr(at, '\n', std::size_t(end - at)));
            if (!lineEnd)
                lineEnd = end;
            const char* stop = lineEnd > at && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
            const char* field = at;
            at = lineEnd + 1;
            if (stop == field || *field == '#')
                continue;
            int n = 0;
            while (n < 8 && field < stop) {
                const char* sep =
                    static_cast<const char*>(std::memchr(field, '>', std::size_t(stop - field)));
                const char* fieldEnd = sep ? sep : stop;
                f[n++] = fromWindows1252(QByteArrayView(field, fieldEnd - field));
                field = sep ? sep + 1 : stop;
            }
            for (; n < 8; ++n)
                f[n].clear();

            const double y = offset + 40;
            const bool cancelled = f[7] == QLatin1String("S");
            text(22, y, f[0], 1);
            text(46.5, y, f[2], 1);
            text(48, y, f[3], 0);
            text(87, y, f[4], 2);
            text(92, y, cancelled ? QStringLiteral("Deleted") : f[5], 0);
            text(168, y, f[6], 1);
            text(178, y, f[7], 1);
            text(191, y, cancelled ? QStringLiteral("0") : f[1], 1);
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
        summary(counters);
        painter_.end();
    }

private:
    void font(const QString& family, int size, bool bold) {
        QFont f;
        f.setFamilies(PrintSurface::fontFamilies(family));
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
    void summary(const QList<QByteArray>& counters) {
        box(12.0288, 20.0299, 183.5281, 131.1833);
        rule(11.9404, 42.9728, 183.6165, 0);
        font(QStringLiteral("Arial"), 18, true);
        text(105, 9, QStringLiteral("MARIGOLD 's DAY Contest    2015"), 2);
        text(105, 22, QStringLiteral("Summary Results Table"), 2);
        text(105, 33, QStringLiteral("Log by   5QV123 OPERATOR"), 2);
        font(QStringLiteral("Arial"), 12, true);
        const char* labels[] = {"Stations Connect", "Deleted Qso", "Lady Station", "Hunter Station",
                                "Country",          "Multipliers", "Total score"};
        for (int row = 0; row < 7; ++row) {
            const double y = 45 + 10 * row;
            text(15, y, QString::fromLatin1(labels[row]), 0);
            text(83, y, QString::fromLatin1(counters.value(row % 5).trimmed()), 1);
            text(117, y, QString::fromLatin1(counters.value((row + 1) % 5).trimmed()), 1);
        }
    }

    QPdfWriter& writer_;
    QPainter painter_;
    double scale_;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The physical work: read the counter file and the log, find the lines and fields, draw them.
void direct(const QString& folder, const QString& pdf) {
    const QList<QByteArray> counters = readAll(folder + QStringLiteral("/Logs/Log.dat")).split('\n');
    const QByteArray log = readAll(folder + QStringLiteral("/Logs/") + benchLogName());
    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    // The resolution the print window's printer draws at.
    writer.setResolution(QPrinter(QPrinter::HighResolution).resolution());
    Direct(writer).run(log, counters);
}

BenchProgramFolder& bigFolder() {
    static BenchProgramFolder folder(Contacts);
    return folder;
}

void BM_LogFileToPdfThroughWindow(benchmark::State& state) {
    for (auto _ : state)
        throughWindow(bigFolder().path(), bigFolder().file("window.pdf"), false);
}
BENCHMARK(BM_LogFileToPdfThroughWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadAndDrawDirectly(benchmark::State& state) {
    for (auto _ : state)
        direct(bigFolder().path(), bigFolder().file("direct.pdf"));
}
BENCHMARK(BM_ReadAndDrawDirectly)->Unit(benchmark::kMillisecond)->Iterations(3);

void printMemoryRatio(const char* what, double value, double limit) {
    std::printf("%s = %.2f (at most %g)%s\n", what, value, limit, value > limit ? "  ** TOO LARGE **" : "");
}

long peakKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// One fresh process per measure, so that each peak is of that work alone.
double peakMb(const char* mode, const BenchProgramFolder& folder) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--peak"), QString::fromLatin1(mode), folder.path(),
                 folder.file(QStringLiteral("peak.pdf"))});
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        std::fprintf(stderr, "the %s measure failed\n", mode);
        return 0;
    }
    return child.readAllStandardOutput().trimmed().toLong() / 1024.0;
}

int peakChild(const QString& mode, const QString& folder, const QString& pdf) {
    if (mode == QLatin1String("direct"))
        direct(folder, pdf);
    else
        throughWindow(folder, pdf, mode == QLatin1String("preview"));
    std::printf("%ld\n", peakKb());
    return 0;
}

// Peak memory of printing and previewing a quarter of the log and the whole log: what the larger log
// adds should be about the file held once, whatever the pages.
void memoryFigures() {
    BenchProgramFolder smaller(SmallerContacts);
    BenchProgramFolder& larger = bigFolder();
    const double logMb = (larger.logBytes() - smaller.logBytes()) / 1048576.0;
    struct Peaks {
        double smaller, larger;
    };
    const auto peaks = [&](const char* mode) { return Peaks{peakMb(mode, smaller), peakMb(mode, larger)}; };
    const Peaks printing = peaks("print");
    const Peaks drawing = peaks("direct");
    const Peaks preview = peaks("preview");
    std::printf("peak memory, %d / %d contacts: printing %.1f / %.1f MB, drawing directly %.1f / %.1f MB, "
                "preview %.1f / %.1f MB; log files %.1f / %.1f MB, PDF %.1f MB\n",
                SmallerContacts, Contacts, printing.smaller, printing.larger, drawing.smaller, drawing.larger,
                preview.smaller, preview.larger, smaller.logBytes() / 1048576.0,
                larger.logBytes() / 1048576.0,
                QFileInfo(larger.file(QStringLiteral("peak.pdf"))).size() / 1048576.0);
    printMemoryRatio("peak memory growth printing / log file growth",
                     (printing.larger - printing.smaller) / logMb, PrintPeakLimit);
    printMemoryRatio("peak memory growth previewing / log file growth",
                     (preview.larger - preview.smaller) / logMb, PreviewPeakLimit);
}

} // namespace

int main(int argc, char** argv) {
    // The save dialog asks for a runtime folder; a private one keeps the figures free of its warning.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);
    if (argc == 5 && std::strcmp(argv[1], "--peak") == 0)
        return peakChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                         QString::fromLocal8Bit(argv[4]));
    bigFolder();
    // Fonts and the PDF machinery are loaded once for both sides before anything is timed.
    throughWindow(bigFolder().path(), bigFolder().file("warm.pdf"), false);
    direct(bigFolder().path(), bigFolder().file("warm-direct.pdf"));
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(
        {{"log file to PDF through the print window / reading and drawing directly",
          "BM_LogFileToPdfThroughWindow/iterations:3", "BM_ReadAndDrawDirectly/iterations:3", TimeLimit}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("PDF through the window %.1f MB, drawn directly %.1f MB\n",
                QFileInfo(bigFolder().file("window.pdf")).size() / 1048576.0,
                QFileInfo(bigFolder().file("direct.pdf")).size() / 1048576.0);
    memoryFigures();
    benchmark::Shutdown();
    return 0;
}
