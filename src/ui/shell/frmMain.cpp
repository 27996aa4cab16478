#include "ui/shell/frmMain.h"

#include "core/app/AppState.h"
#include "core/app/StartupFiles.h"
#include "core/common/FileErrorText.h"
#include "core/common/VersionInfo.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/FormScale.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/kit/cLoadResPicture.h"
#include "ui/shell/AutoBackupKeeper.h"
#include "ui/shell/DeleteLogCommand.h"
#include "ui/shell/MainChildWindows.h"
#include "ui/shell/ManualCommand.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qvmd {

frmMain::frmMain(AppState& state, Seams& seams, QWidget* parent)
    : QMainWindow(parent), state_(state), seams_(seams) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Marigold Day"));
    prepareFormScale(*this);
    buildControls();
    menus_ = std::make_unique<MainMenus>(this, centralWidget());
    static_cast<MainMenuControls&>(*this) = *menus_;
    wireMenus();

    // Load, in the window's order.
    const QString title =
        QStringLiteral("QV Marigold Day ") + QString::number(state_.clock->now().date().year());
    cLoadResPicture pictures;
    Image1->setPixmap(pictures.LoadResPicture(101, QStringLiteral("CUSTOM")));
    buttons_->loadClosePicture();
    loadButtonPictures();
    applyEnablingRule();
    mnu_ita->setChecked(state_.LanguageOffset == 0);
    mnu_Eng->setChecked(state_.LanguageOffset != 0);
    Localise(*this, *state_.strings, state_.LanguageOffset);
    copyMenuTexts();
    Label1->setText(title);
    Label3->setText(stationLine());
    paintBackground(*centralWidget(), Backdrop::blueToCyan);

    autoBackup_ = std::make_unique<AutoBackupKeeper>(state_, *statusPanels[0]);
    children_ = std::make_unique<MainChildWindows>(state_, seams_, this, *autoBackup_);
    StatusClock.setInterval(1000);
    connect(&StatusClock, &QTimer::timeout, this, &frmMain::StatusClock_Timer);
    StatusClock_Timer();
    StatusClock.start();
}

frmMain::~frmMain() = default;

void frmMain::setVisible(bool visible) {
    if (visible)
        applyFormScale(*this);
    QMainWindow::setVisible(visible);
}

void frmMain::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralForm"));
    setCentralWidget(central);

    Label1 = new QLabel(central);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont(QStringLiteral("Comic Neue"));
    titleFont.setPointSize(26);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("color: #fff8dc;"));

    Label3 = new QLabel(central);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont stationFont(QStringLiteral("Liberation Sans"));
    stationFont.setPointSize(16);
    stationFont.setBold(true);
    Label3->setFont(stationFont);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setStyleSheet(QStringLiteral("color: #ffe680;"));

    Image1 = new QLabel(central);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setMinimumSize(260, 200);
    setNameTag(Image1, "1428");

    buttons_ = std::make_unique<MainButtons>(central);
    static_cast<MainLogButtons&>(*this) = *buttons_;

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(14);
    for (QPushButton* button : {cmd_Open_Log, cmd_Sel_Log, cmd_Send_Log, cmd_New_Log})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(Image1, 1);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(cmd_Close);
    right->addLayout(closeRow);

    auto* body = new QHBoxLayout;
    body->addLayout(buttons);
    body->addSpacing(24);
    body->addLayout(right, 1);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(Label1);
    layout->addWidget(Label3);
    layout->addSpacing(12);
    layout->addLayout(body, 1);

    status_ = std::make_unique<MainStatusBar>(this);
    static_cast<MainStatusPanels&>(*this) = *status_;

    connect(cmd_Open_Log, &QPushButton::clicked, this, &frmMain::cmd_Open_Log_Click);
    connect(cmd_Sel_Log, &QPushButton::clicked, this, &frmMain::cmd_Sel_Log_Click);
    connect(cmd_Send_Log, &QPushButton::clicked, this, &frmMain::cmd_Send_Log_Click);
    connect(cmd_New_Log, &QPushButton::clicked, this, &frmMain::cmd_New_Log_Click);
    connect(cmd_Close, &QPushButton::clicked, this, &frmMain::cmd_Close_Click);
    // As drawn where the screen has room for it at the desktop's text size; else the picture and the
    // spaces give way first, so that the text keeps its size.
    const QSize drawn(820, 600);
    const QSize room = formRoom(*this);
    setFixedSize(room.isEmpty() ? drawn : drawn.boundedTo(room).expandedTo(minimumSizeHint()));
}

void frmMain::wireMenus() {
    const struct {
        QAction* action;
        void (frmMain::*slot)();
    } entries[] = {
        {mnuFileExit, &frmMain::mnuFileExit_Click},
        {mnu_OpenLog, &frmMain::mnu_OpenLog_Click},
        {mnu_SelLog, &frmMain::mnu_SelLog_Click},
        {mnu_SendLog, &frmMain::mnu_SendLog_Click},
        {mnu_NewLog, &frmMain::mnu_NewLog_Click},
        {mnu_DelLog, &frmMain::mnu_DelLog_Click},
        {mnu_PrintLog, &frmMain::mnu_PrintLog_Click},
        {mnu_ModUte, &frmMain::mnu_ModUte_Click},
        {mnu_AutoBackup, &frmMain::mnu_AutoBackup_Click},
        {mnu_ita, &frmMain::mnu_ita_Click},
        {mnu_Eng, &frmMain::mnu_Eng_Click},
        {mnu_Aggior, &frmMain::mnu_Aggior_Click},
        {mnu_Back, &frmMain::mnu_Back_Click},
        {mnu_Rest, &frmMain::mnu_Rest_Click},
        {mnu_HelpContents, &frmMain::mnu_HelpContents_Click},
        {mnu_About, &frmMain::mnu_About_Click},
    };
    for (const auto& entry : entries)
        connect(entry.action, &QAction::triggered, this, entry.slot);
}

