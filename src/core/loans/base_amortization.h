#pragma once

// The base of every amortization schedule, simple and flexible: a row list
// over the schedule's own row record plus the operations through which the
// loan equations, windows and advisors read a schedule without knowing its
// amortizing method. Row indices run from 0; every reader refuses an index
// outside the rows with a schedule error.

#include <cstdint>

#include "core/finance/rate_equation.h"
#include "core/finance/value_equations.h"
#include "core/foundation/abstract_schedule.h"
#include "core/loans/schedule_exception.h"

namespace quandrel {

template <class Row>
class TschBaseAmort : public TScheduleOf<Row> {
 public:
  using typename TScheduleOf<Row>::RowList;

  // Replaces the destination's rows by copies of this schedule's rows; a
  // missing destination raises 220.
  void CopyRowsTo(RowList* destination) const override {
    if (destination == nullptr) {
      RaiseScheduleError(220);
    }
    TScheduleOf<Row>::CopyRowsTo(destination);
  }
  // Copies one row record; a missing destination raises 219.
  void CopyRow(const Row& source, Row* destination) const override {
    if (destination == nullptr) {
      RaiseScheduleError(219);
    }
    *destination = source;
  }

  // Settles the final balance after a build, as the schedule's adjust mode says.
  virtual void AdjustLastRow() = 0;
  // Replaces the rows by a fresh build from the inputs.
  virtual void BuildRows() = 0;
  virtual double LastBalance() const = 0;
  virtual std::int32_t LastPeriod() const = 0;
  // BuildRows, then AdjustLastRow.
  virtual void Generate() = 0;
  virtual double InterestAt(int k) const = 0;
  virtual double PaymentAt(int k) const = 0;
  virtual double PrincipalAt(int k) const = 0;
  virtual double CumInterestAt(int k) const = 0;
  virtual double CumPaymentsAt(int k) const = 0;
  virtual double CumPrincipalAt(int k) const = 0;

 protected:
  TequFV m_fv;
  TequRate m_rate;
};

}  // namespace quandrel
