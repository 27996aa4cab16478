// Every control a person can reach has a name a screen reader can say, in the active language: read
// through Qt's accessibility interfaces, as the accessibility bus would read them.
#include "core/logging/EntryRules.h"
#include "support/LogWindowFixture.h"
#include "ui/exchange/frm_AutoBackup.h"
#include "ui/exchange/frm_Backup.h"
#include "ui/exchange/frm_Restor.h"
#include "ui/exchange/frm_Send_Log.h"
#include "ui/logfile/frm_New_Log.h"
#include "ui/logfile/frm_Sel_Log.h"
#include "ui/logfile/frm_log_exist.h"
#include "ui/print/frm_Print.h"
#include "ui/refdata/frm_country.h"
#include "ui/shell/frmAbout.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/frmSplash.h"
#include "ui/shell/frm_Lang.h"
#include "ui/station/frm_Modif_ute.h"
#include "ui/station/frm_Prima_Volta.h"
#include "ui/update/frm_Aggior.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QSet>

#include <functional>

using namespace qvmd;
using namespace qvmd::test;

namespace {

QString normal(QString text) {
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    for (const QString& end : {QStringLiteral("..."), QStringLiteral(":")}) {
        if (text.endsWith(end))
            text.chop(end.size());
    }
    return text.trimmed().toCaseFolded();
}

// The texts of the string table that exist in one language only.
struct LanguageTexts {
    QSet<QString> italianOnly;
    QSet<QString> englishOnly;

    static const LanguageTexts& table() {
        static const LanguageTexts texts = [] {
            QFile file(QStringLiteral(QVMD_SOURCE_DIR "/resources/strings.tsv"));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            QSet<QString> italian;
            QSet<QString> english;
            for (const QByteArray& line : file.readAll().split('\n')) {
                const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t'));
                if (fields.size() < 3 || fields[0].startsWith(QLatin1Char('#')))
                    continue;
                italian.insert(normal(fields[1]));
                // A text without an English entry is shown in English too.
                english.insert(normal(fields[2].isEmpty() ? fields[1] : fields[2]));
            }
            return LanguageTexts{italian - english, english - italian};
        }();
        return texts;
    }

    bool foreign(const QString& name, int languageOffset) const {
        // Where a language is chosen, each is offered under its own name; the update window's boxes are
        // named after the reference files they fetch, whatever the language.
        static const QSet<QString> sameInEveryLanguage{QStringLiteral("Italiano"),
                                                       QStringLiteral("English"),
                                                       QStringLiteral("Database Lady"),
                                                       QStringLiteral("Database Hunter"),
                                                       QStringLiteral("Country Prefix"),
                                                       QStringLiteral("Data"),
                                                       QStringLiteral("Init")};
        if (sameInEveryLanguage.contains(name))
            return false;
        return (languageOffset == 0 ? englishOnly : italianOnly).contains(normal(name));
    }
};

QString spokenName(QWidget* control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// Parts of other controls (a scroll bar, a header, a view's inner area, a spin box's text) are spoken with
// them.
bool partOfAnother(const QWidget* control) {
    const QWidget* parent = control->parentWidget();
    return qobject_cast<const QScrollBar*>(control) || qobject_cast<const QHeaderView*>(control) ||
           qobject_cast<const QAbstractSpinBox*>(parent) ||
           (parent && qobject_cast<QAbstractScrollArea*>(parent->parentWidget()));
}

// Names every reachable control of the window lacks or has in the other language, one line each.
QStringList namingFaults(QWidget& window, int languageOffset) {
    QStringList faults;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const bool reachable =
            control->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(control);
        if (!reachable || !control->isVisibleTo(&window) || partOfAnother(control))
            continue;
        const QString name = spokenName(control);
        if (name.trimmed().isEmpty())
            faults.append(control->objectName() + QStringLiteral(" has no name"));
        else if (LanguageTexts::table().foreign(name, languageOffset))
            faults.append(control->objectName() + QStringLiteral(" is named in the other language: ") + name);
        auto* view = qobject_cast<QAbstractItemView*>(control);
        if (!view || !view->model() || !qobject_cast<QHeaderView*>(view->findChild<QHeaderView*>()))
            continue;
        const QAbstractItemModel& model = *view->model();
        for (int column = 0; column < model.columnCount(); ++column) {
            const QString header =
                model.headerData(column, Qt::Horizontal, Qt::AccessibleTextRole).toString();
            if (header.isEmpty())
                faults.append(
                    QStringLiteral("%1: column %2 has no spoken name").arg(view->objectName()).arg(column));
        }
    }
    return faults;
}

class AccessibleNamesTest : public LogWindowFixture {
protected:
    using Factory = std::function<std::unique_ptr<QWidget>()>;

    template <class Window> Factory plain() {
        return [this] { return std::make_unique<Window>(state, seams); };
    }

