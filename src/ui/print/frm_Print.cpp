#include "ui/print/frm_Print.h"

#include "core/app/AppState.h"
#include "core/common/FileErrorText.h"
#include "core/logfile/LogCounters.h"
#include "core/print/EasyPrint.h"
#include "core/print/LogReport.h"
#include "core/print/PrintErrorReporter.h"
#include "core/print/PrintableLog.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/LiveStatusLabel.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/kit/cLoadResPicture.h"
#include "ui/print/PrinterChoice.h"
#include "ui/print/QPrinterSurface.h"
#include "ui/print/frm_Anteprima.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>

namespace qvmd {

namespace {

// The combo entry that writes a PDF file instead of printing carries this mark.
constexpr int PdfRole = Qt::UserRole + 1;

} // namespace

// The engine's error boxes through the window's seams.
class frm_Print::ErrorBoxes : public PrintErrorReporter {
public:
    ErrorBoxes(Seams& seams, QWidget* window) : seams_(seams), window_(window) {}
    void critical(const QString& title, const QString& text) override {
        seams_.message(window_, text, title, Seams::Icon::Error);
    }
    bool ask(const QString& title, const QString& question) override {
        return seams_.ask(window_, question, title, Seams::Icon::Question);
    }

private:
    Seams& seams_;
    QWidget* window_;
};

frm_Print::frm_Print(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    buildControls();
    Localise(*this, *state_.strings, state_.LanguageOffset);
    CaricaStampanti();
    paintBackground(*this, Backdrop::cyanToBlue);

    cLoadResPicture pictures;
    const QPixmap print = pictures.LoadResPicture(113, QStringLiteral("CUSTOM"));
    cmd_Print->setIcon(QIcon(print));
    cmd_Print->setIconSize(print.isNull() ? QSize(32, 32) : print.deviceIndependentSize().toSize());
    const QPixmap exit = pictures.LoadResPicture(107, QStringLiteral("CUSTOM"));
    cmd_Close->setIcon(QIcon(exit));
    cmd_Close->setIconSize(exit.isNull() ? QSize(32, 32) : exit.deviceIndependentSize().toSize());
    Image1->setPixmap(pictures.LoadResPicture(112, QStringLiteral("CUSTOM")));
    Label3->setText(state_.log.LogInUseName);

    const ScoreWeights& weights = state_.weights;
    if (state_.profile.category != QLatin1String("L")) {
        Label4->setText(QStringLiteral("Hunter"));
        pointsPerLady_ = weights.ladyPointsForHunter;
        pointsPerHunter_ = weights.hunterPointsForHunter;
    } else {
        Label4->setText(QStringLiteral("Lady"));
        pointsPerLady_ = weights.ladyPointsForLady;
        pointsPerHunter_ = weights.hunterPointsForLady;
    }
    // A screen reader reads a dialog's labels of three words or more only: the heading says the log's
    // name and category too.
    Label1->setAccessibleName(Label1->text() + QStringLiteral(": ") + Label3->text() + QStringLiteral(", ") +
                              Label4->text());
}

frm_Print::~frm_Print() = default;

void frm_Print::buildControls() {
    setObjectName(QStringLiteral("frm_Print"));
    setProperty("tag", QStringLiteral("1080"));
    setWindowTitle(QStringLiteral("Print Log"));
    setFixedSize(470, 290);

    Image1 = makeLabel(this, "Image1", QString());
    Image1->setGeometry(16, 14, 120, 120);
    Image1->setAlignment(Qt::AlignCenter);

    Label1 = makeLabel(this, "Label1", QStringLiteral("Print Using Log"), "1029");
    QFont title(QStringLiteral("Comic Sans MS"));
    title.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    title.setPointSize(16);
    title.setBold(true);
    Label1->setFont(title);
    Label1->setGeometry(150, 12, 304, 34);
    Label1->setAlignment(Qt::AlignCenter);

    Label3 = makeLabel(this, "Label3", QString());
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);
    Label3->setGeometry(150, 54, 304, 22);
    Label3->setAlignment(Qt::AlignCenter);
    Label4 = makeLabel(this, "Label4", QString());
    Label4->setFont(bold);
    Label4->setGeometry(150, 78, 304, 22);
    Label4->setAlignment(Qt::AlignCenter);
    Label2 =
        makeLabel(this, "Label2", QStringLiteral("Make sure the printer is switched on and online"), "1064");
    Label2->setGeometry(150, 104, 304, 40);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignCenter);

    Combo1 = new QComboBox(this);
    setNameTag(Combo1, "1422");
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(16, 156, 438, 28);
    lbl_Printed = makeLiveLabel(this, "lbl_Printed", QString());
    lbl_Printed->setGeometry(16, 262, 438, 22);
    lbl_Printed->setAlignment(Qt::AlignCenter);

    cmd_Preview = makeButton(this, "cmd_Preview", QStringLiteral("Preview"), "1641");
    cmd_Preview->setGeometry(16, 206, 136, 52);
    cmd_Print = makeButton(this, "cmd_Print", QStringLiteral("Print"));
    setNameTag(cmd_Print, "1647");
    cmd_Print->setGeometry(167, 206, 136, 52);
    cmd_Close = makeButton(this, "cmd_Close", QStringLiteral("Exit"), "1001");
    cmd_Close->setGeometry(318, 206, 136, 52);
    connect(cmd_Preview, &QPushButton::clicked, this, &frm_Print::cmd_Preview_Click);
    connect(cmd_Print, &QPushButton::clicked, this, &frm_Print::cmd_Print_Click);
    connect(cmd_Close, &QPushButton::clicked, this, &frm_Print::cmd_Close_Click);

    const auto hidden = [this](const char* name, const char* text, const char* tag) {
        QLabel* label = makeLabel(this, name, QString::fromLatin1(text), tag);
        label->hide();
        return label;
    };
    Label5 = hidden("Label5", "The log doesn't contain any contacts to print", "1076");
    Label6 = hidden("Label6", "Error check", "1053");
    Label7 = hidden("Label7", "Summary Results Table", "1083");
    Label8 = hidden("Label8", "Stations Connect", "1138");
    Label9 = hidden("Label9", "Deleted Qso", "1085");
    Label10 = hidden("Label10", "Total score", "1086");
    Label12 = hidden("Label12", "Log by", "1101");
    Label13 = hidden("Label13", "Lady Station", "1139");
    Label14 = hidden("Label14", "Hunter Station", "1140");
    Label15 = hidden("Label15", "Multipliers", "1136");
}

