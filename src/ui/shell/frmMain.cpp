#include "ui/shell/frmMain.h"

#include "core/app/AppState.h"
#include "core/app/StartupFiles.h"
#include "core/app/VersionInfo.h"
#include "core/common/FileErrorText.h"
#include "ui/exchange/frm_AutoBackup.h"
#include "ui/exchange/frm_Backup.h"
#include "ui/exchange/frm_Restor.h"
#include "ui/exchange/frm_Send_Log.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/FormScale.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Mnemonics.h"
#include "ui/kit/Seams.h"
#include "ui/kit/cLoadResPicture.h"
#include "ui/logfile/frm_New_Log.h"
#include "ui/logfile/frm_Sel_Log.h"
#include "ui/logging/frm_Log.h"
#include "ui/print/frm_Print.h"
#include "ui/shell/AutoBackupKeeper.h"
#include "ui/shell/DeleteLogCommand.h"
#include "ui/shell/ManualCommand.h"
#include "ui/shell/frmAbout.h"
#include "ui/shell/frm_messag.h"
#include "ui/station/frm_Modif_ute.h"
#include "ui/update/frm_Aggior.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace qvmd {

namespace {

// The hidden labels whose texts become the menu texts: their index in Label2 and their resource id.
// Indices 15 and 16 carry no text.
enum class MenuLabel {
    File = 0,
    Exit = 1,
    NewLog = 2,
    SelectLog = 3,
    OpenLog = 4,
    SendLog = 5,
    DeleteLog = 6,
    PrintLog = 7,
    Option = 8,
    EditUser = 9,
    Language = 10,
    Italian = 11,
    English = 12,
    Manual = 13,
    About = 14,
    Utility = 17,
    Print = 18,
    Updates = 19,
};
constexpr int MenuLabelCount = 20;

struct MenuLabelId {
    MenuLabel label;
    int id;
};
constexpr MenuLabelId MenuLabelIds[] = {
    {MenuLabel::File, 1000},      {MenuLabel::Exit, 1001},     {MenuLabel::NewLog, 1027},
    {MenuLabel::SelectLog, 1026}, {MenuLabel::OpenLog, 1025},  {MenuLabel::SendLog, 1030},
    {MenuLabel::DeleteLog, 1028}, {MenuLabel::PrintLog, 1029}, {MenuLabel::Option, 1006},
    {MenuLabel::EditUser, 1034},  {MenuLabel::Language, 1007}, {MenuLabel::Italian, 1008},
    {MenuLabel::English, 1009},   {MenuLabel::Manual, 1003},   {MenuLabel::About, 1005},
    {MenuLabel::Utility, 1115},   {MenuLabel::Print, 1141},    {MenuLabel::Updates, 1147},
};

QPushButton* makePictureButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setCursor(Qt::PointingHandCursor);
    // The picture is the button; a frame around it would only add noise on the gradient.
    button->setFlat(true);
    button->setStyleSheet(QStringLiteral("QPushButton { border: 2px solid transparent; border-radius: 10px; }"
                                         "QPushButton:focus { border-color: #ffe680; }"
                                         "QPushButton:pressed { padding-top: 3px; }"));
    return button;
}

// Sized in the picture's own pixels, not the screen's, and grown with the window once it has grown.
void setPicture(QPushButton* button, const QPixmap& picture) {
    button->setIcon(QIcon(picture));
    const QSize size = picture.isNull() ? QSize(200, 64) : picture.deviceIndependentSize().toSize();
    const qreal scale = formScale(*button);
    button->setIconSize(scaledSize(size, scale));
    button->setFixedSize(scaledSize(size + QSize(12, 10), scale));
}

} // namespace

