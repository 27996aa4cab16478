#include "core/app/AppState.h"
#include "core/print/EasyPrint.h"
#include "core/refdata/CountryTable.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/kit/LiveStatusLabel.h"
#include "ui/print/PrinterChoice.h"
#include "ui/print/frm_Anteprima.h"
#include "ui/print/frm_Print.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;
using namespace qvmd::test;

namespace {

const QString LogName = QStringLiteral("5QV123_MD_L_2015.Log");

QStringList header() {
    return {"##L", "#5QV123", "#OPERATOR", "#N", "#1", "#06/03/2015", "#5", "#QV", "#123", "#2015", "#LOG"};
}

class PrintWindow : public ::testing::Test {
protected:
    PrintWindow() {
        state.LanguageOffset = 1000;
        state.profile.StationCallsign = QStringLiteral("5QV123");
        state.profile.OperatorName = QStringLiteral("OPERATOR");
        state.profile.category = QStringLiteral("L");
        state.log.LogInUseName = LogName;
        state.log.year = QStringLiteral("2015");
        state.weights = ScoreWeights{1, 2, 5, 4, 3};
        QStringList countries;
        for (int i = 1; i <= 10; ++i)
            countries.append(QStringLiteral("P%1>Country %1").arg(i));
        state.countries = CountryTable::fromLines(countries);
    }

    void writeLog(const QStringList& records, const QStringList& counters) {
        folder.writeRaw(QStringLiteral("Logs/") + LogName, crlf(header() + records));
        folder.writeRaw(QStringLiteral("Logs/Log.dat"), crlf(counters));
    }
    void writeSampleLog(int records) {
        QStringList lines;
        for (int n = 1; n <= records; ++n)
            lines << QStringLiteral("%1>7>5QV%1>ROSSI%1>L>Italia>06/03/2015 14:05:09>%2>")
                         .arg(n)
                         .arg(n == 2 ? "S" : "N");
        writeLog(lines, {QString::number(records + 1), "0", QString::number(records - 1), "1", "1"});
    }
    // The PDF entry of the printer list, always there.
    static void choosePdf(frm_Print& window) {
        window.Combo1->setCurrentIndex(window.Combo1->count() - 1);
        ASSERT_TRUE(window.pdfChosen());
    }
    // Answers the save dialog with a file in the test folder.
    QString saveAs(const QString& name) {
        const QString path = folder.path() + QLatin1Char('/') + name;
        seams.onWindow(QStringLiteral("PdfFileDialog"), [path](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(path);
            return int(QDialog::Accepted);
        });
        return path;
    }
    static QString pdfText(const QString& path) {
        QProcess process;
        process.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                      {path, QStringLiteral("-")});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    TempProgramFolder folder;
    AppState state{folder.path()};
    TestSeams seams;
};

} // namespace

TEST_F(PrintWindow, CategoryChoosesTheLabelAndThePoints) {
    struct Case {
        const char* category;
        const char* label;
        int perLady, perHunter;
    };
    // Weights: 1 hunter and 2 lady points for a Hunter log, 5 lady and 4 hunter points for a Lady log.
    for (const Case& c : {Case{"L", "Lady", 5, 4}, Case{"H", "Hunter", 2, 1}, Case{"0", "Hunter", 2, 1}}) {
        state.profile.category = QString::fromLatin1(c.category);
        frm_Print window(state, seams);
        EXPECT_EQ(window.Label4->text(), QString::fromLatin1(c.label)) << c.category;
        EXPECT_EQ(window.pointsPerLady(), c.perLady) << c.category;
        EXPECT_EQ(window.pointsPerHunter(), c.perHunter) << c.category;
        EXPECT_EQ(window.Label3->text(), LogName);
    }
}

TEST_F(PrintWindow, ThePdfFileIsAlwaysOfferedAndChosenWithoutPrinters) {
    frm_Print window(state, seams);
    ASSERT_GE(window.Combo1->count(), 1);
    EXPECT_EQ(window.Combo1->itemText(window.Combo1->count() - 1), QStringLiteral("PDF file"));
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        EXPECT_EQ(window.Combo1->count(), 1);
        EXPECT_TRUE(window.pdfChosen());
        QComboBox empty;
        LoadComboPrinters(empty, QString());
        EXPECT_EQ(empty.count(), 0);
        EXPECT_EQ(empty.currentIndex(), -1);
    }
}