void frmMain::loadButtonPictures() {
    buttons_->loadLogPictures(state_.LanguageOffset);
}

void frmMain::copyMenuTexts() {
    menus_->copyTexts(state_.text(1341, QStringLiteral("Automatic backups")));
    auto text = [this](MenuLabel label) { return menus_->text(label); };
    cmd_Open_Log->setAccessibleName(text(MenuLabel::OpenLog));
    cmd_Sel_Log->setAccessibleName(text(MenuLabel::SelectLog));
    cmd_Send_Log->setAccessibleName(text(MenuLabel::SendLog));
    cmd_New_Log->setAccessibleName(text(MenuLabel::NewLog));
    // The close button is a bare picture; its tip and its spoken name say "Exit" in the active language.
    cmd_Close->setToolTip(text(MenuLabel::Exit));
    cmd_Close->setAccessibleName(text(MenuLabel::Exit));
}

QString frmMain::stationLine() const {
    return state_.profile.StationCallsign + QStringLiteral("    ") + state_.profile.OperatorName;
}

void frmMain::applyEnablingRule() {
    const bool inUse = state_.log.LogInUse != 0;
    for (QPushButton* button : {cmd_Open_Log, cmd_Sel_Log, cmd_Send_Log})
        button->setEnabled(inUse);
    for (QAction* action : {mnu_SelLog, mnu_DelLog, mnu_PrintLog, mnu_OpenLog, mnu_SendLog})
        action->setEnabled(inUse);
}

void frmMain::cmd_Open_Log_Click() {
    children_->open_frm_Log();
}

void frmMain::mnu_OpenLog_Click() {
    children_->open_frm_Log();
}

void frmMain::cmd_Sel_Log_Click() {
    if (children_->open_frm_Sel_Log())
        afterLogChoice();
}

// The menu entry does what the button does: a chosen log must enable opening it, whichever way it came.
void frmMain::mnu_SelLog_Click() {
    cmd_Sel_Log_Click();
}

void frmMain::cmd_New_Log_Click() {
    children_->open_frm_New_Log();
    afterLogChoice();
}

void frmMain::mnu_NewLog_Click() {
    cmd_New_Log_Click();
}

// A selected log brings back the identity it was created with, so the station line follows it.
void frmMain::afterLogChoice() {
    applyEnablingRule();
    Label3->setText(stationLine());
}

void frmMain::cmd_Send_Log_Click() {
    children_->open_frm_Send_Log();
}

void frmMain::mnu_SendLog_Click() {
    cmd_Send_Log_Click();
}

void frmMain::mnu_DelLog_Click() {
    // No automatic copy of the log may be under way while it is moved.
    autoBackup_->settle();
    if (deleteLogInUse(state_, seams_, this))
        applyEnablingRule();
}

void frmMain::mnu_HelpContents_Click() {
    openManual(state_, seams_, this, QCoreApplication::applicationDirPath(),
               [](const QUrl& url) { return QDesktopServices::openUrl(url); });
}

void frmMain::mnu_AutoBackup_Click() {
    children_->open_frm_AutoBackup();
}

void frmMain::mnu_PrintLog_Click() {
    children_->open_frm_Print();
}

void frmMain::mnu_ModUte_Click() {
    // Accepted: the profile was saved.
    if (children_->open_frm_Modif_ute() == QDialog::Accepted) {
        requireLogSelection();
        Label3->setText(stationLine());
    }
}

void frmMain::mnu_Rest_Click() {
    autoBackup_->settle();
    children_->open_frm_Restor();
    // Whatever the restore did, the log must be selected again before it is opened or sent.
    requireLogSelection();
}

void frmMain::requireLogSelection() {
    cmd_Open_Log->setEnabled(false);
    cmd_Send_Log->setEnabled(false);
    cmd_Sel_Log->setEnabled(true);
    cmd_New_Log->setEnabled(true);
}

void frmMain::mnu_Back_Click() {
    children_->open_frm_Backup();
}

void frmMain::mnu_Aggior_Click() {
    children_->open_frm_Aggior();
}

void frmMain::mnu_About_Click() {
    children_->open_frmAbout();
}

void frmMain::switchLanguage(int offset) {
    mnu_ita->setChecked(offset == 0);
    mnu_Eng->setChecked(offset != 0);
    state_.LanguageOffset = static_cast<std::int16_t>(offset);
    Localise(*this, *state_.strings, state_.LanguageOffset);
    if (auto error = writeLangFile(state_.folder, state_.LanguageOffset)) {
        // The choice stays in force for this run; only its memory for the next start failed.
        seams_.message(this, fileErrorText(*error, state_.LanguageOffset), VersionInfo::title(),
                       Seams::Icon::Error);
    }
    loadButtonPictures();
    copyMenuTexts();
}

void frmMain::mnu_ita_Click() {
    switchLanguage(0);
}

void frmMain::mnu_Eng_Click() {
    switchLanguage(1000);
}

void frmMain::StatusClock_Timer() {
    status_->showTime(state_.clock->now());
}

void frmMain::cmd_Close_Click() {
    if (state_.LogChanged != FlagFalse)
        children_->open_frm_Backup();
    endProgram();
}

void frmMain::mnuFileExit_Click() {
    endProgram();
}

void frmMain::endProgram() {
    autoBackup_->programEnding();
    seams_.requestEnd();
    closing_ = true;
    StatusClock.stop();
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The title-bar close box is refused; the program ends through its own buttons or a system shutdown.
    if (closing_ || qApp->isSavingSession()) {
        event->accept();
        return;
    }
    event->ignore();
}

} // namespace qvmd
