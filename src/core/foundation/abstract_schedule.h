#pragma once

// The root of every schedule: an ordered list of fixed-size row records that
// windows, reports and copies walk without knowing the schedule's kind.

#include <vector>

#include "core/foundation/fin_cf_exception.h"

namespace quandrel {

class TAbstractSchedule {
 public:
  TAbstractSchedule() = default;
  TAbstractSchedule(const TAbstractSchedule&) = default;
  TAbstractSchedule& operator=(const TAbstractSchedule&) = default;
  virtual ~TAbstractSchedule() = default;

  // The number of rows minus 1; -1 for an empty schedule.
  virtual int LastRowIndex() const = 0;
};

// A schedule over its own row record. The rows are held by value: the list
// owns them and frees them when cleared or destroyed.
template <class Row>
class TScheduleOf : public TAbstractSchedule {
 public:
  using RowType = Row;
  using RowList = std::vector<Row>;

  RowList Rows;

  int LastRowIndex() const override { return static_cast<int>(Rows.size()) - 1; }

  // Replaces the destination's rows by copies of this schedule's rows, in
  // order. A missing destination raises 520.
  virtual void CopyRowsTo(RowList* destination) const {
    if (destination == nullptr) {
      RaiseFinCFError(520);
    }
    destination->clear();
    destination->reserve(Rows.size());
    for (const Row& row : Rows) {
      Row& copy = destination->emplace_back();
      CopyRow(row, &copy);
    }
  }

  // Copies one whole row record. A missing destination raises 519.
  virtual void CopyRow(const Row& source, Row* destination) const {
    if (destination == nullptr) {
      RaiseFinCFError(519);
    }
    *destination = source;
  }
};

}  // namespace quandrel
