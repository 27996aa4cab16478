#include "ui/update/frm_Aggior.h"

#include "core/app/AppState.h"
#include "core/app/ReferenceUpdate.h"
#include "core/common/FileErrorText.h"
#include "core/update/UpdateChecker.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace qvmd {

namespace {

const QColor currentColour(0, 0, 0);
const QColor updateColour(0, 0, 255);
const QColor failedColour(192, 0, 0);

// A greyed box (the file is current) ticks with one click, so a current file can be fetched again.
class RowCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

void setTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget.setPalette(palette);
}

} // namespace

frm_Aggior::frm_Aggior(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams), checker_(new UpdateChecker(state.folder, this)) {
    buildControls();
    connect(checker_, &UpdateChecker::checkFinished, this, &frm_Aggior::onCheckFinished);
    connect(checker_, &UpdateChecker::fileFinished, this, &frm_Aggior::onFileFinished);
    connect(checker_, &UpdateChecker::downloadsFinished, this, &frm_Aggior::onDownloadsFinished);

    Localise(*this, *state_.strings, state_.LanguageOffset);
    paintBackground(*this, Backdrop::updateBlueToGreen);

    Timer1.setInterval(2000);
    Timer1.setSingleShot(true);
    Timer2.setInterval(100);
    Timer3.setInterval(20);
    Timer4.setInterval(20);
    connect(&Timer1, &QTimer::timeout, this, &frm_Aggior::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &frm_Aggior::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &frm_Aggior::Timer3_Timer);
    connect(&Timer4, &QTimer::timeout, this, &frm_Aggior::Timer4_Timer);
    Timer1.start();
    Timer2.start();
    ProgressBar1->setMaximum(100);
    for (QLabel* status : Label2)
        status->setText(Label9->text());
}

frm_Aggior::~frm_Aggior() = default;

void frm_Aggior::buildControls() {
    setObjectName(QStringLiteral("frm_Aggior"));
    setWindowTitle(QStringLiteral("Agg"));
    setFixedSize(460, 340);

    Label1 = makeLabel(this, "Label1", QStringLiteral("Updates"), "1147");
    Label1->setGeometry(10, 10, 440, 30);
    QFont title = Label1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.5);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignCenter);

    for (int row = 0; row < UpdateFileCount; ++row) {
        auto* box = new RowCheckBox(updateFiles().at(static_cast<std::size_t>(row)).caption, this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(row));
        box->setGeometry(30, 52 + row * 30, 160, 24);
        connect(box, &QCheckBox::clicked, this, [this, row] { Check1_Click(row); });
        Check1.append(box);

        QLabel* status = makeLabel(this, "", QString());
        status->setObjectName(QStringLiteral("Label2_%1").arg(row));
        status->setGeometry(195, 52 + row * 30, 255, 24);
        Label2.append(status);
    }

    Label7 = makeLabel(this, "Label7", QStringLiteral("Check for Updates ... Please Wait"), "1148");
    Label3 = makeLiveLabel(this, "Label3", QStringLiteral("To update? Click to Confirm"), "1149");
    for (QLabel* line : std::initializer_list<QLabel*>{Label7, Label3}) {
        line->setGeometry(10, 206, 440, 24);
        line->setAlignment(Qt::AlignCenter);
    }
    Label3->hide();

    ProgressBar1 = new QProgressBar(this);
    setNameTag(ProgressBar1, "1433");
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(30, 238, 400, 20);
    ProgressBar1->setTextVisible(false);

    cmd_Confirm = makeButton(this, "cmd_Confirm", QStringLiteral("Confirm"), "1144");
    cmd_Confirm->setGeometry(110, 280, 110, 34);
    cmd_Confirm->setEnabled(false);
    connect(cmd_Confirm, &QPushButton::clicked, this, &frm_Aggior::cmd_Confirm_Click);
    cmd_Close = makeButton(this, "cmd_Close", QStringLiteral("Exit"), "1001");
    cmd_Close->setGeometry(240, 280, 110, 34);
    connect(cmd_Close, &QPushButton::clicked, this, &frm_Aggior::cmd_Close_Click);

    const auto hidden = [this](const char* name, const QString& text, const char* tag) {
        QLabel* label = makeLabel(this, name, text, tag);
        label->hide();
        return label;
    };
    Label4 = hidden("Label4", QStringLiteral("No Update Available"), "1151");
    Label5 = hidden("Label5", QStringLiteral("Update available"), "1150");
    Label6 = hidden("Label6", QStringLiteral("All files have been updated"), "1154");
    Label8 = hidden("Label8", QStringLiteral("Error-checking"), "1114");
    Label9 = hidden("Label9", QStringLiteral("Check for Update"), "1155");
    Label11 = hidden("Label11", QStringLiteral("Update Done"), "1152");
    Label12 = hidden("Label12", QStringLiteral("It was not possible to download updates "), "1156");
    Label13 = hidden("Label13", QStringLiteral("Check your internet connection and try again"), "1157");
}

