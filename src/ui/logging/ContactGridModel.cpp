#include "ui/logging/ContactGridModel.h"

#include "ui/kit/SpokenRow.h"

#include <QBrush>

namespace qvmd {

namespace {

struct ColumnLook {
    const char* header;
    Qt::Alignment alignment;
};

// "^|^I.|^R.|^Unit|^Name|^HL|^Country|^Date Time|^A": every header centred, the same in both languages.
constexpr Qt::Alignment leftCentre = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment rightCentre = Qt::AlignRight | Qt::AlignVCenter;
const ColumnLook columns[ContactGridModel::Columns] = {
    {"", leftCentre},        {"I.", rightCentre},       {"R.", rightCentre},
    {"Unit", rightCentre},   {"Name", leftCentre},      {"HL", Qt::AlignCenter},
    {"Country", leftCentre}, {"Date Time", leftCentre}, {"A", Qt::AlignCenter},
};

constexpr int cancelledColumn = 8;

} // namespace

ContactGridModel::ContactGridModel(ContactLog& log, QObject* parent)
    : QAbstractTableModel(parent), log_(log) {
    log_.setListener(this);
}

ContactGridModel::~ContactGridModel() {
    log_.setListener(nullptr);
}

int ContactGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : log_.size() + 1;
}

int ContactGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QColor ContactGridModel::rowColour(const ContactLog& log, int row) {
    if (log.isCancelled(row))
        return QColor(255, 255, 0);
    if (log.category(row) == 'L')
        return QColor(255, 192, 255);
    return QColor(255, 255, 255);
}

QVariant ContactGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row() + 1;
    const int column = index.column();
    const bool record = row <= log_.size();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: // the whole text where a long name is cut
        return record && column > 0 ? log_.fieldText(row, column - 1) : QString();
    case Qt::AccessibleTextRole: // a contact read cell by cell is heard once, each value after its name
        return record ? spokenCell(*this, index.row(), column) : QString();
    case SpokenInRowRole: // the cancelled flag is said as a word, and only when it is set
        if (column == cancelledColumn)
            return record && log_.isCancelled(row) ? spokenHeaders_[column] : QString();
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columns[column].alignment);
    case Qt::BackgroundRole:
        if (column == 0)
            return fixedBackground_.isValid() ? QVariant(QBrush(fixedBackground_)) : QVariant();
        if (record && row == highlighted_)
            return QBrush(highlightColour());
        return record ? QVariant(QBrush(rowColour(log_, row))) : QVariant();
    case Qt::ForegroundRole:
        return record && row == highlighted_ && column > 0 ? QVariant(QBrush(Qt::white)) : QVariant();
    default:
        return {};
    }
}

QVariant ContactGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(columns[section].header);
    if (role == Qt::AccessibleTextRole && !spokenHeaders_[section].isEmpty())
        return spokenHeaders_[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

bool ContactGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                                     int role) {
    if (orientation != Qt::Horizontal || role != Qt::AccessibleTextRole || section < 0 || section >= Columns)
        return false;
    spokenHeaders_[section] = value.toString();
    emit headerDataChanged(Qt::Horizontal, section, section);
    return true;
}

Qt::ItemFlags ContactGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ContactGridModel::setHighlightedRow(int row) {
    if (row == highlighted_)
        return;
    const int before = highlighted_;
    highlighted_ = row;
    for (int changed : {before, row}) {
        if (changed > 0 && changed <= log_.size())
            emit dataChanged(index(changed - 1, 0), index(changed - 1, Columns - 1));
    }
}

// A new record takes the place of the empty last row, and a fresh empty row follows it: to a view
// that is one row inserted before the empty one.
void ContactGridModel::beforeAppend(int row) {
    beginInsertRows(QModelIndex(), row - 1, row - 1);
}

void ContactGridModel::afterAppend(int) {
    endInsertRows();
}

void ContactGridModel::changed(int row) {
    emit dataChanged(index(row - 1, 0), index(row - 1, Columns - 1));
}

void ContactGridModel::beforeReset() {
    beginResetModel();
}

void ContactGridModel::afterReset() {
    endResetModel();
}

} // namespace qvmd