void frm_Print::CaricaStampanti() {
    LoadComboPrinters(*Combo1, QPrinterInfo::defaultPrinterName());
    // A PDF file can always be written, also where no printer is installed.
    Combo1->addItem(state_.text(1642, QStringLiteral("PDF file")));
    Combo1->setItemData(Combo1->count() - 1, true, PdfRole);
    if (Combo1->currentIndex() < 0)
        Combo1->setCurrentIndex(Combo1->count() - 1);
}

bool frm_Print::pdfChosen() const {
    return Combo1->currentData(PdfRole).toBool();
}

std::optional<PrintableLog> frm_Print::ControllaLog() {
    Result<PrintableLog> log = PrintableLog::read(state_.folder.logs(state_.log.LogInUseName));
    if (!log) {
        seams_.message(this, fileErrorText(log.error(), state_.LanguageOffset), Label6->text(),
                       Seams::Icon::Error);
        return std::nullopt;
    }
    if (log.value().lineCount() < 8) {
        seams_.message(this, Label5->text(), Label6->text(), Seams::Icon::Information);
        return std::nullopt;
    }
    return std::move(log.value());
}

QString frm_Print::askPdfFile() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString suggested = QFileInfo(state_.log.LogInUseName).completeBaseName() + QStringLiteral(".pdf");
    QFileDialog dialog(this, state_.text(1643, QStringLiteral("Save the log as PDF")),
                       QDir(folder).filePath(suggested), QStringLiteral("PDF (*.pdf)"));
    dialog.setObjectName(QStringLiteral("PdfFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (seams_.showModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool frm_Print::preparePrinter(bool forPrinting) {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QString device;
    if (pdfChosen()) {
        QString file;
        if (forPrinting) {
            file = askPdfFile();
            if (file.isEmpty())
                return false;
            // Found out now, in the program's words, rather than as a failed print job.
            QFile probe(file);
            const QFileInfo info(file);
            if (info.isDir() || !info.dir().exists() ||
                !probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
                FileError error = fileError(FileError::Kind::Unwritable, file,
                                            info.isDir()           ? FileError::Reason::IsFolder
                                            : !info.dir().exists() ? FileError::Reason::FolderMissing
                                                                   : FileError::Reason::AccessDenied);
                if (error.reason == FileError::Reason::FolderMissing)
                    error.value = info.dir().path();
                seams_.message(this, fileErrorText(error, state_.LanguageOffset), Label6->text(),
                               Seams::Icon::Error);
                return false;
            }
        }
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(file);
        // A PDF page has no unprintable edge.
        printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        device = QStringLiteral("PDF");
    } else {
        const QString name = Combo1->currentData().toString();
        // Qt prints to the default printer when the name is unknown, or nowhere without a scheduler.
        if (name.isEmpty() || QPrinterInfo::printerInfo(name).isNull()) {
            seams_.message(this, state_.text(1644, QStringLiteral("The chosen printer is not available.")),
                           Label6->text(), Seams::Icon::Error);
            return false;
        }
        printer_->setOutputFileName(QString());
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(name);
        device = name;
    }
    printer_->setDocName(QFileInfo(state_.log.LogInUseName).completeBaseName());
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(QPageLayout::Portrait);

    if (!engine_) {
        surface_ = std::make_unique<QPrinterSurface>(*printer_);
        errorBoxes_ = std::make_unique<ErrorBoxes>(seams_, this);
        engine_ = std::make_unique<EasyPrint>(*surface_);
        engine_->setErrorReporter(errorBoxes_.get());
    } else if (device != engineDevice_) {
        // Another printer has other margins; positions must still count from the paper's edge.
        engine_->CalcolaAreaNonStampabile();
    }
    engineDevice_ = device;
    return true;
}

bool frm_Print::StampaLog(const PrintableLog& log) {
    // The totals come from the log being printed, never from a Log.dat that may lag behind it.
    const LogCounters counters = log.counters(state_.countries.count());
    state_.counters.NextProgressive = counters.NextProgressive;
    state_.counters.CountryCount = counters.CountryCount;
    state_.counters.CancelledCount = counters.CancelledCount;

    LogReportData data;
    data.year = state_.log.year;
    data.station = state_.profile.StationCallsign;
    data.operatorName = state_.profile.OperatorName;
    data.nextProgressive = counters.NextProgressive;
    data.hunterCount = counters.HunterCount;
    data.ladyCount = counters.LadyCount;
    data.countryCount = counters.CountryCount;
    data.cancelledCount = counters.CancelledCount;
    data.pointsPerLady = pointsPerLady_;
    data.pointsPerHunter = pointsPerHunter_;
    data.pointsPerCountry = state_.weights.countryPoints;

    LogReportTexts texts;
    texts.logBy = Label12->text();
    texts.summaryTable = Label7->text();
    texts.stationsConnect = Label8->text();
    texts.deletedQso = Label9->text();
    texts.ladyStation = Label13->text();
    texts.hunterStation = Label14->text();
    texts.multipliers = Label15->text();
    texts.totalScore = Label10->text();

    LogReport(*engine_).StampaLog(data, texts, log.records());
    return true;
}

void frm_Print::printLog(const PrintableLog& log) {
    if (!preparePrinter(true) || !StampaLog(log))
        return;
    // Printing to a file shows nothing else: the operator, seeing or not, learns where the log went.
    const QString sent =
        state_.text(1690, QStringLiteral("Log sent to the printer %1")).arg(Combo1->currentText());
    lbl_Printed->setText(sent);
    lbl_Printed->announce(sent, LiveStatusLabel::Repeat::Always);
}

void frm_Print::cmd_Print_Click() {
    if (const std::optional<PrintableLog> log = ControllaLog())
        printLog(*log);
}

void frm_Print::cmd_Preview_Click() {
    const std::optional<PrintableLog> log = ControllaLog();
    if (!log || !preparePrinter(false))
        return;
    engine_->setAnteprima(true);
    const bool recorded = StampaLog(*log);
    int result = QDialog::Rejected;
    if (recorded) {
        frm_Anteprima preview(state_, *engine_, this);
        result = seams_.showModal(preview);
    }
    // The recorded pages go before the print starts; the print uses the reading the preview showed.
    engine_->setAnteprima(false);
    if (result == QDialog::Accepted)
        printLog(*log);
}

void frm_Print::cmd_Close_Click() {
    closeWith(QDialog::Accepted);
}

} // namespace qvmd
