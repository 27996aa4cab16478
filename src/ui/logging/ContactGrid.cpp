#include "ui/logging/ContactGrid.h"

#include "core/refdata/CountryTable.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/GridControl.h"
#include "ui/logging/ContactCellDelegate.h"
#include "ui/logging/ContactGridModel.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace qvmd {

namespace {

constexpr int usualRows = 10;
// Fewer rows than these and the grid would show too little of the log to work with.
constexpr int fewestRows = 4;

// Column widths in twips, as a small system font would need them; headers and alignments come with the
// model.
constexpr int columnTwips[] = {300, 400, 400, 1200, 1200, 350, 1400, 1450, 350};
constexpr int progressiveSent = 1;
constexpr int progressiveReceived = 2;
constexpr int countryColumn = 6;
constexpr int stampColumn = 7;
// Room a cell needs beside its text.
constexpr int cellPadding = 14;

} // namespace

ContactGrid::ContactGrid(QWidget* window, ContactLog& log, const CountryTable& countries, int left, int top)
    : log_(log) {
    grid_ = new GridControl(window);
    grid_->setObjectName(QStringLiteral("MSHFlexGrid1"));
    setNameTag(grid_, "1411");
    // The shown headers are abbreviations; these are the names spoken for the columns.
    grid_->setProperty("columnNameTags", QStringLiteral("1412,1413,1403,1928,1041,1927,1402,1415,1416"));
    model_ = std::make_unique<ContactGridModel>(log);
    GridControl& grid = *grid_;
    grid.setModel(model_.get());
    grid.setItemDelegate(new ContactCellDelegate(grid_));
    sizeColumns(countries);
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    int width = 2 * grid.frameWidth() + grid.verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < ContactGridModel::Columns; ++col)
        width += grid.columnWidth(col);
    grid.setGeometry(left, top, width, heightFor(usualRows));
}

int ContactGrid::heightFor(int rows) const {
    return 2 * grid_->frameWidth() + grid_->horizontalHeader()->sizeHint().height() +
           rows * grid_->verticalHeader()->defaultSectionSize();
}

void ContactGrid::fitHeight(int height) {
    const int row = std::max(1, grid_->verticalHeader()->defaultSectionSize());
    visibleRows_ = std::clamp((height - heightFor(0)) / row, fewestRows, usualRows);
    grid_->resize(grid_->width(), heightFor(visibleRows_));
}

ContactGrid::~ContactGrid() {
    // The view lets go of the model before the model goes.
    grid_->setModel(nullptr);
}

void ContactGrid::sizeColumns(const CountryTable& countries) {
    GridControl& grid = *grid_;
    const QFontMetrics metrics = grid.fontMetrics();
    const int dpi = grid.logicalDpiX();
    // The widths grow alike until a whole stamp fits in its column.
    const int stampWidth = metrics.horizontalAdvance(QStringLiteral("06/05/2026 10:00:05")) + 28;
    const double scale = std::max(1.0, static_cast<double>(stampWidth) /
                                           GridControl::twipsToPixels(columnTwips[stampColumn], dpi));
    int twips[ContactGridModel::Columns];
    for (int col = 0; col < ContactGridModel::Columns; ++col)
        twips[col] = static_cast<int>(columnTwips[col] * scale);

    // Then each column that still could cut its widest content grows to hold it whole.
    const auto atLeast = [&](int col, int pixels) {
        const int needed = (pixels + cellPadding) * 1440 / std::max(1, dpi) + 1;
        twips[col] = std::max(twips[col], needed);
    };
    int digits = 0;
    for (QChar digit = QLatin1Char('0'); digit <= QLatin1Char('9'); digit = QChar(digit.unicode() + 1))
        digits = std::max(digits, metrics.horizontalAdvance(digit));
    atLeast(progressiveSent, 5 * digits);
    atLeast(progressiveReceived, 5 * digits);
    int country = 0;
    for (int number = 1; number <= countries.count(); ++number)
        country = std::max(country, metrics.horizontalAdvance(countries.name(number)));
    atLeast(countryColumn, country);

    for (int col = 0; col < ContactGridModel::Columns; ++col)
        grid.setColWidth(col, twips[col]);
}

void ContactGrid::showLastRow() {
    // Colours come with the model; the last (empty) row is the tenth one visible and the current one.
    const int lastRow = log_.size() + 1;
    if (lastRow > visibleRows_ - 1)
        grid_->setTopRow(lastRow - (visibleRows_ - 1));
    grid_->setRow(lastRow);
}

void ContactGrid::highlight(int row) {
    model_->setHighlightedRow(row);
    if (row <= 0)
        return;
    const int top = grid_->topRow();
    // The last visible row may be cut; a row there does not count as shown.
    if (row < top || row > top + visibleRows_ - 2) {
        if (topBeforeHighlight_ == 0)
            topBeforeHighlight_ = top;
        grid_->setTopRow(row);
    }
}

void ContactGrid::restoreView() {
    if (topBeforeHighlight_ > 0)
        grid_->setTopRow(topBeforeHighlight_);
    topBeforeHighlight_ = 0;
}

} // namespace qvmd
