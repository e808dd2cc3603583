#include "gui/widgets/cash_flow_table_model.h"

#include <cmath>

#include "core/foundation/date_arithmetic.h"
#include "gui/widgets/cash_flow_grid.h"

namespace quandrel {
namespace {

constexpr const char* kHeadings[TCashFlowTableModel::kColumns] = {"#", "Date", "Amount",
                                                                  "#", "Date", "Amount"};

}  // namespace

TCashFlowTableModel::TCashFlowTableModel(TCashFlowEntries& entries, QObject* parent)
    : QAbstractTableModel(parent), m_entries(entries) {}

int TCashFlowTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : TCashFlowEntries::DataRows(m_entries.Count());
}

int TCashFlowTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

std::int32_t TCashFlowTableModel::EntryOf(const QModelIndex& index) const {
  if (!index.isValid() || index.column() < 0 || index.column() >= kColumns) {
    return 0;
  }
  return m_entries.EntryAt(index.row() + 1, index.column() / 3);
}

QModelIndex TCashFlowTableModel::IndexOf(std::int32_t k, Part part) const {
  if (k < 1 || k > m_entries.Count()) {
    return {};
  }
  return index((k - 1) / 2, ((k - 1) % 2) * 3 + part);
}

QVariant TCashFlowTableModel::data(const QModelIndex& index, int role) const {
  const std::int32_t k = EntryOf(index);
  const int part = index.column() % 3;
  if (role == grid_role::Kind) {
    if (k == 0) {
      return static_cast<int>(GridCellKind::Empty);
    }
    const GridCellKind kinds[] = {GridCellKind::Number, GridCellKind::Date, GridCellKind::Amount};
    return static_cast<int>(kinds[part]);
  }
  if (k == 0) {
    return {};
  }
  const TCashFlowEntry& entry = m_entries.Entry(k);
  switch (role) {
    case grid_role::Value:
      return part == NumberPart ? QVariant(entry.number)
             : part == DatePart ? QVariant(entry.date)
                                : QVariant(entry.amount);
    case Qt::DisplayRole:
      // The grid writes dates and amounts under its picture and mask.
      return part == NumberPart ? QVariant(entry.number) : QVariant();
    default:
      return {};
  }
}

QVariant TCashFlowTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kColumns) {
    return {};
  }
  return QString::fromLatin1(kHeadings[section]);
}

Qt::ItemFlags TCashFlowTableModel::flags(const QModelIndex& index) const {
  const std::int32_t k = EntryOf(index);
  if (k == 0) {
    return Qt::NoItemFlags;
  }
  switch (index.column() % 3) {
    case DatePart:
      return m_datesEditable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                             : Qt::ItemIsEnabled;
    case AmountPart:
      return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    default:
      return Qt::ItemIsEnabled;
  }
}

bool TCashFlowTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const std::int32_t k = EntryOf(index);
  if (k == 0 || (role != grid_role::Value && role != Qt::EditRole)) {
    return false;
  }
  bool ok = false;
  switch (index.column() % 3) {
    case AmountPart: {
      const double amount = value.toDouble(&ok);
      if (!ok || !std::isfinite(amount)) {
        return false;
      }
      m_entries.SetAmount(k, amount);
      break;
    }
    case DatePart: {
      const int date = value.toInt(&ok);
      if (!ok || !m_datesEditable || !IsValidDate(date)) {
        return false;
      }
      m_entries.SetDate(k, date);
      break;
    }
    default:
      return false;
  }
  emit dataChanged(index, index, {role, Qt::DisplayRole});
  return true;
}

void TCashFlowTableModel::SetDatesEditable(bool editable) {
  if (editable == m_datesEditable) {
    return;
  }
  m_datesEditable = editable;
  if (rowCount() > 0) {
    emit dataChanged(index(0, DatePart), index(rowCount() - 1, 3 + DatePart));
  }
}

void TCashFlowTableModel::Refresh() {
  beginResetModel();
  endResetModel();
}

}  // namespace quandrel
