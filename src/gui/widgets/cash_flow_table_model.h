#pragma once

// The item model of the cash-flow grid: a view of the calculator model's
// grid entries (TCashFlowEntries), two entries per row. Columns 0-2 show
// entry 2r-1 ("#", "Date", "Amount"), columns 3-5 entry 2r; with an odd
// number of entries the last row's right half is empty.
//
// The numbers are read-only; the dates are editable only with exact days on;
// the amounts are editable. Edits go straight into the entries. The model
// holds no copy of them: after the entries are rebuilt, loaded or cleared
// elsewhere, Refresh() tells the view.

#include <QAbstractTableModel>
#include <cstdint>

#include "core/finance/cash_flows.h"

namespace quandrel {

class TCashFlowTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 6;
  // The columns of one side of a row.
  enum Part : int { NumberPart = 0, DatePart = 1, AmountPart = 2 };

  explicit TCashFlowTableModel(TCashFlowEntries& entries, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // grid_role::Value: a finite amount, or a valid day number for a date.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // Dates editable ("Use exact day calculation method?").
  void SetDatesEditable(bool editable);
  bool DatesEditable() const { return m_datesEditable; }

  // The entries changed wholesale (built, loaded, cleared).
  void Refresh();

  // The entry number shown at a cell (1..n), 0 for an empty cell.
  std::int32_t EntryOf(const QModelIndex& index) const;
  // The cell of entry k's part; invalid for k outside 1..n.
  QModelIndex IndexOf(std::int32_t k, Part part) const;

 private:
  TCashFlowEntries& m_entries;
  bool m_datesEditable = false;
};

}  // namespace quandrel
