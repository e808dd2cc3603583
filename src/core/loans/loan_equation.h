#pragma once

// TequLoan: the four-variable loan. Amount, number of periods, periodic rate
// and periodic payment; the one entered as zero is solved from the other
// three, and the total interest follows.
//
// Money is on the four-decimal scale (Currency); rates are periodic decimal
// fractions (0.005 for 0.5% a period). Amortizing methods: 0 Normal,
// 1 Canadian, 2 Fixed Principal, 3 Interest Only, 4 No Interest, 5 Rule of
// 78's; for Fixed Principal the payment is the first payment.

#include <cstdint>

#include "core/finance/value_equations.h"
#include "core/foundation/global_types.h"

namespace quandrel {

class TequLoan {
 public:
  enum UnknownCode : std::uint8_t { kNone = 0, kAmount = 1, kTerm = 2, kRate = 3, kPayment = 4 };

  // Stores the inputs and returns the unknown: the input that is zero (an
  // amount or payment below 0.01 in magnitude, a term or rate of 0; with
  // No Interest the rate is stored as 0 and is never the unknown). Two zeros
  // raise 708; a method above 5 raises 701. With no zero the previous
  // unknown stays, so the next Calculate solves for it again.
  int SetInputs(std::int32_t term, bool inAdvance, int method, Currency payment, double periodicRate,
                Currency amount);

  // Solves for the unknown (finance error 418 when there is none) and sets
  // the total interest. Negative inputs are refused (711 amount, 712 term,
  // 720 rate or payment). On failure the other fields stay as loaded.
  void Calculate();

  // Each runs Calculate first when the results are not current.
  Currency Amount();
  std::int32_t Term();
  double PeriodicRate();
  Currency Payment();
  Currency TotalInterest();

  // The unrounded number of periods when the term was solved, else the term.
  double TermReal() const { return m_termReal; }
  bool InAdvance() const { return m_inAdvance; }
  int Method() const { return m_method; }
  int Unknown() const { return m_unknown; }
  bool Calculated() const { return m_calculated; }

  // Store a value; the results stop being current only when it changed.
  void SetTerm(std::int32_t term);
  void SetAmount(Currency amount);
  void SetUnknown(int unknown) { m_unknown = static_cast<std::uint8_t>(unknown); }

  // Payment periods per year behind the first guess of the rate search (12
  // until the caller sets its payment period's count).
  std::int32_t RateGuessPeriods = 12;

  // The level payment that repays amount in n periods at rate i, rounded to
  // cents; at a zero rate amount / n. Raises 711 for a negative amount, 712
  // for a negative term, 703 for a negative rate and 718 for a zero term.
  static Currency LevelPayment(std::int32_t n, double i, Currency amount);

  // The closed forms behind Calculate, by payment timing.
  static Currency PaymentInArrears(std::int32_t n, int method, double i, Currency amount);
  static Currency PaymentInAdvance(std::int32_t n, int method, double i, Currency amount);
  static Currency AmountInArrears(std::int32_t n, int method, double i, Currency payment);
  static Currency AmountInAdvance(std::int32_t n, int method, double i, Currency payment);
  // The real number of periods; 702 when the payment never repays the loan.
  static Extended TermInArrears(int method, double i, Currency payment, Currency amount);
  static Extended TermInAdvance(int method, double i, Currency payment, Currency amount);

 private:
  double SolveRate();
  void EnsureCalculated();

  Currency m_amount;
  double m_periodicRate = 0;
  double m_termReal = 0;
  std::int32_t m_term = 0;
  Currency m_payment;
  bool m_inAdvance = false;
  std::uint8_t m_method = 0;
  Currency m_totalInterest;
  std::uint8_t m_unknown = kNone;
  bool m_calculated = false;
  TequFV m_fvEquation;
};

}  // namespace quandrel
