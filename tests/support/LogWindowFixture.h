#pragma once

#include "core/app/AppState.h"
#include "core/common/TextFile.h"
#include "support/FixedClock.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/kit/GridControl.h"
#include "ui/logging/frm_Log.h"
#include "ui/shell/frm_messag.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace qvmd::test {

// A program folder with ten countries, small rosters, weights 1 to 5 and the log of 5QV123, a Hunter.
class LogWindowFixture : public ::testing::Test {
protected:
    static constexpr const char* logName = "5QV123_MD_H_2026.Log";

    LogWindowFixture() {
        folder.writeData(QStringLiteral("Prefix.dat"),
                         {"I>Italia", "F>France", "G>England", "DL>Germany", "EA>Spain", "HB>Switzerland",
                          "OE>Austria", "ON>Belgium", "PA>Netherlands", "SP>Poland"});
        folder.writeData(QStringLiteral("Lady.dat"),
                         {"# Lady roster", "5QV12>ANNA", "7QV77>BOTH AS LADY", "3QV30>CARLA"});
        folder.writeData(QStringLiteral("Hunter.dat"), {"# Hunter roster", "7QV77>BOTH AS HUNTER",
                                                        "6QV3>ERIC", "2QV20>PAUL", "4QV40>HANS"});
        state.countries = CountryTable::fromLines({"I>Italia", "F>France", "G>England", "DL>Germany",
                                                   "EA>Spain", "HB>Switzerland", "OE>Austria", "ON>Belgium",
                                                   "PA>Netherlands", "SP>Poland"});
        state.weights = ScoreWeights::fromLines({"1", "2", "3", "4", "5"}).value();
        state.LanguageOffset = 1000;
        state.profile.StationCallsign = QStringLiteral("5QV123");
        state.profile.OperatorName = QStringLiteral("OPERATOR");
        state.profile.countryNumber = QStringLiteral("5");
        state.profile.club = QStringLiteral("QV");
        state.profile.unitNumber = QStringLiteral("123");
        state.profile.category = QStringLiteral("H");
        state.log.LogInUse = -1;
        state.log.LogInUseName = QString::fromLatin1(logName);
        state.log.year = QStringLiteral("2026");
        writeLog({});
    }

    static QStringList header(bool paper) {
        return {"##H",  "#5QV123", "#OPERATOR", paper ? "#Y" : "#N", "#1", "#01/05/2026", "#5", "#QV",
                "#123", "#2026",   "#LOG"};
    }
    // Records "n>received>identifier>name>category>country>stamp>flag>".
    void writeLog(const QStringList& records, bool paper = false) {
        folder.writeRaw(QStringLiteral("Logs/") + logName, crlf(header(paper) + records));
    }
    static QStringList contacts(int count, const QString& flagOf5 = QStringLiteral("N")) {
        QStringList records;
        for (int n = 1; n <= count; ++n)
            records.append(QStringLiteral("%1>%2>%3QV%1>NAME%1>%4>Country>06/05/2026 10:00:%5>%6>")
                               .arg(n)
                               .arg(n + 10)
                               .arg(n % 10 + 1)
                               .arg(QString::fromLatin1(n % 3 ? "H" : "L"))
                               .arg(n, 2, 10, QLatin1Char('0'))
                               .arg(n == 5 ? flagOf5 : QStringLiteral("N")));
        return records;
    }

    frm_Log& open() {
        window = std::make_unique<frm_Log>(state, seams, [this](QWidget* parent, const QString& identifier) {
            std::int16_t rosterResult = 0;
            frm_messag notFound(state, seams, identifier, rosterResult, parent);
            return seams.showModal(notFound) == QDialog::Accepted;
        });
        window->show();
        return *window;
    }

    QByteArray logBytes() const { return folder.readRaw(QStringLiteral("Logs/") + logName); }
    QStringList logRecords() const {
        QStringList records;
        for (const QString& line : splitLines(logBytes()))
            if (!line.startsWith(QLatin1Char('#')) && !line.isEmpty())
                records.append(line);
        return records;
    }
    // Log.dat as it stands once the window's background rewrite has landed.
    QStringList counterFile() const {
        if (window)
            window->log().settle();
        return splitLines(folder.readRaw(QStringLiteral("Logs/Log.dat")));
    }

    QLineEdit* box(int index) { return window->Text1[index]; }
    QWidget* focused() const { return window->focusWidget(); }
    // As typed on a keyboard; letters beyond ASCII arrive as their key with their text.
    void type(int index, const QString& keys) {
        for (const QChar c : keys) {
            if (c.unicode() < 128) {
                QTest::keyClick(box(index), c.toLatin1());
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
            QApplication::sendEvent(box(index), &press);
        }
    }
    void enter(int index) { QTest::keyClick(box(index), Qt::Key_Return); }
    // Country, unit and Enter in the unit box: the way an operator looks up a member station.
    void find(const QString& country, const QString& unit) {
        type(0, country);
        enter(0);
        type(2, unit);
        enter(2);
    }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void pick(int row) {
        GridControl& grid = *window->MSHFlexGrid1;
        const QModelIndex index = grid.model()->index(row - 1, 3);
        grid.scrollTo(index);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(index).center());
    }
    QString cell(int row, int column) const {
        return window->MSHFlexGrid1->model()->index(row - 1, column).data().toString();
    }
    QColor rowColour(int row) const {
        return window->MSHFlexGrid1->model()
            ->index(row - 1, 4)
            .data(Qt::BackgroundRole)
            .value<QBrush>()
            .color();
    }
    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& message : seams.messages)
            texts.append(message.text);
        return texts;
    }

    TempProgramFolder folder;
    FixedClock clock;
    AppState state{folder.path(), &clock};
    TestSeams seams;
    std::unique_ptr<frm_Log> window;
};

} // namespace qvmd::test
