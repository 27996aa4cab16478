#include "support/Printers.h"
#include "ui/kit/GridControl.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

// Collects what QAbstractItemModelTester reports, so a broken model contract fails the test.
class ModelTesterLog {
public:
    ModelTesterLog() { previous_ = qInstallMessageHandler(&ModelTesterLog::handle); }
    ~ModelTesterLog() {
        qInstallMessageHandler(previous_);
        failures().clear();
    }
    static QStringList& failures() {
        static QStringList list;
        return list;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (context.category && QByteArray(context.category) == "qt.modeltest" && type != QtDebugMsg)
            failures().append(text);
    }
    QtMessageHandler previous_;
};

const QString countryFormat = QStringLiteral("^|^Prefix|^Country|^Coll.");

// Rows 1..n filled the way the windows do it: write the row, then append the next empty one.
void fill(GridControl& grid, int n) {
    for (int row = 1; row <= n; ++row) {
        grid.setTextMatrix(row, 1, QString::number(row));
        grid.setTextMatrix(row, 2, QStringLiteral("Name %1").arg(row));
        grid.addItem();
    }
}

} // namespace

TEST(GridControlFormat, SetsHeadersColumnsAndCentring) {
    GridControl grid;
    EXPECT_EQ(grid.rows(), 2); // header plus one empty row
    grid.setFormatString(countryFormat);
    EXPECT_EQ(grid.cols(), 4);
    EXPECT_EQ(grid.textMatrix(0, 0), "");
    EXPECT_EQ(grid.textMatrix(0, 1), "Prefix");
    EXPECT_EQ(grid.textMatrix(0, 3), "Coll.");
    const auto alignment = [&](int col) {
        return grid.model()->headerData(col, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    EXPECT_EQ(alignment(2), Qt::AlignCenter);

    grid.setFormatString(QStringLiteral("|Plain|^^Odd| spaced "));
    EXPECT_EQ(grid.cols(), 4);
    EXPECT_EQ(grid.textMatrix(0, 1), "Plain");
    EXPECT_FALSE(alignment(1) & Qt::AlignHCenter);
    EXPECT_EQ(grid.textMatrix(0, 2), "^Odd"); // only the first "^" is a mark
    EXPECT_EQ(grid.textMatrix(0, 3), " spaced ");
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_TRUE(grid.verticalHeader()->isHidden());
}

TEST(GridControlWidths, TwipsConvertAtTheScreensDotsPerInch) {
    EXPECT_EQ(GridControl::twipsToPixels(1440, 96), 96);
    EXPECT_EQ(GridControl::twipsToPixels(300, 96), 20);
    EXPECT_EQ(GridControl::twipsToPixels(3000, 96), 200);
    EXPECT_EQ(GridControl::twipsToPixels(500, 96), 33);
    EXPECT_EQ(GridControl::twipsToPixels(600, 120), 50);
    EXPECT_EQ(GridControl::twipsToPixels(0, 96), 0);

    GridControl grid;
    grid.setFormatString(countryFormat);
    grid.setColWidth(2, 3000);
    grid.setColWidth(7, 500); // no such column: ignored
    EXPECT_EQ(grid.columnWidth(2), GridControl::twipsToPixels(3000, grid.logicalDpiX()));
    EXPECT_LT(grid.columnWidth(0), grid.columnWidth(1)); // the fixed column is narrow
    // Widths survive a redraw pause, which rebuilds the view's sections.
    grid.setRedraw(false);
    fill(grid, 3);
    grid.setRedraw(true);
    EXPECT_EQ(grid.columnWidth(2), GridControl::twipsToPixels(3000, grid.logicalDpiX()));
}

TEST(GridControlCells, TextAlignmentAndColoursReadBackAndStay) {
    GridControl grid;
    grid.setFormatString(countryFormat);
    fill(grid, 2);
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.textMatrix(2, 2), "Name 2");
    EXPECT_EQ(grid.textMatrix(3, 1), ""); // the trailing empty row

    grid.setColAlignment(1, GridControl::Alignment::RightCenter);
    grid.setColAlignment(3, GridControl::Alignment::CenterCenter);
    const auto alignment = [&](int row, int col) {
        return grid.model()->index(row - 1, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    EXPECT_EQ(alignment(1, 1), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(alignment(2, 2), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(alignment(3, 3), Qt::AlignCenter);

    const QColor green(0, 255, 0);
    EXPECT_TRUE(grid.setCellBackground(2, 1, 3, green));
    grid.setTextMatrix(2, 3, QStringLiteral("C"));
    grid.addItem();
    EXPECT_EQ(grid.cellBackground(2, 1), green);
    EXPECT_EQ(grid.cellBackground(2, 3), green);
    EXPECT_EQ(grid.model()->index(1, 2).data(Qt::BackgroundRole).value<QBrush>().color(), green);
    EXPECT_FALSE(grid.cellBackground(2, 0).isValid());
    EXPECT_FALSE(grid.cellBackground(1, 1).isValid());
    grid.setCellBackground(2, 1, 3, QColor(255, 255, 0));
    EXPECT_EQ(grid.cellBackground(2, 2), QColor(255, 255, 0));
}

TEST(GridControlCells, WritesOutsideTheGridAreRefusedWithoutHarm) {
    GridControl grid;
    grid.setFormatString(countryFormat);
    fill(grid, 1);
    EXPECT_FALSE(grid.setTextMatrix(3, 1, QStringLiteral("x"))); // rows() is 3: no row 3
    EXPECT_FALSE(grid.setTextMatrix(1, 4, QStringLiteral("x")));
    EXPECT_FALSE(grid.setTextMatrix(-1, 1, QStringLiteral("x")));
    EXPECT_FALSE(grid.setCellBackground(5, 1, 3, Qt::green));
    EXPECT_FALSE(grid.setCellBackground(1, 2, 9, Qt::green));
    EXPECT_FALSE(grid.cellBackground(1, 2).isValid());
    EXPECT_EQ(grid.textMatrix(9, 9), "");
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.textMatrix(1, 1), "1");

    // Row 0 is the header and may be rewritten.
    EXPECT_TRUE(grid.setTextMatrix(0, 2, QStringLiteral("Paese")));
    EXPECT_EQ(grid.model()->headerData(2, Qt::Horizontal).toString(), "Paese");
}

TEST(GridControlModel, KeepsTheModelContractWhileFillingColouringAndAppending) {
    ModelTesterLog log;
    GridControl grid;
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::Warning);

    grid.setFormatString(QStringLiteral("^|^I.|^R.|^Unit"));
    fill(grid, 4);
    grid.setCellBackground(2, 1, 3, QColor(255, 192, 255));
    grid.setColAlignment(2, GridControl::Alignment::CenterCenter);
    grid.setFormatString(QStringLiteral("^|^I.|^R.|^Unit|^Name|^HL")); // more columns over filled rows
    EXPECT_EQ(grid.textMatrix(3, 2), "Name 3");
    EXPECT_EQ(grid.textMatrix(3, 5), "");

    grid.setRedraw(false);
    for (int row = 5; row <= 40; ++row) {
        grid.setTextMatrix(row, 1, QString::number(row));
        grid.setCellBackground(row, 1, 5, QColor(255, 255, 0));
        grid.addItem();
    }
    grid.setRedraw(true);
    grid.addItem();
    grid.setTextMatrix(41, 4, QStringLiteral("last"));

    EXPECT_EQ(grid.rows(), 43);
    EXPECT_EQ(grid.model()->rowCount(), 42);
    EXPECT_TRUE(ModelTesterLog::failures().isEmpty()) << ModelTesterLog::failures().join('\n').toStdString();
}

TEST(GridControlRedraw, PausedChangesAreAnnouncedOnceAsAReset) {
    GridControl grid;
    grid.setFormatString(countryFormat);
    QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(grid.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(grid.model(), &QAbstractItemModel::modelReset);

    grid.setRedraw(false);
    EXPECT_FALSE(grid.redraw());
    fill(grid, 10);
    grid.setCellBackground(3, 1, 3, Qt::green);
    grid.setRedraw(false); // already off: still one pause
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(inserted.count(), 0);
    grid.setRedraw(true);
    grid.setRedraw(true);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(grid.model()->rowCount(), 11);
    EXPECT_TRUE(grid.updatesEnabled());

    grid.setTextMatrix(4, 1, QStringLiteral("x"));
    grid.addItem();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(inserted.count(), 1);
}

TEST(GridControlRows, ASingleClickPicksTheRow) {
    GridControl grid;
    grid.setFormatString(countryFormat);
    fill(grid, 5);
    grid.resize(300, 200);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy picked(&grid, &GridControl::rowPicked);

    const QRect cell = grid.visualRect(grid.model()->index(2, 2));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(picked.count(), 1);
    EXPECT_EQ(grid.row(), 3);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(2, QModelIndex()));

    // The trailing empty row is a row like any other; the window decides what picking it means.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      grid.visualRect(grid.model()->index(5, 0)).center());
    EXPECT_EQ(picked.count(), 2);
    EXPECT_EQ(grid.row(), 6);

    // Moving with the keyboard changes the current row without picking.
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(picked.count(), 2);
    EXPECT_EQ(grid.row(), 5);
}

TEST(GridControlRows, CurrentRowIsSetAndSurvivesARedrawPause) {
    GridControl grid;
    grid.setFormatString(countryFormat);
    EXPECT_EQ(grid.row(), 1);
    fill(grid, 8);
    grid.setRow(4);
    EXPECT_EQ(grid.row(), 4);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(3, QModelIndex()));

    grid.setRedraw(false);
    for (int i = 0; i < 4; ++i)
        grid.addItem();
    grid.setRow(13); // the new empty last row
    grid.setRedraw(true);
    EXPECT_EQ(grid.row(), 13);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(12, QModelIndex()));

    grid.setRow(14); // no such row
    EXPECT_EQ(grid.row(), 13);
}

TEST(GridControlRows, TopRowScrollsThatRowToTheTop) {
    GridControl grid;
    grid.setFormatString(countryFormat);
    grid.setRedraw(false);
    fill(grid, 15); // 16 data rows, the last empty
    grid.setTopRow(7);
    grid.setRedraw(true);
    const int rowHeight = grid.verticalHeader()->defaultSectionSize();
    // Room for exactly ten rows, as in a log of 15 contacts where row 7 comes to the top.
    grid.resize(300, grid.horizontalHeader()->sizeHint().height() + 10 * rowHeight + 2 * grid.frameWidth());
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    EXPECT_EQ(grid.topRow(), 7);

    grid.setTopRow(2);
    EXPECT_EQ(grid.topRow(), 2);
    grid.setTopRow(16); // the last row: scrolled as far as the grid goes, and in view
    EXPECT_GT(grid.topRow(), 2);
    EXPECT_GE(grid.rowAt(grid.viewport()->height() - 1), 14);
    grid.setTopRow(40);
    EXPECT_GT(grid.topRow(), 2);
}

namespace {

// A list that computes its cells, as a core contact list would answer from its own records.
class ComputedRows : public QAbstractTableModel {
public:
    explicit ComputedRows(int rows) : rows_(rows) {}
    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : rows_;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : 3;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        ++reads;
        if (role == Qt::DisplayRole)
            return index.column() == 0 ? QString()
                                       : QStringLiteral("%1/%2").arg(index.row() + 1).arg(index.column());
        if (role == Qt::BackgroundRole && index.row() == 0)
            return QColor(Qt::green);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return QStringLiteral("H%1").arg(section);
        return {};
    }
    void grow(int more) {
        beginInsertRows({}, rows_, rows_ + more - 1);
        rows_ += more;
        endInsertRows();
    }
    mutable int reads = 0;

private:
    int rows_;
};

} // namespace