    std::vector<std::pair<const char*, Factory>> windows() {
        return {
            {"frmMain", plain<frmMain>()},
            {"frm_Log",
             [this] {
                 return std::make_unique<frm_Log>(state, seams,
                                                  [](QWidget*, const QString&) { return true; });
             }},
            {"frm_country", plain<frm_country>()},
            {"frm_messag",
             [this] {
                 static std::int16_t result = 0;
                 return std::make_unique<frm_messag>(state, seams, QStringLiteral("3QV2999"), result);
             }},
            {"frm_Sel_Log", plain<frm_Sel_Log>()},
            {"frm_Send_Log", plain<frm_Send_Log>()},
            {"frm_New_Log", plain<frm_New_Log>()},
            {"frm_log_exist", plain<frm_log_exist>()},
            {"frm_Print", plain<frm_Print>()},
            {"frm_Modif_ute", plain<frm_Modif_ute>()},
            {"frm_AutoBackup", plain<frm_AutoBackup>()},
            {"frm_Aggior", plain<frm_Aggior>()},
            {"frm_Backup", plain<frm_Backup>()},
            {"frm_Restor", plain<frm_Restor>()},
            {"frmAbout", plain<frmAbout>()},
            {"frmSplash", plain<frmSplash>()},
            {"frm_Lang", plain<frm_Lang>()},
            {"frm_Prima_Volta", plain<frm_Prima_Volta>()},
        };
    }
};

} // namespace

TEST_F(AccessibleNamesTest, EveryReachableControlIsNamedInTheActiveLanguage) {
    writeLog(contacts(3));
    for (const int offset : {0, 1000}) {
        state.LanguageOffset = static_cast<std::int16_t>(offset);
        for (const auto& [name, make] : windows()) {
            SCOPED_TRACE(std::string(name) + (offset ? " in English" : " in Italian"));
            const std::unique_ptr<QWidget> window = make();
            EXPECT_EQ(namingFaults(*window, offset), QStringList());
        }
    }
}

TEST_F(AccessibleNamesTest, MainWindowNamesFollowTheLanguageSwitch) {
    state.LanguageOffset = 0;
    frmMain window(state, seams);
    EXPECT_EQ(spokenName(window.cmd_Close), "Esci");
    EXPECT_EQ(spokenName(window.cmd_Open_Log), "Apri Log");
    window.mnu_Eng_Click();
    EXPECT_EQ(namingFaults(window, 1000), QStringList());
    EXPECT_EQ(spokenName(window.cmd_Close), "Exit");
    EXPECT_EQ(spokenName(window.cmd_Open_Log), "Open Log");
    window.mnu_ita_Click();
    EXPECT_EQ(spokenName(window.cmd_Close), "Esci");
}

TEST_F(AccessibleNamesTest, EntryBoxesAreTiedToTheirCaptions) {
    state.LanguageOffset = 0;
    frm_Log& window = open();
    // The caption says it on the screen and the box is labelled by it for a screen reader.
    EXPECT_EQ(window.lbl_Name->buddy(), window.Text1[BoxName]);
    EXPECT_EQ(spokenName(window.Text1[BoxName]), "Nome");
    EXPECT_EQ(spokenName(window.Text1[BoxUnit]), "Unità");
    EXPECT_EQ(spokenName(window.cmd_H), "Stazione Hunter");
    EXPECT_EQ(spokenName(window.cmd_Close), "Esci");
}

TEST_F(AccessibleNamesTest, EachContactRowReadsAsAContactOnce) {
    writeLog({"1>15>3QV30>CARLA>L>Italia>06/05/2026 10:00:01>N>",
              "2>16>6QV3>ERIC>H>Italia>06/05/2026 10:00:02>S>"});
    state.LanguageOffset = 1000;
    frm_Log& window = open();
    const QAbstractItemModel& model = *window.MSHFlexGrid1->model();
    EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
              "Received progressive number");
    // A screen reader reads a row cell by cell: each cell says its column, and none repeats the row.
    const auto row = [&model](int number) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex cell = model.index(number, column);
            EXPECT_FALSE(model.data(cell, Qt::AccessibleDescriptionRole).isValid());
            const QString spoken = model.data(cell, Qt::AccessibleTextRole).toString();
            if (!spoken.isEmpty())
                cells << spoken;
        }
        return cells.join(QStringLiteral(", "));
    };
    EXPECT_EQ(row(0), "Sent progressive number 1, Received progressive number 15, Station 3QV30, Name CARLA, "
                      "Category L, Country Italia, Date and time 06/05/2026 10:00:01");
    // A cancelled contact says so in a word; the empty row after the last contact says nothing.
    EXPECT_EQ(row(1), "Sent progressive number 2, Received progressive number 16, Station 6QV3, Name ERIC, "
                      "Category H, Country Italia, Date and time 06/05/2026 10:00:02, Cancelled");
    EXPECT_EQ(row(2), "");
}
