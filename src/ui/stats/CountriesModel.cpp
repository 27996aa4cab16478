#include "ui/stats/CountriesModel.h"

#include "core/app/AppState.h"
#include "ui/kit/cLoadResPicture.h"

#include <QLocale>
#include <QPixmapCache>

namespace qvmd {

CountriesModel::CountriesModel(const AppState& state, QObject* parent)
    : QAbstractTableModel(parent), state_(state) {}

void CountriesModel::show(const DayStatistics& statistics) {
    beginResetModel();
    countries_ = statistics.countries;
    valid_ = statistics.valid;
    endResetModel();
}

int CountriesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(countries_.size());
}

int CountriesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QPixmap CountriesModel::flag(int country) const {
    auto found = flags_.constFind(country);
    if (found == flags_.cend()) {
        // Scaled once for the program's run, not for each opening of the window.
        const QString key = QStringLiteral("qvmd-flag-row-%1").arg(country);
        QPixmap row;
        if (!QPixmapCache::find(key, &row)) {
            const QPixmap picture = cLoadResPicture().LoadResPicture(country, QStringLiteral("FLAG"));
            if (!picture.isNull()) {
                row = picture.scaledToHeight(16, Qt::SmoothTransformation);
                QPixmapCache::insert(key, row);
            }
        }
        found = flags_.insert(country, row);
    }
    return *found;
}

QVariant CountriesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const DayStatistics::Country& country = countries_[static_cast<std::size_t>(index.row())];
    const double share = valid_ > 0 ? 100.0 * country.contacts / valid_ : 0.0;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case CountryColumn:
            return state_.countries.name(country.number);
        case ContactsColumn:
            return country.contacts;
        case ShareColumn:
            // An Italian reads a decimal comma.
            return QStringLiteral("%1 %").arg(
                QString::number(share, 'f', 1).replace(u'.', state_.LanguageOffset == 0 ? u',' : u'.'));
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == CountryColumn)
            return flag(country.number);
        break;
    case Qt::TextAlignmentRole:
        if (index.column() != CountryColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case Qt::ToolTipRole:
        if (index.column() == CountryColumn)
            return state_.countries.prefix(country.number);
        break;
    default:
        break;
    }
    return {};
}

QVariant CountriesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case CountryColumn:
        return state_.text(1804, QStringLiteral("Country"));
    case ContactsColumn:
        return state_.text(1805, QStringLiteral("Contacts"));
    case ShareColumn:
        return state_.text(1806, QStringLiteral("Share"));
    }
    return {};
}

} // namespace qvmd