void frm_Aggior::setRow(int row, const QString& status, const QColor& colour) {
    Label2[row]->setText(status);
    setTextColour(*Label2[row], colour);
    setTextColour(*Check1[row], colour);
}

void frm_Aggior::Timer2_Timer() {
    ++counter2_;
    ProgressBar1->setValue(counter2_);
    if (counter2_ >= 100) {
        counter2_ = 0;
        Timer2.stop();
        progressRunDone_ = true;
        enableConfirmWhenReady();
    }
}

void frm_Aggior::enableConfirmWhenReady() {
    // The check runs in the background and may end after the progress run; Confirm waits for both.
    cmd_Confirm->setEnabled(progressRunDone_ && readyToConfirm_);
}

void frm_Aggior::Timer1_Timer() {
    Timer1.stop();
    if (std::optional<FileError> error = checker_->readInstalled())
        seams_.message(this, fileErrorText(*error, state_.LanguageOffset), Label8->text(),
                       Seams::Icon::Error);
    checker_->check(state_.SettingsEntries.value(BaseAddressEntry));
    Timer2.setInterval(20);
}

void frm_Aggior::onCheckFinished() {
    Label7->hide();
    Label3->show();
    if (!checker_->manifestObtained()) {
        Timer1.stop();
        Timer2.stop();
        Label3->setText(Label12->text().trimmed());
        Label3->announce(Label3->text());
        const std::optional<DownloadFault>& fault = checker_->manifestFault();
        // An address that can never work is named, not blamed on the connection.
        QString why;
        if (fault && fault->kind == DownloadFault::Kind::BadAddress) {
            why = state_.text(1220).arg(fault->detail);
        } else {
            // The usual advice, then what the program knows of the cause: a missing file or an untrusted
            // certificate is no matter of the connection.
            const DownloadFault known =
                fault.value_or(DownloadFault{DownloadFault::Kind::WrongShape, 0, QString(), 0, 0});
            QString reason = downloadFaultReason(known, state_.LanguageOffset);
            reason[0] = reason[0].toUpper();
            why = Label13->text() + QStringLiteral("\n\n") + reason + QLatin1Char('.');
        }
        seams_.message(this, Label12->text() + QLatin1Char('\n') + why, Label9->text(), Seams::Icon::Error);
        return;
    }
    bool anySelected = false;
    QStringList newer;
    for (int row = 0; row < UpdateFileCount; ++row) {
        const bool update = checker_->hasUpdate(row);
        Selected[static_cast<std::size_t>(row)] = update;
        anySelected = anySelected || update;
        Check1[row]->setCheckState(update ? Qt::Checked : Qt::PartiallyChecked);
        // A file the manifest does not name cannot be fetched.
        Check1[row]->setEnabled(checker_->isPublished(row));
        if (update) {
            setRow(row, Label5->text(), updateColour);
            newer.append(Check1[row]->text());
        } else
            setRow(row, Label4->text(), currentColour);
    }
    if (!anySelected) {
        Timer1.stop();
        Timer2.stop();
        ProgressBar1->hide();
        cmd_Confirm->setEnabled(false);
        Label3->setText(Label4->text());
        Label3->announce(Label3->text());
        seams_.message(this, Label6->text(), Label8->text(), Seams::Icon::Information);
        return;
    }
    readyToConfirm_ = true;
    enableConfirmWhenReady();
    // Blue rows tell a sighted operator which files are newer; the others hear them named.
    Label3->announce(Label5->text() + QStringLiteral(": ") + newer.join(QStringLiteral(", ")) +
                     QStringLiteral(". ") + Label3->text());
}

