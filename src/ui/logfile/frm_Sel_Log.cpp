#include "ui/logfile/frm_Sel_Log.h"

#include "core/app/AppState.h"
#include "core/app/StationState.h"
#include "core/common/FileErrorText.h"
#include "core/logfile/LogName.h"
#include "core/logfile/LogSelection.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/kit/SpokenChoice.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace qvmd {

namespace {

// A header that cannot give back a station: taking its values would blank the profile.
bool headerIsUsable(const LogContents& log) {
    const QString category = log.header.value(LogHeader::CategoryValue).trimmed();
    return log.headerValueCount == LogHeader::ValueCount &&
           !log.header.value(LogHeader::IdentifierValue).trimmed().isEmpty() &&
           (category == QLatin1String("L") || category == QLatin1String("H"));
}

} // namespace

frm_Sel_Log::frm_Sel_Log(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    buildControls();
    Localise(*this, *state_.strings, state_.LanguageOffset);
    paintBackground(*this, Backdrop::greenToCyan);
    fillFileList();
}

void frm_Sel_Log::buildControls() {
    setObjectName(QStringLiteral("frm_Sel_Log"));
    setProperty("tag", QStringLiteral("1125"));
    setWindowTitle(QStringLiteral("Select Log  And Confirm"));
    setFixedSize(360, 330);

    Label1 = makeLabel(this, "Label1", QStringLiteral("Select Log"), "1026");
    Label1->setGeometry(12, 10, 336, 28);
    QFont title = Label1->font();
    title.setBold(true);
    title.setPointSize(title.pointSize() + 3);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignCenter);

    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    // A list takes no name from a caption: it is named as the caption above it.
    setNameTag(File1, "1026");
    Label1->setBuddy(File1);
    File1->setGeometry(12, 46, 336, 220);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    speakCurrentItem(*File1);
    connect(File1, &QListWidget::itemClicked, this, &frm_Sel_Log::File1_Click);
    // Enter on a log chooses it as a click does: the arrows alone only move through the list.
    connect(File1, &QListWidget::itemActivated, this, [this](const QListWidgetItem* item) {
        if (item->text() != selectedName_)
            File1_Click();
    });

    cmd_Select = makeButton(this, "cmd_Select", QStringLiteral("Confirm"), "1044");
    cmd_Select->setGeometry(12, 280, 160, 34);
    cmd_Select->setEnabled(false);
    connect(cmd_Select, &QPushButton::clicked, this, &frm_Sel_Log::cmd_Select_Click);

    cmd_Close = makeButton(this, "cmd_Close", QStringLiteral("Exit"));
    setNameTag(cmd_Close, "1001");
    cmd_Close->setGeometry(188, 280, 160, 34);
    connect(cmd_Close, &QPushButton::clicked, this, &frm_Sel_Log::cmd_Close_Click);
}

void frm_Sel_Log::fillFileList() {
    File1->addItems(ownLogFiles(state_.folder, state_.profile.StationCallsign));
}

void frm_Sel_Log::File1_Click() {
    // Only the last click counts: whatever an earlier one read is dropped first.
    summary_.reset();
    selectedName_.clear();
    cmd_Select->setEnabled(false);
    const QListWidgetItem* item = File1->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    const QString path = state_.folder.logs(name);
    Result<LogSummary> summary = readLogSummary(path, state_.countries.count());
    if (!summary) {
        seams_.message(this, fileErrorText(summary.error(), state_.LanguageOffset), windowTitle(),
                       Seams::Icon::Error);
        return;
    }
    if (!headerIsUsable(summary.value().contents)) {
        const FileError error = fileError(FileError::Kind::Malformed, path);
        seams_.message(this, fileErrorText(error, state_.LanguageOffset), windowTitle(), Seams::Icon::Error);
        return;
    }
    selectedName_ = name;
    summary_ = std::move(summary.value());
    cmd_Select->setEnabled(true);
}

void frm_Sel_Log::cmd_Select_Click() {
    if (!summary_)
        return;
    const LogSelection selection = selectionFromHeader(selectedName_, summary_->contents.header);
    const LogCounters& counters = summary_->statistics.counters;
    // Counters first: should Use.dat then fail, the log in use is still the old one, and opening it
    // rebuilds the counter file from its records.
    WriteResult failure = writeCounterFile(state_.folder, counters);
    // Files in place whose folder sync failed are written: the selection goes on and it is told.
    if (!failure || inPlaceUnconfirmed(failure)) {
        WriteResult use = saveUseFile(state_, selection.use, selection.profile, selection.stationKind);
        if (use)
            failure = std::move(use);
    }
    if (failure) {
        const bool unconfirmed = inPlaceUnconfirmed(failure);
        seams_.message(this, fileErrorText(*failure, state_.LanguageOffset), windowTitle(),
                       unconfirmed ? Seams::Icon::Warning : Seams::Icon::Error);
        if (!unconfirmed)
            return;
    }
    state_.counters = counters;
    state_.worked = summary_->statistics.worked;
    chosen_ = selection;
    closeWith(QDialog::Accepted);
}

void frm_Sel_Log::cmd_Close_Click() {
    closeWith(QDialog::Rejected);
}

} // namespace qvmd
