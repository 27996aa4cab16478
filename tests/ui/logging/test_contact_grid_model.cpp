#include "support/Printers.h"
#include "ui/logging/ContactGridModel.h"

#include <QAbstractItemModelTester>
#include <QBrush>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

ContactRecord record(int n, const char* category, const char* flag) {
    return ContactRecord::fromFields({QString::number(n), "1", QStringLiteral("%1QV%1").arg(n), "NAME",
                                      category, "Italia", "09/05/2026 12:05:09", flag});
}

QColor background(const ContactGridModel& model, int row, int column) {
    return model.index(row, column).data(Qt::BackgroundRole).value<QBrush>().color();
}

} // namespace

// The model reads the log where it lives and follows every change, always one empty row after the last.
TEST(ContactGridModel, FollowsTheLogThroughEveryChange) {
    ContactLog log;
    ContactGridModel model(log);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.columnCount(), 9);

    log.assign({record(1, "H", "N"), record(2, "L", "N")});
    log.append(record(3, "L", "S"));
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.index(2, 3).data().toString(), "3QV3");
    EXPECT_EQ(model.index(2, 0).data().toString(), "");
    EXPECT_EQ(model.index(3, 1).data().toString(), ""); // the empty row
    EXPECT_EQ(background(model, 0, 4), QColor(255, 255, 255));
    EXPECT_EQ(background(model, 1, 8), QColor(255, 192, 255));
    EXPECT_EQ(background(model, 2, 1), QColor(255, 255, 0));

    log.replace(1, record(1, "H", "S"));
    EXPECT_EQ(model.index(0, 8).data().toString(), "S");
    EXPECT_EQ(background(model, 0, 4), QColor(255, 255, 0));
    EXPECT_EQ(model.headerData(7, Qt::Horizontal).toString(), "Date Time");
}