void frm_Aggior::Check1_Click(int row) {
    const Qt::CheckState state = Check1[row]->checkState();
    if (state != Qt::PartiallyChecked)
        Selected[static_cast<std::size_t>(row)] = state == Qt::Checked;
}

void frm_Aggior::cmd_Confirm_Click() {
    cmd_Confirm->setEnabled(false);
    cmd_Close->setEnabled(false);
    std::array<bool, UpdateFileCount> wanted{};
    for (int row = 0; row < UpdateFileCount; ++row) {
        wanted[static_cast<std::size_t>(row)] =
            Selected[static_cast<std::size_t>(row)] && Check1[row]->checkState() == Qt::Checked;
        Check1[row]->setEnabled(false);
    }
    ProgressBar1->setValue(0);
    checker_->download(wanted);
}

void frm_Aggior::onFileFinished(int row) {
    ProgressBar1->setValue((row + 1) * 100 / UpdateFileCount);
    const QString notDownloaded =
        state_.LanguageOffset == 0 ? QStringLiteral("Non scaricato") : QStringLiteral("Not downloaded");
    const bool replaced = checker_->outcome(row).replaced;
    // The message after the run says why; the row only says that its file stayed as it was.
    if (!replaced)
        setRow(row, notDownloaded, failedColour);
    // Each file as it comes, while the bar moves.
    Label3->announce(Check1[row]->text() + QStringLiteral(": ") +
                     (replaced ? QStringLiteral("Download OK") : notDownloaded));
}

void frm_Aggior::onDownloadsFinished() {
    for (int row = 0; row < UpdateFileCount; ++row) {
        const UpdateChecker::FileOutcome& outcome = checker_->outcome(row);
        if (!outcome.attempted || outcome.replaced)
            continue;
        const DownloadUrlError error = downloadUrlError(
            outcome.address, QDir::toNativeSeparators(checker_->localPath(row)), resultCode(*outcome.fault));
        const QString reason = downloadFaultText(
            *outcome.fault, updateFiles().at(static_cast<std::size_t>(row)).localName, state_.LanguageOffset);
        seams_.message(this, error.description + QStringLiteral("\n\n") + reason, error.source,
                       Seams::Icon::Error);
    }
    std::optional<FileError> error = checker_->recordError();
    if (std::optional<FileError> unread = applyReferenceUpdate(state_, checker_->newReferenceData());
        unread && !error)
        error = unread;
    if (error)
        seams_.message(this, fileErrorText(*error, state_.LanguageOffset), Label8->text(),
                       Seams::Icon::Error);
    ProgressBar1->setValue(0);
    Timer3.start();
}

int frm_Aggior::rowAtCount(int count) {
    switch (count) {
    case 20:
        return 0;
    case 35:
        return 1;
    case 55:
        return 2;
    case 75:
        return 3;
    case 95:
        return 4;
    default:
        return -1;
    }
}

void frm_Aggior::Timer3_Timer() {
    ++counter3_;
    ProgressBar1->setValue(counter3_);
    const int row = rowAtCount(counter3_);
    if (row >= 0 && checker_->outcome(row).replaced)
        Label2[row]->setText(QStringLiteral("Download OK"));
    if (counter3_ >= 100) {
        counter3_ = 0;
        Timer3.stop();
        Timer4.start();
    }
}

void frm_Aggior::Timer4_Timer() {
    ++counter4_;
    ProgressBar1->setValue(counter4_);
    const int row = rowAtCount(counter4_);
    if (row >= 0 && checker_->outcome(row).replaced)
        Label2[row]->setText(Label11->text());
    if (counter4_ >= 100) {
        counter4_ = 0;
        Timer4.stop();
        Label3->setText(checker_->anyFailed() ? Label12->text().trimmed() : Label6->text());
        Label3->announce(Label3->text());
        cmd_Close->setEnabled(true);
        ProgressBar1->hide();
    }
}

void frm_Aggior::cmd_Close_Click() {
    closeWith(QDialog::Accepted);
}

} // namespace qvmd
