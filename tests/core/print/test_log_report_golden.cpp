#include "core/print/EasyPrint.h"
#include "core/print/LogReport.h"
#include "support/RecordingSurface.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace qvmd;
using test::RecordingSurface;
using Kind = RecordingSurface::Kind;

namespace {

QString mm(double value) {
    return QString::number(value, 'f', 2);
}

// One line per drawing: page, kind, where, then what and how it was drawn.
QString describe(const RecordingSurface::Op& op) {
    QString line = QStringLiteral("p%1 ").arg(op.page);
    const QString style =
        QStringLiteral(" style=%1 width=%2 colour=%3").arg(op.style).arg(op.width).arg(op.colour.name());
    switch (op.kind) {
    case Kind::Text:
        return line + QStringLiteral("text %1 %2 \"%3\" %4 %5%6%7")
                          .arg(mm(op.x), mm(op.y), op.text, op.font.name, QString::number(op.font.size),
                               op.font.bold ? QStringLiteral(" bold") : QString(),
                               op.font.italic ? QStringLiteral(" italic") : QString());
    case Kind::Line:
        return line + QStringLiteral("line %1 %2 %3 %4").arg(mm(op.x), mm(op.y), mm(op.x2), mm(op.y2)) +
               style;
    case Kind::Rect:
        return line + QStringLiteral("rect %1 %2 %3 %4").arg(mm(op.x), mm(op.y), mm(op.x2), mm(op.y2)) +
               style;
    case Kind::NewPage:
        return line + QStringLiteral("new page");
    case Kind::EndDoc:
        return line + QStringLiteral("end");
    default:
        return line + QStringLiteral("other %1 %2").arg(mm(op.x), mm(op.y));
    }
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// The whole printed report of a small log, drawing by drawing, against the stored file. Set
// QVMD_UPDATE_GOLDEN=1 to write the file again after an intended change, and read the difference.
TEST(LogReportGolden, SmallLogDrawsExactlyTheStoredPages) {
    RecordingSurface printer;
    EasyPrint engine(printer);
    LogReport report(engine);
    LogReportData data;
    data.year = QStringLiteral("2015");
    data.station = QStringLiteral("5QV123");
    data.operatorName = QStringLiteral("MARIO");
    data.nextProgressive = 4;
    data.hunterCount = 1;
    data.ladyCount = 1;
    data.countryCount = 2;
    data.cancelledCount = 1;
    data.pointsPerLady = 3;
    data.pointsPerHunter = 1;
    data.pointsPerCountry = 2;
    // Short fields, so that no column has to shorten them.
    const QList<QStringList> records = {
        {"1", "5", "7QV1", "ANNA", "L", "Italia", "06/03/2015 14:05:09", "N"},
        {"2", "12", "3QV22", "PIERO", "H", "Malta", "06/03/2015 14:07:41", "N"},
        {"3", "7", "9QV3", "LUCA", "H", "Italia", "06/03/2015 14:09:00", "S"},
    };
    qsizetype next = 0;
    report.StampaLog(data, LogReportTexts(), [&records, &next](QStringList& fields) {
        if (next >= records.size())
            return false;
        fields = records.at(next++);
        return true;
    });

    QString drawn;
    for (const RecordingSurface::Op& op : printer.ops)
        drawn += describe(op) + QLatin1Char('\n');
    const QString path = QStringLiteral(QVMD_FIXTURES_DIR "/print/log_report.txt");
    if (qEnvironmentVariableIsSet("QVMD_UPDATE_GOLDEN")) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(drawn.toUtf8());
    }
    const QStringList expected = readText(path).split(QLatin1Char('\n'));
    const QStringList actual = drawn.split(QLatin1Char('\n'));
    // Line by line, so that a failure names the first drawing that moved.
    for (qsizetype i = 0; i < std::min(expected.size(), actual.size()); ++i)
        ASSERT_EQ(actual.at(i), expected.at(i)) << "drawing " << i + 1;
    EXPECT_EQ(actual.size(), expected.size());
}