frmMain::frmMain(AppState& state, Seams& seams, QWidget* parent)
    : QMainWindow(parent), state_(state), seams_(seams) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Marigold Day"));
    prepareFormScale(*this);
    buildControls();
    buildMenus();

    // Load, in the window's order.
    const QString title =
        QStringLiteral("QV Marigold Day ") + QString::number(state_.clock->now().date().year());
    cLoadResPicture pictures;
    Image1->setPixmap(pictures.LoadResPicture(101, QStringLiteral("CUSTOM")));
    setPicture(cmd_Close, pictures.LoadResPicture(118, QStringLiteral("CUSTOM")));
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

    cmd_Open_Log = makePictureButton(central, "cmd_Open_Log");
    cmd_Sel_Log = makePictureButton(central, "cmd_Sel_Log");
    cmd_Send_Log = makePictureButton(central, "cmd_Send_Log");
    cmd_New_Log = makePictureButton(central, "cmd_New_Log");
    cmd_Close = makePictureButton(central, "cmd_Close");

    for (int i = 0; i < MenuLabelCount; ++i) {
        auto* label = new QLabel(central);
        label->setObjectName(QStringLiteral("Label2_%1").arg(i));
        label->hide();
        Label2.append(label);
    }
    for (const MenuLabelId& entry : MenuLabelIds)
        Label2[static_cast<int>(entry.label)]->setProperty("tag", QString::number(entry.id));

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

    sbStatusBar = new QStatusBar(this);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar->setSizeGripEnabled(false);
    for (const QString& text : {QStringLiteral("Stato"), QString(), QString()}) {
        auto* panel = new QLabel(text, sbStatusBar);
        panel->setMinimumWidth(110);
        panel->setFrameShape(QFrame::StyledPanel);
        statusPanels.append(panel);
    }
    sbStatusBar->addWidget(statusPanels[0], 1);
    sbStatusBar->addPermanentWidget(statusPanels[1]);
    sbStatusBar->addPermanentWidget(statusPanels[2]);
    setStatusBar(sbStatusBar);

    connect(cmd_Open_Log, &QPushButton::clicked, this, &frmMain::cmd_Open_Log_Click);
    connect(cmd_Sel_Log, &QPushButton::clicked, this, &frmMain::cmd_Sel_Log_Click);
    connect(cmd_Send_Log, &QPushButton::clicked, this, &frmMain::cmd_Send_Log_Click);
    connect(cmd_New_Log, &QPushButton::clicked, this, &frmMain::cmd_New_Log_Click);
    connect(cmd_Close, &QPushButton::clicked, this, &frmMain::cmd_Close_Click);
    setFixedSize(820, 600);
}

void frmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    auto named = [](QMenu* menu, const char* name) {
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    auto addMenu = [&](const char* name, const QString& text) { return named(bar->addMenu(text), name); };
    auto addAction = [this](QMenu* menu, const char* name, const QString& text, void (frmMain::*slot)()) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        if (slot)
            connect(action, &QAction::triggered, this, slot);
        return action;
    };

    mnuFile = addMenu("mnuFile", QStringLiteral("File"));
    mnuFileExit = addAction(mnuFile, "mnuFileExit", QStringLiteral("Exit"), &frmMain::mnuFileExit_Click);

    mnuLog = addMenu("mnuLog", QStringLiteral("Log"));
    mnu_OpenLog = addAction(mnuLog, "mnu_OpenLog", QStringLiteral("Open Log"), &frmMain::mnu_OpenLog_Click);
    mnu_SelLog = addAction(mnuLog, "mnu_SelLog", QStringLiteral("Select Log"), &frmMain::mnu_SelLog_Click);
    mnu_SendLog = addAction(mnuLog, "mnu_SendLog", QStringLiteral("Send Log"), &frmMain::mnu_SendLog_Click);
    mnu_NewLog = addAction(mnuLog, "mnu_NewLog", QStringLiteral("New Log"), &frmMain::mnu_NewLog_Click);
    mnu_DelLog = addAction(mnuLog, "mnu_DelLog", QStringLiteral("Delete Log"), &frmMain::mnu_DelLog_Click);
    mnu_DelLog->setEnabled(false);

    mnu_print = addMenu("mnu_print", QStringLiteral("Print"));
    mnu_PrintLog =
        addAction(mnu_print, "mnu_PrintLog", QStringLiteral("Print Using Log"), &frmMain::mnu_PrintLog_Click);

    mnu_Opt = addMenu("mnu_Opt", QStringLiteral("Option"));
    mnu_ModUte = addAction(mnu_Opt, "mnu_ModUte", QStringLiteral("Edit User"), &frmMain::mnu_ModUte_Click);
    mnu_AutoBackup = addAction(mnu_Opt, "mnu_AutoBackup", QStringLiteral("Automatic backups"),
                               &frmMain::mnu_AutoBackup_Click);
    mnu_Language = named(mnu_Opt->addMenu(QStringLiteral("Language")), "mnu_Language");
    mnu_ita = addAction(mnu_Language, "mnu_ita", QStringLiteral("Italian"), &frmMain::mnu_ita_Click);
    mnu_Eng = addAction(mnu_Language, "mnu_Eng", QStringLiteral("English"), &frmMain::mnu_Eng_Click);
    mnu_ita->setCheckable(true);
    mnu_Eng->setCheckable(true);

    mnu_Util = addMenu("mnu_Util", QStringLiteral("Utility"));
    mnu_Aggior = addAction(mnu_Util, "mnu_Aggior", QStringLiteral("Updates"), &frmMain::mnu_Aggior_Click);
    mnu_Back = addAction(mnu_Util, "mnu_Back", QStringLiteral("Backup"), &frmMain::mnu_Back_Click);
    mnu_Rest = addAction(mnu_Util, "mnu_Rest", QStringLiteral("Restore"), &frmMain::mnu_Rest_Click);

    mnu_Help = addMenu("mnu_Help", QStringLiteral("?"));
    mnu_HelpContents =
        addAction(mnu_Help, "mnu_HelpContents", QStringLiteral("Manual"), &frmMain::mnu_HelpContents_Click);
    mnu_About = addAction(mnu_Help, "mnu_About", QStringLiteral("About"), &frmMain::mnu_About_Click);
}

void frmMain::loadButtonPictures() {
    cLoadResPicture pictures;
    const QString type = QStringLiteral("BUTTON");
    int id = state_.LanguageOffset;
    for (QPushButton* button : {cmd_Open_Log, cmd_Sel_Log, cmd_Send_Log, cmd_New_Log}) {
        ++id;
        setPicture(button, pictures.LoadResPicture(id, type));
        // The picture carries the words; its id tells which language the button shows.
        button->setProperty("pictureId", id);
    }
}

