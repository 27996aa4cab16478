// Filling and colouring the shared grid at the size of the largest log the counters allow.
#include "ui/kit/GridControl.h"

#include <QApplication>
#include <QColor>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

using qvmd::GridControl;

namespace {

constexpr int rowCount = 32000;
const QString contactFormat = QStringLiteral("^|^I.|^R.|^Unit|^Name|^HL|^Country|^Date Time|^A");

// Texts of one contact row; built once so the benchmark measures the grid, not string formatting.
QStringList sampleRow(int row) {
    return {QString::number(row),
            QString::number(row % 500),
            QStringLiteral("%1QV%2").arg(row % 300 + 1).arg(row % 3000 + 1),
            QStringLiteral("OPERATOR %1").arg(row % 97),
            row % 3 ? QStringLiteral("H") : QStringLiteral("L"),
            QStringLiteral("Country %1").arg(row % 300),
            QStringLiteral("06/03/2015 14:05:09"),
            row % 11 ? QStringLiteral("N") : QStringLiteral("S")};
}

const std::vector<QStringList>& samples() {
    static const std::vector<QStringList> rows = [] {
        std::vector<QStringList> list;
        list.reserve(rowCount);
        for (int row = 1; row <= rowCount; ++row)
            list.push_back(sampleRow(row));
        return list;
    }();
    return rows;
}

QColor rowColour(const QStringList& cells) {
    if (cells[7] == QLatin1String("S"))
        return QColor(255, 255, 0);
    return cells[4] == QLatin1String("L") ? QColor(255, 192, 255) : QColor(255, 255, 255);
}

void fillAndColour(GridControl& grid) {
    const std::vector<QStringList>& rows = samples();
    grid.setRedraw(false);
    for (int row = 1; row <= rowCount; ++row) {
        const QStringList& cells = rows[static_cast<std::size_t>(row - 1)];
        for (int col = 1; col <= 8; ++col)
            grid.setTextMatrix(row, col, cells[col - 1]);
        grid.setCellBackground(row, 1, 8, rowColour(cells));
        grid.addItem();
    }
    grid.setTopRow(rowCount - 8);
    grid.setRow(rowCount + 1);
    grid.setRedraw(true);
}

void BM_FillAndColour32000Rows(benchmark::State& state) {
    samples();
    for (auto _ : state) {
        GridControl grid;
        grid.setFormatString(contactFormat);
        grid.resize(900, 400);
        grid.show();
        fillAndColour(grid);
        benchmark::DoNotOptimize(grid.rows());
    }
    state.SetItemsProcessed(state.iterations() * rowCount);
}
BENCHMARK(BM_FillAndColour32000Rows)->Unit(benchmark::kMillisecond);

// Colouring every row again on a filled grid, as after a cancellation.
void BM_Recolour32000Rows(benchmark::State& state) {
    GridControl grid;
    grid.setFormatString(contactFormat);
    grid.resize(900, 400);
    grid.show();
    fillAndColour(grid);
    const std::vector<QStringList>& rows = samples();
    for (auto _ : state) {
        grid.setRedraw(false);
        for (int row = 1; row <= rowCount; ++row)
            grid.setCellBackground(row, 1, 8, rowColour(rows[static_cast<std::size_t>(row - 1)]));
        grid.setRedraw(true);
        benchmark::DoNotOptimize(grid.rows());
    }
    state.SetItemsProcessed(state.iterations() * rowCount);
}
BENCHMARK(BM_Recolour32000Rows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
