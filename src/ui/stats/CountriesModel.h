#pragma once

#include "core/logging/DayStatistics.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>

namespace qvmd {

struct AppState;

// The countries worked, most contacts first: flag and name, contacts, and their share of the valid
// contacts. Flags are decoded only for the rows a view shows.
class CountriesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CountryColumn, ContactsColumn, ShareColumn, ColumnCount };

    explicit CountriesModel(const AppState& state, QObject* parent = nullptr);

    void show(const DayStatistics& statistics);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QPixmap flag(int country) const;

    const AppState& state_;
    std::vector<DayStatistics::Country> countries_;
    int valid_ = 0;
    mutable QHash<int, QPixmap> flags_;
};

} // namespace qvmd
