#include "ui/kit/GridControl.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace qvmd {

namespace {

constexpr int twipsPerInch = 1440;
// Widths of columns the program has not sized: a narrow fixed column and ordinary data columns.
constexpr int defaultFixedTwips = 240;
constexpr int defaultColumnTwips = 960;
constexpr int defaultRowTwips = 240;

Qt::Alignment toQt(GridControl::Alignment alignment) {
    switch (alignment) {
    case GridControl::Alignment::RightCenter:
        return Qt::AlignRight | Qt::AlignVCenter;
    case GridControl::Alignment::CenterCenter:
        return Qt::AlignCenter;
    case GridControl::Alignment::LeftCenter:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

GridControl::GridControl(QWidget* parent) : QTableView(parent) {
    setModel(nullptr);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSortingEnabled(false);
    setTabKeyNavigation(false);

    // The grid's header row is the horizontal header; there is no row header.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    applyRowHeight();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);

    grid_.setFixedBackground(palette().color(QPalette::Button));
    // Keep the plain window colour around the header even inside a window painted with a gradient.
    QPalette own = palette();
    own.setBrush(QPalette::Window, QApplication::palette(this).window());
    setPalette(own);

    connect(this, &QAbstractItemView::clicked, this, &GridControl::onClicked);
    applyColumnLayout();
}

void GridControl::setModel(QAbstractItemModel* model) {
    if (!model)
        model = &grid_;
    if (model == shown_)
        return;
    for (const QMetaObject::Connection& connection : shownConnections_)
        disconnect(connection);
    shownConnections_.clear();
    // The view makes a new selection model for every model and leaves the old one to its owner.
    QItemSelectionModel* oldSelection = selectionModel();
    QTableView::setModel(model);
    delete oldSelection;
    shown_ = model;
    currentRow_ = 1;
    currentShown_ = false;
    pendingTopRow_ = 0;

    shownConnections_.push_back(
        connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current, const QModelIndex&) { onCurrentRowChanged(current); }));
    // A reset (end of a redraw pause, or a new column count) rebuilds the view's sections.
    shownConnections_.push_back(connect(model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnLayout();
        applyCurrentRow();
        applyTopRow();
    }));
    const auto relayout = [this] { applyColumnLayout(); };
    shownConnections_.push_back(connect(model, &QAbstractItemModel::columnsInserted, this, relayout));
    shownConnections_.push_back(connect(model, &QAbstractItemModel::columnsRemoved, this, relayout));
    shownConnections_.push_back(connect(model, &QAbstractItemModel::layoutChanged, this, relayout));
    if (redraw_)
        applyColumnLayout();
}

bool GridControl::refuseOutsideModel(const char* what) const {
    if (showsOwnCells())
        return false;
    qWarning("GridControl: %s is refused while a given model is shown", what);
    return true;
}

int GridControl::twipsToPixels(int twips, int dotsPerInch) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dotsPerInch / twipsPerInch));
}

