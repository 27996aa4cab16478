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
// A single mouse click on a data row makes it the current row and raises rowPicked(); from the keyboard,
// the arrows move the current row and Enter picks it. Tab leaves the grid rather than walking its cells.
//
// The grid shows its own cells, which windows fill one by one, or any model it is given (setModel), read
// where it lives: a list of tens of thousands of rows is never copied. Model row r is grid row r + 1 either
// way. While a given model is shown, the cell writers (setTextMatrix, addItem, setCellBackground,
// setColAlignment) are refused: the model is changed where it lives.
class GridControl : public QTableView {
    Q_OBJECT
public:
    enum class Alignment { LeftCenter, RightCenter, CenterCenter };

    explicit GridControl(QWidget* parent = nullptr);

    // Shows the model without copying it; nullptr shows the grid's own cells again. The grid does not own
    // the model. The current row and the top row start over at the first data row.
    void setModel(QAbstractItemModel* model) override;
    bool showsOwnCells() const { return shown_ == &grid_; }

    // "|" separates the columns; a leading "^" centres that header text. Sets the column count.
    void setFormatString(const QString& format);
    int cols() const { return shown_->columnCount(); }

    void setColWidth(int col, int twips);
    void setColAlignment(int col, Alignment alignment);

    // Row 0 reads and writes the header text. Cells outside the grid read as empty; writing one is
    // refused (false) and leaves the grid unchanged.
    QString textMatrix(int row, int col) const;
    bool setTextMatrix(int row, int col, const QString& text);

    int rows() const { return shown_->rowCount() + 1; }
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
    bool redraw() const { return redraw_; }

    GridModel& gridModel() { return grid_; }

    // 1440 twips to the inch.
    static int twipsToPixels(int twips, int dotsPerInch);

    // Widths in twips come out this many times wider: the grid grows with its form (FormScale).
    void setZoom(qreal zoom);
    qreal zoom() const { return zoom_; }

signals:
    void rowPicked();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int columnPixels(int twips) const;
    void applyRowHeight();
    void applyColumnLayout();
    void applyCurrentRow();
    void applyTopRow();
    void onClicked(const QModelIndex& index);
    void onCurrentRowChanged(const QModelIndex& current);

    bool refuseOutsideModel(const char* what) const;

    GridModel grid_;
    QAbstractItemModel* shown_ = nullptr;
    std::vector<QMetaObject::Connection> shownConnections_;
    bool redraw_ = true;
    std::vector<int> widthsTwips_; // -1: not set
    int currentRow_ = 1;
    bool currentShown_ = false; // highlighted only once set or clicked
    int pendingTopRow_ = 0;
    bool syncingCurrent_ = false;
    qreal zoom_ = 1;
};

} // namespace qvmd
