#pragma once

// TequBalloonPmt: a loan whose last payment is a balloon. Solves the balloon
// amount, the balloon period, the payment, the amount or the annual rate; all
// but the balloon amount by a search over a simple level-payment schedule.
//
// What a balloon at period m must be is what the schedule owes there: the
// balance after period m - 1 plus the interest of period m. Without a balloon
// (both balloon inputs 0) the loan runs its term and the payment, amount or
// rate of the plain level-payment loan is solved.

#include <cstdint>

#include "core/finance/rate_equation.h"
#include "core/foundation/global_types.h"
#include "core/loans/loan_equation.h"
#include "core/loans/simple_amortization.h"

namespace quandrel {

class TequBalloonPmt {
 public:
  enum UnknownCode : std::uint8_t {
    kNone = 0,
    kAmount = 1,
    kTerm = 2,
    kRate = 3,
    kPayment = 4,
    kBalloonPeriod = 9,
    kBalloonAmount = 10,
  };
  // The searches give up after this many tries.
  static constexpr int kMaxTries = 1000;

  // Stores the inputs (the annual rate in percent) and returns the unknown:
  // the amount or payment below 0.01, the rate below 0.001, in balloon mode
  // (a balloon amount or period above 0) a balloon period of 0 or balloon
  // amount below 0.01, otherwise a term of 0. More than one raises 211;
  // negative inputs 241, a payment period or compounding outside its list
  // 242. With no zero the previous unknown stays. A failed call keeps the
  // previous inputs.
  int SetInputs(std::int32_t term, std::int32_t balloonPeriod, bool inAdvance, int compounding,
                int paymentPeriod, Currency balloonAmount, Currency payment, double annualRate,
                Currency amount);

  // Solves for the unknown (232 for none it can solve). A search that finds
  // nothing within its tries zeroes the solved field and the total interest
  // and raises 230. 238 when the balloon is below the level payment, 201 when
  // the payment repays the loan before the balloon is due.
  void Calculate();

  Currency Amount() const { return m_amount; }
  double AnnualRate() const { return m_annualRate; }
  std::int32_t BalloonPeriod() const { return m_balloonPeriod; }
  std::int32_t Term() const { return m_term; }
  Currency Payment() const { return m_payment; }
  Currency BalloonAmount() const { return m_balloonAmount; }
  Currency TotalInterest() const { return m_totalInterest; }
  bool InAdvance() const { return m_inAdvance; }
  int PaymentPeriod() const { return m_paymentPeriod; }
  int Compounding() const { return m_compounding; }
  int RateBasis() const { return m_rateBasis; }
  int Method() const { return m_method; }
  int Unknown() const { return m_unknown; }
  bool BalloonMode() const { return m_balloonMode; }
  bool Calculated() const { return m_calculated; }

  // Rate basis 0..5 (242 otherwise).
  void SetRateBasis(int rateBasis);
  // Balloons are scheduled for the Normal and Canadian methods only (235).
  void SetMethod(int method);

 private:
  // Builds the schedule over 'periods' with the given payment, amount and
  // decimal annual rate; false when its balance leaves the number line.
  bool Build(std::int32_t periods, double payment, double amount, double annualRate);
  // What the built schedule owes at 'period' (balance after the period before
  // it plus the period's interest); 201 beyond the schedule.
  double Needed(std::int32_t period, double amount) const;
  Extended PeriodicRate();
  void LoadLoan(std::int32_t term, Currency payment, Currency amount);

  void SolveBalloonAmount();
  void SolveBalloonPeriod();
  void SolvePayment();
  void SolveAmount(std::int32_t period, double target);
  void SolveRate(std::int32_t period, double target);
  void SolvePlainRate();

  Currency m_amount;
  double m_annualRate = 0;
  std::int32_t m_balloonPeriod = 0;
  std::int32_t m_term = 0;
  Currency m_payment;
  Currency m_balloonAmount;
  Currency m_totalInterest;
  bool m_inAdvance = false;
  int m_paymentPeriod = 6;
  int m_compounding = 6;
  int m_rateBasis = 0;
  int m_method = 0;
  std::uint8_t m_unknown = kNone;
  bool m_balloonMode = false;
  bool m_calculated = false;

  TequLoan m_loan;
  TequRate m_rate;
  TschSimpleNormalAmort m_schedule;
};

}  // namespace quandrel