// The logging window's list is shown where it lives: reading a few visible cells, not copying 32,000 rows.
TEST(GridControlModel, ShowsAGivenModelWithoutCopyingAndReturnsToItsCells) {
    GridControl grid;
    grid.setFormatString(countryFormat);
    fill(grid, 2);
    grid.resize(400, 200);

    ComputedRows list(32000);
    grid.setModel(&list);
    grid.show();
    EXPECT_FALSE(grid.showsOwnCells());
    EXPECT_EQ(grid.rows(), 32001);
    EXPECT_EQ(grid.cols(), 3);
    EXPECT_EQ(grid.textMatrix(0, 2), "H2");
    EXPECT_EQ(grid.textMatrix(32000, 2), "32000/2");
    EXPECT_EQ(grid.cellBackground(1, 1), QColor(Qt::green));
    EXPECT_FALSE(grid.cellBackground(2, 1).isValid());
    EXPECT_LT(list.reads, 32000);

    // Cells belong to the model: the grid's writers leave it alone.
    EXPECT_FALSE(grid.setTextMatrix(1, 1, "x"));
    EXPECT_FALSE(grid.setCellBackground(1, 1, 2, Qt::red));
    grid.addItem();
    EXPECT_EQ(grid.rows(), 32001);

    // Rows added to the list show at once; clicking and scrolling work on the model's rows.
    list.grow(5);
    EXPECT_EQ(grid.rows(), 32006);
    grid.setTopRow(20000);
    EXPECT_EQ(grid.topRow(), 20000);
    QSignalSpy picked(&grid, &GridControl::rowPicked);
    const QRect cell = grid.visualRect(list.index(20001, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(picked.count(), 1);
    EXPECT_EQ(grid.row(), 20002);
    grid.setRow(32005);
    EXPECT_EQ(grid.selectionModel()->currentIndex().row(), 32004);

    grid.setModel(nullptr);
    EXPECT_TRUE(grid.showsOwnCells());
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.textMatrix(2, 2), "Name 2");
    EXPECT_TRUE(grid.setTextMatrix(3, 1, "3"));
    grid.addItem();
    EXPECT_EQ(grid.rows(), 5);
    // The own cells' selection follows clicks again.
    grid.setRow(2);
    EXPECT_EQ(grid.selectionModel()->currentIndex().row(), 1);
}
