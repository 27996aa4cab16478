#include "core/app/AppState.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/kit/Seams.h"
#include "ui/print/frm_Print.h"
#include "ui/shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace qvmd;
using namespace qvmd::test;

namespace {

QString plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

// Shows a real message box through the program's seams and reads its buttons before closing it.
QStringList buttonsOf(const std::function<void(DesktopSeams&)>& show) {
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            for (QAbstractButton* button : box->buttons())
                texts << plain(button->text());
            box->reject();
        }
    });
    // Whatever happens above, no box is left open to hang the test.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget* open = QApplication::activeModalWidget())
            open->close();
    });
    watchdog.start(10000);
    DesktopSeams seams;
    show(seams);
    texts.sort();
    return texts;
}

struct QtTexts {
    QStringList question, notice, fileDialog;
};

class QtTranslations : public ::testing::Test {
protected:
    TempProgramFolder folder;
    AppState state{folder.path()};
    TestSeams seams;

    QtTranslations() {
        state.profile.StationCallsign = QStringLiteral("5QV123");
        state.log.LogInUseName = QStringLiteral("5QV123_MD_L_2026.Log");
        // A log with one contact, so that printing goes as far as asking for the file.
        folder.writeRaw(
            QStringLiteral("Logs/5QV123_MD_L_2026.Log"),
            QByteArray("##L\r\n#5QV123\r\n#OPERATOR\r\n#N\r\n#1\r\n#06/03/2026\r\n#5\r\n#QV\r\n"
                       "#123\r\n#2026\r\n#LOG\r\n1>7>5QV1>ROSSI>L>Italia>06/03/2026 14:05:09>N>\r\n"));
        folder.writeRaw(QStringLiteral("Logs/Log.dat"), QByteArray("2\r\n0\r\n1\r\n1\r\n0\r\n"));
    }

    // What Qt itself writes on the program's message boxes and on the "PDF file" save dialog.
    QtTexts shown(frmMain& window) {
        QtTexts texts;
        texts.question =
            buttonsOf([&window](DesktopSeams& s) { s.ask(&window, "?", "QV_md", Seams::Icon::Question); });
        texts.notice = buttonsOf(
            [&window](DesktopSeams& s) { s.message(&window, "!", "QV_md", Seams::Icon::Information); });
        frm_Print print(state, seams);
        print.Combo1->setCurrentIndex(print.Combo1->count() - 1);
        seams.onWindow(QStringLiteral("PdfFileDialog"), [&texts](QDialog& dialog) {
            for (const char* label : {"lookInLabel", "fileNameLabel"})
                if (auto* found = dialog.findChild<QLabel*>(QLatin1String(label)))
                    texts.fileDialog << plain(found->text());
            if (auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox")))
                for (QAbstractButton* button : box->buttons())
                    texts.fileDialog << plain(button->text());
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(print.cmd_Print, Qt::LeftButton);
        return texts;
    }
};

} // namespace

TEST_F(QtTranslations, QtOwnTextsFollowTheActiveLanguage) {
    state.LanguageOffset = 0;
    frmMain window(state, seams);
    struct Step {
        const char* what;
        QAction* menu; // the language menu clicked first, none for the window as it opens
        QtTexts expected;
    };
    const QtTexts italian{{"No", "Sì"}, {"OK"}, {"Cerca in:", "Nome del file:", "Salva", "Annulla"}};
    const QtTexts english{{"No", "Yes"}, {"OK"}, {"Look in:", "File name:", "Save", "Cancel"}};
    const Step steps[] = {{"Italian window", nullptr, italian},
                          {"switched to English", window.mnu_Eng, english},
                          {"switched back to Italian", window.mnu_ita, italian}};
    for (const Step& step : steps) {
        if (step.menu)
            step.menu->trigger();
        const QtTexts texts = shown(window);
        EXPECT_EQ(texts.question, step.expected.question) << step.what;
        EXPECT_EQ(texts.notice, step.expected.notice) << step.what;
        EXPECT_EQ(texts.fileDialog, step.expected.fileDialog) << step.what;
    }
    // The program's own captions are not Qt's to translate.
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Marigold Day"));
}