void GridControl::setFormatString(const QString& format) {
    std::vector<QString> texts;
    std::vector<Qt::Alignment> alignments;
    for (const QString& part : format.split(QLatin1Char('|'))) {
        if (part.startsWith(QLatin1Char('^'))) {
            texts.push_back(part.mid(1));
            alignments.push_back(Qt::AlignCenter);
        } else {
            texts.push_back(part);
            alignments.push_back(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    grid_.setHeaders(texts, alignments);
    if (widthsTwips_.size() < texts.size())
        widthsTwips_.resize(texts.size(), -1);
    if (redraw())
        applyColumnLayout();
}

void GridControl::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols() || twips < 0) {
        qWarning("GridControl: no column %d to size", col);
        return;
    }
    widthsTwips_.resize(std::max(widthsTwips_.size(), static_cast<std::size_t>(cols())), -1);
    widthsTwips_[static_cast<std::size_t>(col)] = twips;
    if (redraw())
        setColumnWidth(col, columnPixels(twips));
}

void GridControl::setColAlignment(int col, Alignment alignment) {
    if (refuseOutsideModel("aligning a column"))
        return;
    if (col < 0 || col >= cols()) {
        qWarning("GridControl: no column %d to align", col);
        return;
    }
    grid_.setColumnAlignment(col, toQt(alignment));
}

QString GridControl::textMatrix(int row, int col) const {
    if (row == 0)
        return shown_->headerData(col, Qt::Horizontal).toString();
    if (showsOwnCells())
        return grid_.text(row - 1, col);
    return shown_->index(row - 1, col).data().toString();
}

bool GridControl::setTextMatrix(int row, int col, const QString& text) {
    if (refuseOutsideModel("writing a cell"))
        return false;
    if (row < 0 || row >= rows() || col < 0 || col >= cols()) {
        qWarning("GridControl: cell (%d, %d) is outside the grid of %d rows and %d columns", row, col, rows(),
                 cols());
        return false;
    }
    if (row == 0) {
        grid_.setHeaderText(col, text);
        return true;
    }
    return grid_.setText(row - 1, col, text);
}

void GridControl::addItem() {
    if (refuseOutsideModel("appending a row"))
        return;
    grid_.appendRow();
}

void GridControl::setRow(int row) {
    if (row < 1 || row >= rows()) {
        qWarning("GridControl: no data row %d to make current", row);
        return;
    }
    currentRow_ = row;
    currentShown_ = true;
    if (redraw())
        applyCurrentRow();
}

bool GridControl::setCellBackground(int row, int firstCol, int lastCol, const QColor& colour) {
    if (refuseOutsideModel("colouring cells"))
        return false;
    if (!grid_.setBackground(row - 1, firstCol, lastCol, colour)) {
        qWarning("GridControl: cells %d..%d of row %d are outside the grid", firstCol, lastCol, row);
        return false;
    }
    return true;
}

QColor GridControl::cellBackground(int row, int col) const {
    if (!showsOwnCells()) {
        const QVariant colour = shown_->index(row - 1, col).data(Qt::BackgroundRole);
        if (colour.typeId() == QMetaType::QBrush)
            return colour.value<QBrush>().color();
        return colour.value<QColor>();
    }
    const std::optional<QRgb> colour = grid_.background(row - 1, col);
    return colour ? QColor::fromRgba(*colour) : QColor();
}

void GridControl::setTopRow(int row) {
    if (row < 1 || row >= rows()) {
        qWarning("GridControl: no data row %d to scroll to", row);
        return;
    }
    pendingTopRow_ = row;
    if (redraw())
        applyTopRow();
}

int GridControl::topRow() const {
    return rowAt(0) + 1;
}

void GridControl::setRedraw(bool on) {
    if (!on) {
        if (!redraw_)
            return;
        redraw_ = false;
        setUpdatesEnabled(false);
        grid_.suspend();
        return;
    }
    if (redraw_) {
        viewport()->update();
        return;
    }
    redraw_ = true;
    // Resuming the own cells resets them, which lays the view out again; a given model needs it here.
    const bool own = showsOwnCells();
    grid_.resume();
    setUpdatesEnabled(true);
    if (!own) {
        applyColumnLayout();
        applyCurrentRow();
        applyTopRow();
    }
}

void GridControl::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    // A top row set before the view had its size is applied again now that it has one.
    applyTopRow();
}

void GridControl::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && currentIndex().isValid()) {
        event->accept();
        onClicked(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridControl::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        // Once a model is set, the header no longer follows the grid's font by itself.
        horizontalHeader()->setFont(font());
        applyRowHeight();
    }
}

void GridControl::setZoom(qreal zoom) {
    zoom_ = zoom;
    applyRowHeight();
    if (redraw())
        applyColumnLayout();
}

int GridControl::columnPixels(int twips) const {
    return qRound(twipsToPixels(twips, logicalDpiX()) * zoom_);
}

// A row holds a line of the grid's font, and never less than the usual row.
void GridControl::applyRowHeight() {
    verticalHeader()->setDefaultSectionSize(
        std::max(fontMetrics().height() + 4,
                 static_cast<int>(qRound(twipsToPixels(defaultRowTwips, logicalDpiY()) * zoom_))));
}

void GridControl::applyColumnLayout() {
    for (int col = 0; col < cols(); ++col) {
        const int set = static_cast<std::size_t>(col) < widthsTwips_.size()
                            ? widthsTwips_[static_cast<std::size_t>(col)]
                            : -1;
        const int twips = set >= 0 ? set : (col == 0 ? defaultFixedTwips : defaultColumnTwips);
        setColumnWidth(col, columnPixels(twips));
    }
}

void GridControl::applyCurrentRow() {
    if (!currentShown_ || !redraw() || currentRow_ >= rows())
        return;
    const QModelIndex cell = shown_->index(currentRow_ - 1, cols() > 1 ? 1 : 0);
    syncingCurrent_ = true;
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    syncingCurrent_ = false;
}

void GridControl::applyTopRow() {
    if (pendingTopRow_ < 1 || !redraw())
        return;
    if (pendingTopRow_ >= rows()) {
        pendingTopRow_ = 0;
        return;
    }
    // Scroll bar ranges follow the rows only once the pending layout has run.
    executeDelayedItemsLayout();
    scrollTo(shown_->index(pendingTopRow_ - 1, 0), QAbstractItemView::PositionAtTop);
    if (isVisible())
        pendingTopRow_ = 0;
}

void GridControl::onClicked(const QModelIndex& index) {
    if (!index.isValid())
        return;
    currentRow_ = index.row() + 1;
    currentShown_ = true;
    emit rowPicked();
}

void GridControl::onCurrentRowChanged(const QModelIndex& current) {
    if (syncingCurrent_ || !current.isValid())
        return;
    currentRow_ = current.row() + 1;
    currentShown_ = true;
}

} // namespace qvmd
