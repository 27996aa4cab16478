#pragma once

#include "ui/kit/GridModel.h"

#include <QColor>
#include <QString>
#include <QTableView>

#include <vector>

namespace qvmd {

// The grid the windows share: a fixed header row, a fixed leading column the program leaves empty, and
// data rows below the header.
//
// Rows are numbered as the program counts them: row 0 is the header, data rows are 1 .. rows() - 1, so
// rows() is the number of data rows plus one. A new grid holds one empty data row (rows() == 2); a
// window fills row k and then appends the next empty row, so its list always ends with an empty row.
// Columns: column 0 is the narrow fixed column, the program's columns are 1 .. cols() - 1.
//
// A single mouse click on a data row makes it the current row and raises rowPicked().
class GridControl : public QTableView {
    Q_OBJECT
public:
    enum class Alignment { LeftCenter, RightCenter, CenterCenter };

    explicit GridControl(QWidget* parent = nullptr);

    // "|" separates the columns; a leading "^" centres that header text. Sets the column count.
    void setFormatString(const QString& format);
    int cols() const { return grid_.columnCount(); }

    void setColWidth(int col, int twips);
    void setColAlignment(int col, Alignment alignment);

    // Row 0 reads and writes the header text. Cells outside the grid read as empty; writing one is
    // refused (false) and leaves the grid unchanged.
    QString textMatrix(int row, int col) const;
    bool setTextMatrix(int row, int col, const QString& text);

    int rows() const { return grid_.dataRows() + 1; }
    // Appends one empty row at the end.
    void addItem();

    // The current row: the first data row on a new grid, then the last one set or clicked.
    int row() const { return currentRow_; }
    void setRow(int row);

    // Colours cells firstCol .. lastCol of a data row; the colour stays until it is set again.
    bool setCellBackground(int row, int firstCol, int lastCol, const QColor& colour);
    QColor cellBackground(int row, int col) const;

    // Scrolls so that the row is the first one visible (as far as the rows below it allow).
    void setTopRow(int row);
    int topRow() const;

    // Off: changes are neither announced nor painted. On: the view takes them all in at once.
    void setRedraw(bool on);
    bool redraw() const { return !grid_.suspended(); }

    GridModel& gridModel() { return grid_; }

    // 1440 twips to the inch.
    static int twipsToPixels(int twips, int dotsPerInch);

signals:
    void rowPicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyColumnLayout();
    void applyCurrentRow();
    void applyTopRow();
    void onClicked(const QModelIndex& index);
    void onCurrentRowChanged(const QModelIndex& current);

    GridModel grid_;
    std::vector<int> widthsTwips_; // -1: not set
    int currentRow_ = 1;
    bool currentShown_ = false; // highlighted only once set or clicked
    int pendingTopRow_ = 0;
    bool syncingCurrent_ = false;
};

} // namespace qvmd
