// The report through a real CUPS scheduler to the virtual PDF printer, read back from the file it writes.

#include "core/app/AppState.h"
#include "core/print/EasyPrint.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/print/frm_Print.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace qvmd;
using namespace qvmd::test;

namespace {

const QString Queue = QStringLiteral("PDF");

struct Output {
    int exitCode = -1;
    QString text;
};

Output run(const QString& program, const QStringList& arguments, int timeoutMs = 20000) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

bool schedulerRunning() {
    return run(QStringLiteral("lpstat"), {QStringLiteral("-r")})
        .text.contains(QLatin1String("scheduler is running"));
}

// Polls an outside process's progress: the scheduler and the PDF printer work on their own time.
template <typename Done> bool waitFor(Done done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

// A scheduler for the test: the running one, or one started here and stopped again at the end.
class Scheduler {
public:
    Scheduler() {
        if (QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")})
                .isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("lpadmin")).isEmpty()) {
            reason_ = "CUPS is not installed (cups, cups-client, printer-driver-cups-pdf)";
            return;
        }
        if (!setOutputFolder())
            return;
        if (!schedulerRunning()) {
            QProcess daemon;
            daemon.setProgram(QStringLiteral("/usr/sbin/cupsd"));
            daemon.setArguments({QStringLiteral("-f")});
            daemon.setStandardInputFile(QProcess::nullDevice());
            daemon.setStandardOutputFile(QProcess::nullDevice());
            daemon.setStandardErrorFile(QProcess::nullDevice());
            if (!daemon.startDetached(&pid_) || !waitFor(schedulerRunning, 10000)) {
                stop();
                reason_ = "the CUPS scheduler could not be started (it needs root)";
                return;
            }
        }
        if (run(QStringLiteral("lpstat"), {QStringLiteral("-p"), Queue}).exitCode != 0) {
            const Output added =
                run(QStringLiteral("lpadmin"),
                    {"-p", Queue, "-E", "-v", "cups-pdf:/", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd", "-o",
                     "printer-is-shared=no", "-o", "PageSize=A4", "-o", "pdftops-renderer-default=pdftocairo",
                     "-o", "TitlePref=1", "-o", "Label=0"});
            if (added.exitCode != 0) {
                reason_ = "the PDF queue could not be added: " + added.text.toStdString();
                return;
            }
        }
        run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), Queue});
        ready_ = true;
    }
    ~Scheduler() { stop(); }

    bool ready() const { return ready_; }
    const std::string& reason() const { return reason_; }
    // Where the PDF printer puts the file of a document.
    QString outputFile(const QString& documentName) const {
        return QStringLiteral("/var/spool/cups-pdf/%1/%2.pdf").arg(user(), documentName);
    }

private:
    static QString user() {
        const QString name = qEnvironmentVariable("USER");
        return name.isEmpty() ? QStringLiteral("root") : name;
    }
    bool setOutputFolder() {
        QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
        if (!conf.open(QIODevice::ReadOnly)) {
            reason_ = "the PDF printer is not installed (printer-driver-cups-pdf)";
            return false;
        }
        QString text = QString::fromLocal8Bit(conf.readAll());
        conf.close();
        static const QRegularExpression out(QStringLiteral("^#?Out .*$"),
                                            QRegularExpression::MultilineOption);
        const QString wanted = QStringLiteral("Out /var/spool/cups-pdf/${USER}");
        if (text.contains(QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(wanted) + "$",
                                             QRegularExpression::MultilineOption)))
            return true;
        text.replace(out, wanted);
        if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate) || conf.write(text.toLocal8Bit()) < 0) {
            reason_ = "the PDF printer's output folder cannot be set (it needs root)";
            return false;
        }
        return true;
    }
    void stop() {
        if (pid_ <= 0)
            return;
        ::kill(pid_t(pid_), SIGTERM);
        waitFor([] { return !schedulerRunning(); }, 5000);
        pid_ = 0;
    }

    qint64 pid_ = 0;
    bool ready_ = false;
    std::string reason_;
};

} // namespace

TEST(RealPrinter, TheReportPrintsThroughCupsOntoThePaperWhereItBelongs) {
    Scheduler cups;
    if (!cups.ready())
        GTEST_SKIP() << "no CUPS scheduler for this test: " << cups.reason();

    TempProgramFolder folder;
    AppState state(folder.path());
    state.LanguageOffset = 1000;
    state.profile.StationCallsign = QStringLiteral("5QV123");
    state.profile.OperatorName = QStringLiteral("OPERATOR");
    state.profile.category = QStringLiteral("L");
    state.log.LogInUseName = QStringLiteral("5QV123_MD_L_2015.Log");
    state.log.year = QStringLiteral("2015");
    state.weights = ScoreWeights{1, 2, 5, 4, 3};
    QStringList lines = {"##L", "#5QV123", "#OPERATOR", "#N",    "#1",  "#06/03/2015",
                         "#5",  "#QV",     "#123",      "#2015", "#LOG"};
    for (int n = 1; n <= 5; ++n)
        lines << QStringLiteral("%1>7>5QV%1>BIANCHI%1>L>Italia>06/03/2015 14:05:09>N>").arg(n);
    folder.writeRaw(QStringLiteral("Logs/5QV123_MD_L_2015.Log"), crlf(lines));
    folder.writeRaw(QStringLiteral("Logs/Log.dat"), crlf({"6", "0", "5", "1", "0"}));

    const QString output = cups.outputFile(QStringLiteral("5QV123_MD_L_2015"));
    QFile::remove(output);

    TestSeams seams;
    frm_Print window(state, seams);
    const int queue = window.Combo1->findData(Queue);
    ASSERT_GE(queue, 0) << "the window lists the scheduler's printers";
    window.Combo1->setCurrentIndex(queue);
    QTest::mouseClick(window.cmd_Print, Qt::LeftButton);
    ASSERT_TRUE(seams.messages.empty()) << seams.lastMessageText().toStdString();

    // The printer's imageable area gives real margins, which the engine takes off every position.
    ASSERT_NE(window.engine(), nullptr);
    EXPECT_LT(window.engine()->AreaNonStampabileX(), 0);

    ASSERT_TRUE(waitFor(
        [] {
            return run(QStringLiteral("lpstat"), {QStringLiteral("-o"), Queue}).text.trimmed().isEmpty();
        },
        60000))
        << "the job did not leave the queue";
    ASSERT_TRUE(waitFor([&output] { return QFileInfo(output).size() > 0; }, 20000)) << output.toStdString();

    const Output words =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), output, QStringLiteral("-")});
    ASSERT_EQ(words.exitCode, 0) << words.text.toStdString();
    for (const char* expected : {"MARIGOLD", "Sends", "BIANCHI5", "pag.1", "Summary", "Multipliers"})
        EXPECT_TRUE(words.text.contains(QString::fromLatin1(expected))) << expected;
    // "Sends" starts 13.0371 mm from the paper's left edge whatever the printer's margin.
    const QRegularExpression sends(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>Sends</word>"));
    const QRegularExpressionMatch match = sends.match(words.text);
    ASSERT_TRUE(match.hasMatch()) << words.text.left(2000).toStdString();
    EXPECT_NEAR(match.captured(1).toDouble() * 25.4 / 72, 13.0371, 0.6);
    EXPECT_NEAR(match.captured(2).toDouble() * 25.4 / 72, 36.0503, 1.0);
    QFile::remove(output);
}
