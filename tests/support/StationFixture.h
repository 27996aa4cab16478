#pragma once

#include "core/app/AppState.h"
#include "support/FixedClock.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/station/StationFormBase.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qvmd::test {

// A program folder with five countries (Spain is 5, country 3 is blank) and two tiny rosters;
// 2QV300 is listed in both.
class StationWindowTest : public ::testing::Test {
protected:
    StationWindowTest() {
        const QStringList countries = {"I>Italy", "F>France", "", "D>Germany", "EA>Spain"};
        folder.writeData("Prefix.dat", countries);
        folder.writeData("Hunter.dat",
                         {"# invented sample stations", "5QV200>PIERO BIANCHI", "2QV300>JEAN BLEU"});
        folder.writeData("Lady.dat",
                         {"# invented sample stations", "5QV123>ANNA ROSSI", "2QV300>MARIE ROSE"});
        state.countries = CountryTable::fromLines(countries);
        state.LanguageOffset = 1000;
    }

    // Names of the files in Data/, to prove a window wrote nothing.
    QStringList dataFiles() const { return QDir(folder.path() + "/Data").entryList(QDir::Files, QDir::Name); }

    static void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    // Near the left edge: an option's click area is its indicator and caption, not its whole cell.
    static void click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
    }

    // Key presses carrying any character, accented ones included, as a keyboard sends them.
    static void typeChars(QLineEdit* box, const QString& text) {
        for (QChar c : text) {
            const int key = c.toUpper().unicode();
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
            QApplication::sendEvent(box, &release);
        }
    }

    // Generic mode with the four boxes typed in.
    static void fillGeneric(StationFormBase& w, const QString& country, const QString& club,
                            const QString& unit, const QString& name) {
        if (!w.Check1->isChecked())
            click(w.Check1);
        type(w.Text1[0], country);
        type(w.Text2[0], club);
        type(w.Text1[1], unit);
        type(w.Text2[1], name);
    }

    static bool isGreen(const QRadioButton* option) {
        return option->autoFillBackground() &&
               option->palette().color(option->backgroundRole()) == StationFormBase::chosenColour();
    }

    TempProgramFolder folder{false};
    FixedClock clock{QDateTime(QDate(2015, 3, 6), QTime(14, 5, 9))};
    AppState state{folder.path(), &clock};
    TestSeams seams;
};

} // namespace qvmd::test