void frmMain::copyMenuTexts() {
    auto text = [this](MenuLabel label) { return Label2[static_cast<int>(label)]->text(); };
    mnuFile->setTitle(text(MenuLabel::File));
    mnuFileExit->setText(text(MenuLabel::Exit));
    mnu_NewLog->setText(text(MenuLabel::NewLog));
    mnu_SelLog->setText(text(MenuLabel::SelectLog));
    mnu_OpenLog->setText(text(MenuLabel::OpenLog));
    mnu_SendLog->setText(text(MenuLabel::SendLog));
    mnu_DelLog->setText(text(MenuLabel::DeleteLog));
    mnu_PrintLog->setText(text(MenuLabel::PrintLog));
    mnu_Opt->setTitle(text(MenuLabel::Option));
    mnu_ModUte->setText(text(MenuLabel::EditUser));
    mnu_Language->setTitle(text(MenuLabel::Language));
    mnu_ita->setText(text(MenuLabel::Italian));
    mnu_Eng->setText(text(MenuLabel::English));
    mnu_HelpContents->setText(text(MenuLabel::Manual));
    mnu_About->setText(text(MenuLabel::About));
    mnu_Util->setTitle(text(MenuLabel::Utility));
    mnu_print->setTitle(text(MenuLabel::Print));
    mnu_Aggior->setText(text(MenuLabel::Updates));
    mnu_AutoBackup->setText(state_.text(1341, QStringLiteral("Automatic backups")) + QStringLiteral("..."));
    // Alt and a letter reach every menu, in either language.
    giveMnemonics(menuBar());
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

template <class Window> int frmMain::showChild() {
    Window window(state_, seams_, this);
    return seams_.showModal(window);
}

int frmMain::open_frm_Log() {
    const auto notFound = [this](QWidget* parent, const QString& identifier) {
        std::int16_t rosterResult = 0;
        frm_messag window(state_, seams_, identifier, rosterResult, parent);
        return seams_.showModal(window) == QDialog::Accepted;
    };
    // Opening may cut what a power cut left at the log's end: no copy of it may be under way then.
    autoBackup_->settle();
    frm_Log window(state_, seams_, notFound, this);
    // A log that cannot be read has been reported; there is nothing to show.
    if (!window.ready())
        return QDialog::Rejected;
    autoBackup_->logWindowOpening(window.log().writes());
    connect(&window, &frm_Log::contactWritten, this, [this] { autoBackup_->contactWritten(); });
    return seams_.showModal(window);
}

std::optional<LogSelection> frmMain::open_frm_Sel_Log() {
    frm_Sel_Log window(state_, seams_, this);
    seams_.showModal(window);
    return window.chosen();
}

int frmMain::open_frm_New_Log() {
    return showChild<frm_New_Log>();
}

int frmMain::open_frm_Send_Log() {
    return showChild<frm_Send_Log>();
}

int frmMain::open_frm_Print() {
    return showChild<frm_Print>();
}

int frmMain::open_frm_Modif_ute() {
    return showChild<frm_Modif_ute>();
}

int frmMain::open_frm_Restor() {
    return showChild<frm_Restor>();
}

int frmMain::open_frm_Backup() {
    frm_Backup window(state_, seams_, this);
    window.showAutoBackupFailure(autoBackup_->takeFailure());
    return seams_.showModal(window);
}

int frmMain::open_frm_Aggior() {
    return showChild<frm_Aggior>();
}

int frmMain::open_frmAbout() {
    return showChild<frmAbout>();
}

int frmMain::open_frm_AutoBackup() {
    return showChild<frm_AutoBackup>();
}

void frmMain::cmd_Open_Log_Click() {
    open_frm_Log();
}

void frmMain::mnu_OpenLog_Click() {
    open_frm_Log();
}

void frmMain::cmd_Sel_Log_Click() {
    if (open_frm_Sel_Log())
        afterLogChoice();
}

// The menu entry does what the button does: a chosen log must enable opening it, whichever way it came.
void frmMain::mnu_SelLog_Click() {
    cmd_Sel_Log_Click();
}

void frmMain::cmd_New_Log_Click() {
    open_frm_New_Log();
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
    open_frm_Send_Log();
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
    open_frm_AutoBackup();
}

void frmMain::mnu_PrintLog_Click() {
    open_frm_Print();
}

void frmMain::mnu_ModUte_Click() {
    // Accepted: the profile was saved.
    if (open_frm_Modif_ute() == QDialog::Accepted) {
        requireLogSelection();
        Label3->setText(stationLine());
    }
}

void frmMain::mnu_Rest_Click() {
    autoBackup_->settle();
    open_frm_Restor();
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
    open_frm_Backup();
}

void frmMain::mnu_Aggior_Click() {
    open_frm_Aggior();
}

void frmMain::mnu_About_Click() {
    open_frmAbout();
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
    const QDateTime now = state_.clock->now();
    statusPanels[1]->setText(shortDateText(now.date()));
    statusPanels[2]->setText(longTimeText(now.time()));
    // Read to the minute: a label without a name of its own tells a screen reader of every second.
    const QString minute = now.time().toString(QStringLiteral("HH:mm"));
    if (statusPanels[2]->accessibleName() != minute)
        statusPanels[2]->setAccessibleName(minute);
    const QString date = statusPanels[1]->text();
    if (statusPanels[1]->accessibleName() != date)
        statusPanels[1]->setAccessibleName(date);
}

void frmMain::cmd_Close_Click() {
    if (state_.LogChanged != FlagFalse)
        open_frm_Backup();
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
