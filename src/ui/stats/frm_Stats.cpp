#include "ui/stats/frm_Stats.h"

#include "core/app/AppState.h"
#include "core/common/FileErrorText.h"
#include "core/common/TextFile.h"
#include "core/logging/ContactLog.h"
#include "core/logging/Score.h"
#include "core/print/EasyPrint.h"
#include "core/print/PicturePage.h"
#include "ui/kit/Seams.h"
#include "ui/print/QPrinterSurface.h"
#include "ui/stats/CountriesModel.h"
#include "ui/stats/DayCharts.h"

#include <QBuffer>
#include <QChartView>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <future>
#include <system_error>

namespace qvmd {

namespace {

constexpr int rateMilliseconds = 15000;

} // namespace

frm_Stats::frm_Stats(AppState& state, Seams& seams, const ContactLog& log, QWidget* parent)
    : QDialog(parent), state_(state), seams_(seams), log_(log) {
    // On a full day's log the count takes as long as building the window: it is made on another core
    // meanwhile (nothing here writes the log or the state it reads), or here when no thread is to be had.
    std::future<DayStatistics> counted;
    try {
        counted = std::async(std::launch::async, [this] { return count(); });
    } catch (const std::system_error&) {
    }
    setObjectName(QStringLiteral("frm_Stats"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);

    charts_ = std::make_unique<DayCharts>(this);
    countries_ = new CountriesModel(state_, this);
    grid_Countries = new QTableView(this);
    grid_Countries->setObjectName(QStringLiteral("grid_Countries"));
    grid_Countries->setModel(countries_);
    grid_Countries->setIconSize(QSize(24, 16));
    grid_Countries->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_Countries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_Countries->horizontalHeader()->setSectionResizeMode(CountriesModel::CountryColumn,
                                                             QHeaderView::Stretch);
    // One line a country: wrapping lays out every cell's text anew on each paint.
    grid_Countries->setWordWrap(false);
    // The figures need little room; the countries' names take the rest.
    grid_Countries->horizontalHeader()->resizeSection(CountriesModel::ContactsColumn, 74);
    grid_Countries->horizontalHeader()->resizeSection(CountriesModel::ShareColumn, 62);
    grid_Countries->verticalHeader()->setDefaultSectionSize(22);
    grid_Countries->setMinimumWidth(300);
    lbl_Countries = new QLabel(this);
    lbl_Countries->setBuddy(grid_Countries);

    lbl_Rate10 = new QLabel(this);
    lbl_Rate10->setObjectName(QStringLiteral("lbl_Rate10"));
    lbl_Rate60 = new QLabel(this);
    lbl_Rate60->setObjectName(QStringLiteral("lbl_Rate60"));
    QFont rateFont = font();
    rateFont.setBold(true);
    rateFont.setPointSizeF(rateFont.pointSizeF() * 1.25);
    lbl_Rate10->setFont(rateFont);
    lbl_Rate60->setFont(rateFont);
    lbl_Unread = new QLabel(this);
    lbl_Unread->setObjectName(QStringLiteral("lbl_Unread"));
    lbl_Unread->setWordWrap(true);

    cmd_SavePicture = new QPushButton(this);
    cmd_SavePicture->setObjectName(QStringLiteral("cmd_SavePicture"));
    cmd_Print = new QPushButton(this);
    cmd_Print->setObjectName(QStringLiteral("cmd_Print"));
    cmd_Close = new QPushButton(this);
    cmd_Close->setObjectName(QStringLiteral("cmd_Close"));
    connect(cmd_SavePicture, &QPushButton::clicked, this, &frm_Stats::cmd_SavePicture_Click);
    connect(cmd_Print, &QPushButton::clicked, this, &frm_Stats::cmd_Print_Click);
    connect(cmd_Close, &QPushButton::clicked, this, &QDialog::close);

    // Layouts rather than fixed places: the window reflows at any text size.
    auto* rates = new QHBoxLayout;
    rates->addWidget(lbl_Rate10);
    rates->addSpacing(40);
    rates->addWidget(lbl_Rate60);
    rates->addStretch();
    auto* countries = new QVBoxLayout;
    countries->addWidget(lbl_Countries);
    countries->addWidget(grid_Countries);
    auto* middle = new QGridLayout;
    middle->addWidget(charts_->hoursView(), 0, 0);
    middle->addWidget(charts_->scoreView(), 1, 0);
    middle->addLayout(countries, 0, 1, 2, 1);
    middle->setColumnStretch(0, 3);
    middle->setColumnStretch(1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lbl_Unread, 1);
    buttons->addWidget(cmd_SavePicture);
    buttons->addWidget(cmd_Print);
    buttons->addWidget(cmd_Close);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(rates);
    whole->addLayout(middle, 1);
    whole->addLayout(buttons);
    const QList<QWidget*> tabs{
        charts_->hoursView(), charts_->scoreView(), grid_Countries, cmd_SavePicture, cmd_Print, cmd_Close};
    for (qsizetype i = 1; i < tabs.size(); ++i)
        setTabOrder(tabs[i - 1], tabs[i]);
    resize(1040, 640);

    localise();
    showStatistics(counted.valid() ? counted.get() : count());
    Timer_Rate.setInterval(rateMilliseconds);
    connect(&Timer_Rate, &QTimer::timeout, this, &frm_Stats::Timer_Rate_Timer);
    Timer_Rate.start();
}

frm_Stats::~frm_Stats() = default;

void frm_Stats::localise() {
    const QString title = state_.text(1800, QStringLiteral("Statistics"));
    setWindowTitle(title + QStringLiteral(" - ") + state_.profile.StationCallsign);
    lbl_Countries->setText(state_.text(1803, QStringLiteral("Countries worked")));
    grid_Countries->setAccessibleName(lbl_Countries->text());
    cmd_SavePicture->setText(state_.text(1809, QStringLiteral("Save picture")));
    cmd_Print->setText(state_.text(1810, QStringLiteral("Print")));
    cmd_Close->setText(state_.text(1811, QStringLiteral("Close")));
}

DayStatistics frm_Stats::count() const {
    return dayStatistics(log_, state_.countries.count(),
                         pointValues(state_.weights, state_.profile.category));
}

void frm_Stats::refresh() {
    showStatistics(count());
}

void frm_Stats::showStatistics(DayStatistics statistics) {
    statistics_ = std::move(statistics);
    charts_->show(statistics_, state_);
    countries_->show(statistics_);
    const QString worked =
        state_.text(1816, QStringLiteral("%1 countries worked")).arg(statistics_.countries.size());
    grid_Countries->setAccessibleDescription(worked);
    lbl_Unread->setText(statistics_.unreadableStamps == 0
                            ? QString()
                            : state_
                                  .text(1821, QStringLiteral("%1 contacts without a readable time are not in "
                                                             "the charts."))
                                  .arg(statistics_.unreadableStamps));
    Timer_Rate_Timer();
}

void frm_Stats::Timer_Rate_Timer() {
    const qint64 now = state_.clock->nowUtc().toSecsSinceEpoch();
    lbl_Rate10->setText(state_.text(1807, QStringLiteral("Last 10 minutes: %1 contacts per hour"))
                            .arg(statistics_.ratePerHour(now, 10)));
    lbl_Rate60->setText(state_.text(1808, QStringLiteral("Last 60 minutes: %1 contacts per hour"))
                            .arg(statistics_.ratePerHour(now, 60)));
}

QImage frm_Stats::picture() {
    return grab().toImage();
}

bool frm_Stats::savePicture(const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture().save(&buffer, "PNG");
    if (const WriteResult failure = writeFileBytes(path, bytes); failure && !inPlaceUnconfirmed(failure)) {
        seams_.message(this, fileErrorText(*failure, state_.LanguageOffset),
                       state_.text(1800, QStringLiteral("Statistics")), Seams::Icon::Error);
        return false;
    }
    return true;
}

void frm_Stats::cmd_SavePicture_Click() {
    QFileDialog dialog(this, cmd_SavePicture->text(),
                       state_.profile.StationCallsign + QStringLiteral("_statistics.png"),
                       state_.text(1819, QStringLiteral("PNG picture (*.png)")));
    dialog.setObjectName(QStringLiteral("dlg_SavePicture"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    if (seams_.showModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    savePicture(dialog.selectedFiles().constFirst());
}

void frm_Stats::printPicture(QPrinter& printer) {
    QPrinterSurface surface(printer);
    EasyPrint engine(surface);
    PrintPicturePage(engine, picture());
}

void frm_Stats::cmd_Print_Click() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlg_Print"));
    if (seams_.showModal(dialog) != QDialog::Accepted)
        return;
    printPicture(printer);
}

} // namespace qvmd
