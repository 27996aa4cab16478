#include "ui/kit/GridModel.h"

#include "ui/kit/SpokenRow.h"

#include <QBrush>

namespace qvmd {

namespace {

constexpr Qt::Alignment defaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int initialColumns = 2;

} // namespace

GridModel::GridModel(QObject* parent)
    : QAbstractTableModel(parent), rows_(1, Row(initialColumns)), headers_(initialColumns),
      headerAlignments_(initialColumns, defaultAlignment), alignments_(initialColumns, defaultAlignment) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : dataRows();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Cell& cell = rows_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return cell.text;
    case Qt::AccessibleTextRole: // read after its column's name: a row read cell by cell is heard once
        return spokenCell(*this, index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignments_[static_cast<std::size_t>(index.column())]);
    case Qt::BackgroundRole:
        if (cell.background)
            return QBrush(QColor::fromRgb(*cell.background));
        if (index.column() == 0 && fixedBackground_.isValid())
            return QBrush(fixedBackground_);
        return {};
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const auto column = static_cast<std::size_t>(section);
    if (role == Qt::DisplayRole)
        return headers_[column];
    if (role == Qt::AccessibleTextRole && column < spokenHeaders_.size() && !spokenHeaders_[column].isEmpty())
        return spokenHeaders_[column];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(headerAlignments_[column]);
    return {};
}

bool GridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) {
    if (orientation != Qt::Horizontal || role != Qt::AccessibleTextRole || section < 0 ||
        section >= columnCount())
        return false;
    if (spokenHeaders_.size() < headers_.size())
        spokenHeaders_.resize(headers_.size());
    spokenHeaders_[static_cast<std::size_t>(section)] = value.toString();
    if (!suspended_)
        emit headerDataChanged(Qt::Horizontal, section, section);
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void GridModel::setHeaders(const std::vector<QString>& texts, const std::vector<Qt::Alignment>& alignments) {
    const int columns = static_cast<int>(texts.size());
    const bool reshape = columns != columnCount();
    if (reshape && !suspended_)
        beginResetModel();
    headers_ = texts;
    headerAlignments_ = alignments;
    headerAlignments_.resize(texts.size(), defaultAlignment);
    alignments_.resize(texts.size(), defaultAlignment);
    resizeRows(columns);
    if (suspended_)
        return;
    if (reshape)
        endResetModel();
    else if (columns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
}

void GridModel::setHeaderText(int column, const QString& text) {
    if (column < 0 || column >= columnCount())
        return;
    headers_[static_cast<std::size_t>(column)] = text;
    if (!suspended_)
        emit headerDataChanged(Qt::Horizontal, column, column);
}

void GridModel::setColumnAlignment(int column, Qt::Alignment alignment) {
    if (column < 0 || column >= columnCount())
        return;
    alignments_[static_cast<std::size_t>(column)] = alignment;
    if (!suspended_ && dataRows() > 0)
        emit dataChanged(index(0, column), index(dataRows() - 1, column), {Qt::TextAlignmentRole});
}

const QString& GridModel::text(int dataRow, int column) const {
    static const QString none;
    if (!validCell(dataRow, column))
        return none;
    return rows_[static_cast<std::size_t>(dataRow)][static_cast<std::size_t>(column)].text;
}

bool GridModel::setText(int dataRow, int column, const QString& text) {
    if (!validCell(dataRow, column))
        return false;
    rows_[static_cast<std::size_t>(dataRow)][static_cast<std::size_t>(column)].text = text;
    if (!suspended_) {
        const QModelIndex cell = index(dataRow, column);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
    return true;
}

bool GridModel::setBackground(int dataRow, int firstColumn, int lastColumn, QColor colour) {
    if (firstColumn > lastColumn || !validCell(dataRow, firstColumn) || !validCell(dataRow, lastColumn))
        return false;
    Row& row = rows_[static_cast<std::size_t>(dataRow)];
    // An invalid colour takes the cells back to the grid's own background.
    const std::optional<QRgb> value = colour.isValid() ? std::optional<QRgb>(colour.rgba()) : std::nullopt;
    for (int column = firstColumn; column <= lastColumn; ++column)
        row[static_cast<std::size_t>(column)].background = value;
    if (!suspended_)
        emit dataChanged(index(dataRow, firstColumn), index(dataRow, lastColumn), {Qt::BackgroundRole});
    return true;
}

std::optional<QRgb> GridModel::background(int dataRow, int column) const {
    if (!validCell(dataRow, column))
        return std::nullopt;
    return rows_[static_cast<std::size_t>(dataRow)][static_cast<std::size_t>(column)].background;
}

void GridModel::appendRow() {
    const int at = dataRows();
    if (!suspended_)
        beginInsertRows(QModelIndex(), at, at);
    rows_.emplace_back(headers_.size());
    if (!suspended_)
        endInsertRows();
}

void GridModel::suspend() {
    if (suspended_)
        return;
    beginResetModel();
    suspended_ = true;
}

void GridModel::resume() {
    if (!suspended_)
        return;
    suspended_ = false;
    endResetModel();
}

bool GridModel::validCell(int dataRow, int column) const {
    return dataRow >= 0 && dataRow < dataRows() && column >= 0 && column < columnCount();
}

void GridModel::resizeRows(int columns) {
    for (Row& row : rows_)
        row.resize(static_cast<std::size_t>(columns));
}

} // namespace qvmd
