#include "core/schedules/cash_flow_rules.h"

#include <cmath>
#include <limits>
#include <string>

#include "core/finance/rate_equation.h"
#include "core/finance/value_equations.h"
#include "core/foundation/choice_lists.h"
#include "core/foundation/coded_error.h"
#include "core/foundation/date_arithmetic.h"
#include "core/foundation/date_math.h"
#include "core/foundation/fin_cf_exception.h"

namespace quandrel {
namespace {

// The largest magnitude kept, in currency units: just inside the 64-bit count
// of ten-thousandths.
constexpr Extended kMaxMoney = 9.0e14L;

}  // namespace

std::string CashFlowErrorMessage(int code) {
  return std::string(FinCFErrors().Message(code));
}

void RaiseCashFlowError(int code) {
  RaiseFinCFError(code);
}

void CheckCashFlowChoices(int paymentPeriod, int compounding, int rateBasis, int timing) {
  const bool valid = paymentPeriod >= 1 && paymentPeriod <= 10 && compounding >= compounding::Continuous &&
                     compounding <= compounding::Simple && rateBasis >= ratebasis::Ordinary &&
                     rateBasis <= ratebasis::ActualActual && (timing == 0 || timing == 1);
  if (!valid) {
    RaiseCashFlowError(512);
  }
}

void CheckTwiceMonthlyRule(int rule) {
  if (rule < 0 || rule > 12) {
    RaiseCashFlowError(512);
  }
}

void CheckStartDate(DayNumber date) {
  if (!IsValidDate(date)) {
    RaiseCashFlowError(cashflowerror::BadStartDate);
  }
}

void CheckFinite(Extended x) {
  if (!std::isfinite(x)) {
    RaiseCashFlowError(512);
  }
}

Currency ScheduleMoney(Extended x) {
  if (!std::isfinite(x) || std::fabs(x) > kMaxMoney) {
    RaiseCashFlowError(cashflowerror::OutOfRange);
  }
  return Currency::FromExtended(x);
}

Currency AddMoney(Currency a, Currency b) {
  std::int64_t sum = 0;
  if (__builtin_add_overflow(a.Units(), b.Units(), &sum) ||
      std::fabs(static_cast<Extended>(sum)) > kMaxMoney * Currency::kUnitsPerWhole) {
    RaiseCashFlowError(cashflowerror::OutOfRange);
  }
  return Currency::FromUnits(sum);
}

std::int32_t PeriodSpan(int rateBasis, DayNumber d0, DayNumber d1) {
  return rateBasis > ratebasis::Ordinary360 ? d1 - d0 : 1;
}

Extended GrowOverSpan(TequRate& rate, TequFV& fv, int paymentPeriod, int compounding, int rateBasis,
                      Extended amount, std::int32_t span, DayNumber rateDate, Extended annualRatePercent) {
  const Extended r = annualRatePercent / 100.0L;
  if (compounding == compounding::Continuous) {
    const Extended t = TequRate::YearFractionOnDate(span, paymentPeriod, rateBasis, rateDate);
    return fv.ContinuousFV(amount, t, r);
  }
  const Extended i = rate.PeriodicRateOnDate(paymentPeriod, compounding, rateDate, rateBasis, r);
  return fv.LumpSumFV(span, compounding == compounding::Simple, amount, i);
}

DayNumber NextScheduleDate(TcalcDateMath& dateMath, int paymentPeriod, DayNumber date, int twiceMonthlyRule) {
  const DayNumber next = dateMath.NextDate(paymentPeriod, date, 0, twiceMonthlyRule);
  if (!IsValidDate(next) || next <= date) {
    RaiseCashFlowError(cashflowerror::PastLastDate);
  }
  return next;
}

void CheckPeriodsFit(DayNumber start, std::int64_t periods) {
  if (periods > static_cast<std::int64_t>(kLastDayNumber) - start) {
    RaiseCashFlowError(cashflowerror::PastLastDate);
  }
}

int CalendarYear(DayNumber date) {
  return DMYFromDate(date).year;
}

std::string RowLabel(int row, DayNumber start, DayNumber date, bool padYear, std::size_t capacity) {
  const int year = DateDifference(start, date).years + 1;
  std::string yearText = std::to_string(year);
  if (padYear && yearText.size() < 2) {
    yearText.insert(0, "0");
  }
  std::string label = std::to_string(row) + "/" + yearText;
  if (label.size() > capacity) {
    label = std::to_string(row);
  }
  return label;
}

}  // namespace quandrel
