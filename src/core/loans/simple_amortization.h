#pragma once

// The simple amortization schedules: one amount, one rate, one payment and one
// term, one undated row per period. They serve the balloon searches, the
// remaining-balance calculator and the advisors.
//
// TschSimpleBaseAmort holds the inputs, the readers and the last-row
// adjustment; each amortizing method supplies BuildRows:
//   TschSimpleNormalAmort     level payments ("Normal")
//   TschSimpleCanadianAmort   level payments, semiannual compounding and
//                             monthly payments required
//   TschSimpleIntOnlyAmort    interest only, the principal left to the end
//   TschSimpleFixPrinAmort    the same principal every period
//   TschSimpleRules78Amort    the finance charge split by the Rule of 78
//
// Interest of one period is the future value of the balance after one period
// rounded by the cents rule, less the balance. A build either completes or
// leaves the previous rows as they were.

#include <cstdint>

#include "core/foundation/global_types.h"
#include "core/loans/base_amortization.h"

namespace quandrel {

// One period of a simple schedule.
struct TAmortRow {
  std::int16_t Year = 0;    // Period div payments per year; 0 in Rule of 78 rows
  std::int32_t Period = 0;  // from 1 (Rule of 78 adds a row 0)
  double Payment = 0;
  double LoanAdvance = 0;  // the amount lent, in the first row of a Normal or Canadian schedule
  double Principal = 0;
  double Interest = 0;
  double Balance = 0;         // after the payment
  Extended AnnualRate = 0;    // decimal
  Extended PeriodicRate = 0;  // as the rate conversion gives it (a daily rate for the Actual bases)
  double CumPayments = 0;
  double CumPrincipal = 0;
  double CumInterest = 0;

  friend bool operator==(const TAmortRow&, const TAmortRow&) = default;
};

// The longest simple schedule: its term is a 16-bit count of periods.
inline constexpr std::int32_t kMaxSimpleTerm = 32767;

class TschSimpleBaseAmort : public TschBaseAmort<TAmortRow> {
 public:
  // Adjust modes: leave the final balance, settle it in the last payment, or
  // (for a balance left over) settle it by reducing the last interest.
  static constexpr int kLeaveBalance = 0;
  static constexpr int kAdjustPayment = 1;
  static constexpr int kReduceInterest = 2;
  // The initial-charge mode that adds the charge to the first payment as
  // interest; any other mode finances it (adds it to the opening balance).
  static constexpr int kChargeWithFirst = 2;

  // The discount rate, in percent, of InterestPresentValue.
  double DiscountRate = 0;

  // Stores the inputs. paymentPeriod 1..10, compounding 0..11, rateBasis 0..5
  // (else 242); method 0..5 (else 215); term 1..32767 (else 239); amounts and
  // rate finite (else 240); with usRule, compounding more often than payments
  // raises 204. The annual rate is decimal (0.085 for 8.5%). A failed call
  // leaves the previous inputs in place.
  virtual void SetInputs(std::int32_t term, int paymentPeriod, double initialCharge, bool usRule,
                         int adjustMode, int initialChargeMode, int rateBasis, bool inAdvance, int method,
                         int compounding, double annualRate, double payment, double amount);

  void AdjustLastRow() override;
  double LastBalance() const override;
  std::int32_t LastPeriod() const override;
  // BuildRows, FinalBalance := LastBalance, AdjustLastRow; then the totals.
  void Generate() override;

  // Row readers, k from 0. Out of range: 201 for these ...
  double InterestAt(int k) const override;
  double CumInterestAt(int k) const override;
  double CumPaymentsAt(int k) const override;
  double CumPrincipalAt(int k) const override;
  double BalanceAt(int k) const;
  // ... and 214 for these.
  double PaymentAt(int k) const override;
  double PrincipalAt(int k) const override;

  // The present value, at DiscountRate with the schedule's payment period,
  // compounding and basis, of the interest of rows 0..k as a series of
  // payments one period apart starting today (the first at the end of the
  // first period). A discount rate of 0 gives the plain sum. 201 for k out of
  // range; the present-value schedule's errors otherwise.
  Extended InterestPresentValue(int k) const;

  double Amount() const { return m_amount; }
  double Payment() const { return m_payment; }
  double AnnualRate() const { return m_annualRate; }
  std::int16_t Term() const { return m_term; }
  int AdjustMode() const { return m_adjustMode; }
  int Method() const { return m_method; }
  int Compounding() const { return m_compounding; }
  int PaymentPeriod() const { return m_paymentPeriod; }
  bool InAdvance() const { return m_inAdvance; }
  int InitialChargeMode() const { return m_initialChargeMode; }
  int RateBasis() const { return m_rateBasis; }
  bool USRule() const { return m_usRule; }
  double InitialCharge() const { return m_initialCharge; }

  double FinalBalance() const { return m_finalBalance; }  // before AdjustLastRow
  double TotalInterest() const { return m_totalInterest; }
  std::int16_t LastYear() const { return m_lastYear; }

 protected:
  // The rate of one payment period at the schedule's inputs.
  Extended RowPeriodicRate();
  // One period's interest on a balance at the periodic rate i.
  double PeriodInterest(double balance, Extended i);
  // A row ready to fill: period, year, rates.
  TAmortRow StartRow(std::int32_t period, Extended i) const;
  // Carries the cumulative fields from the previous row (none for the first)
  // and refuses amounts that left the number line (240).
  static void Accumulate(TAmortRow& row, const TAmortRow* previous);
  // Hands a finished build over to Rows, keeping the old storage for the next.
  void CommitRows(RowList& built);

  RowList m_built;  // storage of the next build

 private:
  const TAmortRow& RowAt(int k, int errorCode) const;

  double m_amount = 0;
  double m_payment = 0;
  double m_annualRate = 0;
  std::int16_t m_term = 1;
  int m_adjustMode = 0;
  int m_method = 0;
  int m_compounding = 6;
  int m_paymentPeriod = 6;
  bool m_inAdvance = false;
  int m_initialChargeMode = 0;
  int m_rateBasis = 0;
  bool m_usRule = false;
  double m_initialCharge = 0;

  double m_finalBalance = 0;
  double m_totalInterest = 0;
  std::int16_t m_lastYear = 0;
};

class TschSimpleNormalAmort : public TschSimpleBaseAmort {
 public:
  void BuildRows() override;
};

class TschSimpleCanadianAmort : public TschSimpleNormalAmort {
 public:
  // Requires semiannual compounding (else 202) and monthly payments (else 203).
  void SetInputs(std::int32_t term, int paymentPeriod, double initialCharge, bool usRule, int adjustMode,
                 int initialChargeMode, int rateBasis, bool inAdvance, int method, int compounding,
                 double annualRate, double payment, double amount) override;
};

class TschSimpleIntOnlyAmort : public TschSimpleBaseAmort {
 public:
  void BuildRows() override;
};

class TschSimpleFixPrinAmort : public TschSimpleBaseAmort {
 public:
  // Also sets PrincipalPerPeriod: amount / term rounded to cents.
  void SetInputs(std::int32_t term, int paymentPeriod, double initialCharge, bool usRule, int adjustMode,
                 int initialChargeMode, int rateBasis, bool inAdvance, int method, int compounding,
                 double annualRate, double payment, double amount) override;
  void BuildRows() override;

  double PrincipalPerPeriod() const { return m_principalPerPeriod; }

 private:
  double m_principalPerPeriod = 0;
};

class TschSimpleRules78Amort : public TschSimpleBaseAmort {
 public:
  void BuildRows() override;
};

}  // namespace quandrel
