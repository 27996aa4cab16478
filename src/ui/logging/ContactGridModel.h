#pragma once

#include "core/logging/ContactLog.h"

#include <QAbstractTableModel>
#include <QColor>

namespace qvmd {

// The contact grid's cells, read straight from the log in use: column 0 is the fixed empty column,
// columns 1 to 8 the record's fields, and one empty row always follows the last record.
class ContactGridModel : public QAbstractTableModel, private ContactLog::Listener {
    Q_OBJECT
public:
    static constexpr int Columns = 9;

    explicit ContactGridModel(ContactLog& log, QObject* parent = nullptr);
    ~ContactGridModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Takes the columns' spoken names (Qt::AccessibleTextRole): the shown headers are abbreviations.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The row colour of a record: yellow when cancelled, pink for a valid Lady, white otherwise.
    static QColor rowColour(const ContactLog& log, int row);

    void setFixedBackground(QColor colour) { fixedBackground_ = colour; }

    // A record shown in the duplicate colour while the entry row names its station; 0 for none.
    void setHighlightedRow(int row);
    int highlightedRow() const { return highlighted_; }
    static QColor highlightColour() { return QColor(255, 0, 0); }

private:
    void beforeAppend(int row) override;
    void afterAppend(int row) override;
    void changed(int row) override;
    void beforeReset() override;
    void afterReset() override;

    ContactLog& log_;
    QColor fixedBackground_;
    QString spokenHeaders_[Columns];
    int highlighted_ = 0;
};

} // namespace qvmd
