#include "core/finance/pmt_required_equation.h"

#include <cmath>
#include <numbers>

#include "core/finance/finance_exception.h"
#include "core/foundation/choice_lists.h"

namespace quandrel {
namespace {

// Continuous compounding counts one compounding per second of a 365-day year
// for the doubling time.
constexpr Extended kSecondsPerYear = 31536000.0L;

Currency ToCurrency(Extended x) {
  if (!std::isfinite(x)) {
    RaiseFinanceError(427);
  }
  try {
    return Currency::FromExtended(x);
  } catch (const std::range_error&) {
    RaiseFinanceError(427);
  }
}

}  // namespace

void TequPmtRequired::SetInputs(std::int32_t n, std::uint8_t p, std::uint8_t c, double annualRatePercent,
                                Currency targetFV) {
  Deposits = n;
  PaymentPeriod = p;
  Compounding = c;
  AnnualRate = annualRatePercent;
  TargetFV = targetFV;
}

void TequPmtRequired::Calculate() {
  if (!(AnnualRate > 0.0)) {
    RaiseFinanceError(407);
  }
  if (TargetFV <= Currency()) {
    RaiseFinanceError(406);
  }
  if (Deposits < 1) {
    RaiseFinanceError(404);
  }
  TotalDeposits = Currency();

  const Extended rate = static_cast<Extended>(AnnualRate) / 100.0L;
  const int m = PeriodsPerYear(Compounding);
  const int perYear = TequRate::PaymentsPerYearOf(PaymentPeriod);
  const Extended i = m == -1 ? std::exp(rate / perYear) - 1.0L
                             : Rate.PeriodicRate(PaymentPeriod, Compounding, RateBasis, rate);
  if (!(i > 0.0L)) {
    RaiseFinanceError(407);
  }
  const Extended n = Deposits;
  // (1 + i)^n - 1 by expm1, so a small rate keeps its digits.
  const Extended growthLessOne = std::expm1(n * std::log1p(i));
  const Extended target = TargetFV.ToExtended();
  RequiredDeposit = ToCurrency(target * i / ((1.0L + i * Timing) * growthLessOne));
  TotalDeposits = ToCurrency(n * RequiredDeposit.ToExtended());
  InterestEarned = TargetFV - TotalDeposits;
  TermYears = static_cast<float>(n / perYear);

  // Years to double at the nominal rate. Simple interest doubles when the
  // interest equals the principal: after 1 / rate years.
  const Extended ln2 = std::numbers::ln2_v<Extended>;
  Extended doubling = 0;
  if (m > 0) {
    doubling = ln2 / (m * std::log1p(rate / m));
  } else if (m == -1) {
    doubling = ln2 / (kSecondsPerYear * std::log1p(rate / kSecondsPerYear));
  } else {
    doubling = 1.0L / rate;
  }
  DoublingYears = static_cast<float>(doubling);
}

}  // namespace quandrel