TEST_F(PrintWindow, ALogWithFewerThanEightLinesIsRefused) {
    folder.writeRaw(QStringLiteral("Logs/") + LogName,
                    crlf({"##L", "#5QV123", "#OPERATOR", "#N", "#1", "#x", "#5"}));
    folder.writeRaw(QStringLiteral("Logs/Log.dat"), crlf({"1", "0", "0", "0", "0"}));
    frm_Print window(state, seams);
    choosePdf(window);
    saveAs(QStringLiteral("never.pdf"));
    QTest::mouseClick(window.cmd_Print, Qt::LeftButton);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, QStringLiteral("The log doesn't contain any contacts to print"));
    EXPECT_EQ(seams.messages[0].title, QStringLiteral("Error check"));
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Information);
    EXPECT_TRUE(seams.openedWindows.isEmpty()) << "no file is asked for";
    EXPECT_EQ(window.engine(), nullptr);
}

TEST_F(PrintWindow, MissingLogAndUnwritableFileAreReportedAndNothingIsPrinted) {
    {
        frm_Print window(state, seams);
        QTest::mouseClick(window.cmd_Print, Qt::LeftButton);
        ASSERT_EQ(seams.messages.size(), 1u);
        EXPECT_TRUE(seams.messages[0].text.contains(LogName)) << seams.messages[0].text.toStdString();
    }
    writeSampleLog(3);
    frm_Print window(state, seams);
    choosePdf(window);
    seams.onWindow(QStringLiteral("PdfFileDialog"), [this](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(folder.path() + QStringLiteral("/missing/report.pdf"));
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(window.cmd_Print, Qt::LeftButton);
    ASSERT_EQ(seams.messages.size(), 2u);
    EXPECT_EQ(seams.messages[1].icon, Seams::Icon::Error);
    EXPECT_EQ(window.engine(), nullptr);

    seams.onWindow(QStringLiteral("PdfFileDialog"), [](QDialog&) { return int(QDialog::Rejected); });
    QTest::mouseClick(window.cmd_Print, Qt::LeftButton);
    EXPECT_EQ(seams.messages.size(), 2u) << "a cancelled file choice says nothing";
    EXPECT_TRUE(window.lbl_Printed->spokenText().isEmpty()) << "nothing printed, nothing said";
}

TEST_F(PrintWindow, PrintsTheLogIntoTheChosenPdfFile) {
    writeSampleLog(3);
    frm_Print window(state, seams);
    choosePdf(window);
    const QString path = saveAs(QStringLiteral("report.pdf"));
    QTest::mouseClick(window.cmd_Print, Qt::LeftButton);
    EXPECT_TRUE(seams.messages.empty()) << seams.lastMessageText().toStdString();
    ASSERT_TRUE(QFileInfo::exists(path));
    // Printing to a file shows nothing else: the window says where the log went, and a screen reader hears
    // it.
    const QString sent = state.text(1690, {}).arg(window.Combo1->currentText());
    EXPECT_FALSE(window.Combo1->currentText().isEmpty());
    EXPECT_EQ(window.lbl_Printed->text(), sent);
    EXPECT_EQ(window.lbl_Printed->spokenText(), sent);
    const QString text = pdfText(path);
    for (const char* expected : {"MARIGOLD's DAY Contest", "Log by", "ROSSI1", "ROSSI3", "Deleted", "pag.1",
                                 "Summary Results Table", "Lady Station"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();
    // Two Ladies at 5 points, one country at 3: (10 + 3) x 2.
    EXPECT_TRUE(text.contains(QStringLiteral("26"))) << text.toStdString();
    EXPECT_EQ(state.counters.NextProgressive, 4);
    EXPECT_EQ(state.counters.CancelledCount, 1);
}

// The totals under the rows add up the rows printed, whatever Log.dat says: a restore or a power cut can
// leave it describing another log, or nothing.
TEST_F(PrintWindow, TheTotalsComeFromTheLogPrintedNotFromLogDat) {
    for (const QStringList& stale :
         {QStringList{"7", "0", "6", "6", "0"}, QStringList{"1", "0", "0", "0", "0"}}) {
        SCOPED_TRACE(stale.join(' ').toStdString());
        writeSampleLog(3);
        folder.writeRaw(QStringLiteral("Logs/Log.dat"), crlf(stale));
        frm_Print window(state, seams);
        choosePdf(window);
        const QString path = saveAs(QStringLiteral("report.pdf"));
        QTest::mouseClick(window.cmd_Print, Qt::LeftButton);
        const QString text = pdfText(path);
        // Two Ladies at 5 points, one country at 3: (10 + 3) x 2.
        EXPECT_TRUE(text.contains(QStringLiteral("26"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("54")));
        EXPECT_EQ(state.counters.NextProgressive, 4);
        QFile::remove(path);
    }
}

TEST_F(PrintWindow, PreviewShowsTheRecordedPagesAndItsPrintButtonPrints) {
    writeSampleLog(50); // two contact pages and the summary
    frm_Print window(state, seams);
    choosePdf(window);
    const QString path = saveAs(QStringLiteral("previewed.pdf"));
    QStringList seen;
    seams.onWindow(QStringLiteral("frm_Anteprima"), [&seen](QDialog& dialog) {
        auto& preview = static_cast<frm_Anteprima&>(dialog);
        seen << preview.lblPage->text();
        EXPECT_FALSE(preview.cmd_Prev->isEnabled());
        QTest::mouseClick(preview.cmd_Last, Qt::LeftButton);
        seen << preview.lblPage->text();
        EXPECT_FALSE(preview.cmd_Next->isEnabled());
        QTest::mouseClick(preview.cmd_Prev, Qt::LeftButton);
        seen << preview.lblPage->text();
        const QSize normal = preview.picPage->pixmap().size();
        preview.cboZoom->setCurrentIndex(0); // 50 %
        const QSize half = preview.picPage->pixmap().size();
        EXPECT_NEAR(half.width() * 2, normal.width(), 2);
        // The page is drawn: a full contact page darkens a good part of its pixels.
        const QImage page = preview.renderPage(1, 100);
        qint64 dark = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        EXPECT_GT(dark, page.width() * page.height() / 100);
        QTest::mouseClick(preview.cmd_Print, Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(window.cmd_Preview, Qt::LeftButton);
    EXPECT_EQ(seen, QStringList({"Page 1 of 3", "Page 3 of 3", "Page 2 of 3"}));
    ASSERT_NE(window.engine(), nullptr);
    EXPECT_FALSE(window.engine()->Anteprima());
    EXPECT_EQ(window.engine()->PagineTotAnteprima(), 0);
    ASSERT_TRUE(QFileInfo::exists(path)) << "Print in the preview prints the report";
    EXPECT_TRUE(pdfText(path).contains(QStringLiteral("ROSSI50")));
}

TEST_F(PrintWindow, PrintFromThePreviewPrintsWhatThePreviewShowed) {
    writeSampleLog(3);
    frm_Print window(state, seams);
    choosePdf(window);
    const QString path = saveAs(QStringLiteral("shown.pdf"));
    seams.onWindow(QStringLiteral("frm_Anteprima"), [this](QDialog& dialog) {
        // The file changes while the preview is open: the print is of the reading that was shown.
        writeLog({QStringLiteral("1>7>5QV9>CHANGED>L>Italia>06/03/2015 14:05:09>N>")},
                 {"2", "0", "1", "1", "0"});
        QTest::mouseClick(static_cast<frm_Anteprima&>(dialog).cmd_Print, Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(window.cmd_Preview, Qt::LeftButton);
    EXPECT_TRUE(seams.messages.empty()) << seams.lastMessageText().toStdString();
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("ROSSI3"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("CHANGED")));
}

TEST_F(PrintWindow, ALogOfOnlyItsHeaderPrintsAnEmptyTableAndTheSummary) {
    writeLog({}, {"1", "0", "0", "0", "0"});
    frm_Print window(state, seams);
    choosePdf(window);
    const QString path = saveAs(QStringLiteral("empty.pdf"));
    QTest::mouseClick(window.cmd_Print, Qt::LeftButton);
    EXPECT_TRUE(seams.messages.empty()) << seams.lastMessageText().toStdString();
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Summary Results Table"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("pag.")));
}

TEST_F(PrintWindow, APrinterThatIsGoneIsReportedNotPrintedToSilently) {
    writeSampleLog(3);
    frm_Print window(state, seams);
    window.Combo1->insertItem(0, QStringLiteral("Gone"), QStringLiteral("QVMD_NO_SUCH_PRINTER"));
    window.Combo1->setCurrentIndex(0);
    QTest::mouseClick(window.cmd_Print, Qt::LeftButton);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, QStringLiteral("The chosen printer is not available."));
    EXPECT_EQ(window.engine(), nullptr);
}

TEST(PrinterSetup, OnlyTheOrientationChosenInTheDialogIsApplied) {
    TestSeams seams;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    seams.onWindow(QStringLiteral("PageSetupDialog"), [](QDialog& dialog) {
        QPrinter* target = static_cast<QPageSetupDialog&>(dialog).printer();
        target->setPageSize(QPageSize(QPageSize::A5));
        target->setPageOrientation(QPageLayout::Landscape);
        return int(QDialog::Accepted);
    });
    QString name;
    EXPECT_TRUE(ShowPrinterSetup(seams, nullptr, name, printer));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);

    seams.onWindow(QStringLiteral("PageSetupDialog"), [](QDialog&) { return int(QDialog::Rejected); });
    EXPECT_FALSE(ShowPrinterSetup(seams, nullptr, name, printer));
    QString gone = QStringLiteral("QVMD_NO_SUCH_PRINTER");
    EXPECT_FALSE(ShowPrinterSetup(seams, nullptr, gone, printer));
    EXPECT_FALSE(ShowPrinterProperties(seams, nullptr, gone, printer));
    EXPECT_EQ(seams.openedWindows, QStringList({"PageSetupDialog", "PageSetupDialog"}));
}
