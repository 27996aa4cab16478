#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <optional>
#include <vector>

namespace qvmd {

// The cells behind a GridControl. Model row r is grid row r + 1: the grid's header row is the view's
// horizontal header, so it is not a model row. Storage is one contiguous array per row, so tens of
// thousands of rows fill and colour without an object per cell.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Cell {
        QString text;
        std::optional<QRgb> background;
    };
    using Row = std::vector<Cell>;

    explicit GridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Takes the columns' spoken names (Qt::AccessibleTextRole); the shown headers change only by setHeaders.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Header texts and alignments; the column count follows the number of headers.
    void setHeaders(const std::vector<QString>& texts, const std::vector<Qt::Alignment>& alignments);
    void setHeaderText(int column, const QString& text);
    void setColumnAlignment(int column, Qt::Alignment alignment);

    // Data rows, counted from 0.
    int dataRows() const { return static_cast<int>(rows_.size()); }
    const QString& text(int dataRow, int column) const;
    bool setText(int dataRow, int column, const QString& text);
    bool setBackground(int dataRow, int firstColumn, int lastColumn, QColor colour);
    std::optional<QRgb> background(int dataRow, int column) const;
    void appendRow();

    // While suspended, changes emit nothing and resuming emits one reset.
    void suspend();
    void resume();
    bool suspended() const { return suspended_; }

    // Background of the fixed leading column when it has no colour of its own.
    void setFixedBackground(QColor colour) { fixedBackground_ = colour; }

private:
    bool validCell(int dataRow, int column) const;
    void resizeRows(int columns);

    std::vector<Row> rows_;
    std::vector<QString> headers_;
    std::vector<QString> spokenHeaders_; // by column; empty: the shown header is spoken
    std::vector<Qt::Alignment> headerAlignments_;
    std::vector<Qt::Alignment> alignments_;
    QColor fixedBackground_;
    bool suspended_ = false;
};

} // namespace qvmd
