#include "ui/shell/MainMenus.h"

#include "ui/kit/Mnemonics.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace qvmd {

namespace {

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

} // namespace

MainMenus::MainMenus(QMainWindow* window, QWidget* form) : window_(window) {
    for (int i = 0; i < MenuLabelCount; ++i) {
        auto* label = new QLabel(form);
        label->setObjectName(QStringLiteral("Label2_%1").arg(i));
        label->hide();
        Label2.append(label);
    }
    for (const MenuLabelId& entry : MenuLabelIds)
        Label2[static_cast<int>(entry.label)]->setProperty("tag", QString::number(entry.id));

    QMenuBar* bar = window->menuBar();
    auto named = [](QMenu* menu, const char* name) {
        menu->setObjectName(QLatin1String(name));
        return menu;
    };
    auto addMenu = [&](const char* name, const QString& text) { return named(bar->addMenu(text), name); };
    auto addAction = [](QMenu* menu, const char* name, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        return action;
    };

    mnuFile = addMenu("mnuFile", QStringLiteral("File"));
    mnuFileExit = addAction(mnuFile, "mnuFileExit", QStringLiteral("Exit"));

    mnuLog = addMenu("mnuLog", QStringLiteral("Log"));
    mnu_OpenLog = addAction(mnuLog, "mnu_OpenLog", QStringLiteral("Open Log"));
    mnu_SelLog = addAction(mnuLog, "mnu_SelLog", QStringLiteral("Select Log"));
    mnu_SendLog = addAction(mnuLog, "mnu_SendLog", QStringLiteral("Send Log"));
    mnu_NewLog = addAction(mnuLog, "mnu_NewLog", QStringLiteral("New Log"));
    mnu_DelLog = addAction(mnuLog, "mnu_DelLog", QStringLiteral("Delete Log"));
    mnu_DelLog->setEnabled(false);

    mnu_print = addMenu("mnu_print", QStringLiteral("Print"));
    mnu_PrintLog = addAction(mnu_print, "mnu_PrintLog", QStringLiteral("Print Using Log"));

    mnu_Opt = addMenu("mnu_Opt", QStringLiteral("Option"));
    mnu_ModUte = addAction(mnu_Opt, "mnu_ModUte", QStringLiteral("Edit User"));
    mnu_AutoBackup = addAction(mnu_Opt, "mnu_AutoBackup", QStringLiteral("Automatic backups"));
    mnu_Language = named(mnu_Opt->addMenu(QStringLiteral("Language")), "mnu_Language");
    mnu_ita = addAction(mnu_Language, "mnu_ita", QStringLiteral("Italian"));
    mnu_Eng = addAction(mnu_Language, "mnu_Eng", QStringLiteral("English"));
    mnu_ita->setCheckable(true);
    mnu_Eng->setCheckable(true);

    mnu_Util = addMenu("mnu_Util", QStringLiteral("Utility"));
    mnu_Aggior = addAction(mnu_Util, "mnu_Aggior", QStringLiteral("Updates"));
    mnu_Back = addAction(mnu_Util, "mnu_Back", QStringLiteral("Backup"));
    mnu_Rest = addAction(mnu_Util, "mnu_Rest", QStringLiteral("Restore"));

    mnu_Help = addMenu("mnu_Help", QStringLiteral("?"));
    mnu_HelpContents = addAction(mnu_Help, "mnu_HelpContents", QStringLiteral("Manual"));
    mnu_About = addAction(mnu_Help, "mnu_About", QStringLiteral("About"));
}

QString MainMenus::text(MenuLabel label) const {
    return Label2[static_cast<int>(label)]->text();
}

void MainMenus::copyTexts(const QString& autoBackupText) {
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
    mnu_AutoBackup->setText(autoBackupText + QStringLiteral("..."));
    // Alt and a letter reach every menu, in either language.
    giveMnemonics(window_->menuBar());
}

} // namespace qvmd
