#include <gtest/gtest.h>

#include <string>

#include "core/foundation/fin_cf_exception.h"
#include "core/loans/loan_exception.h"
#include "core/loans/schedule_exception.h"

namespace quandrel {
namespace {

struct Entry {
  int code;
  const char* text;
};

TEST(LoanErrors, EveryCodeHasItsFixedText) {
  const std::string notCovered =
      "Rate less than '0.00'.\rPayment for term does not cover principal.\rIncrease payment, lengthen term "
      "or\r"
      "reduce the amount of the loan.";
  const Entry entries[] = {
      {701, "Unknown Amortization Method."},
      {702, "Infinite term.\rPayment is less than interest."},
      {703, notCovered.c_str()},
      {704, "Rate exceeds 100%.\r"},
      {705, notCovered.c_str()},
      {706, "Can't solve for rate.\r"},
      {707, "Rate can't be calculated for this\r\ramortization method."},
      {708, "Too many unknowns. Enter only one Zero value."},
      {709, "Internal Error - calculator class not correctly initialized."},
      {710, "Internal Error - compounding period equals 0."},
      {711, "Amount less than zero."},
      {712, "Term less than zero."},
      {713, "Can't calc for loan amount when 'Fixed Principal' method is selected."},
      {714, "Accelerated Payment Calculator does not support 'Rule-of-78s'"},
      {715,
       "Second Mortgage not required.\r\rCash available plus first mortgage is equal\r\rto or greater than "
       "the "
       "purchase price."},
      {716,
       "No extra payment paid. 'Extra Amount Paid'\r\rand 'Increase Starts at Period' can't\r\rbe 0 (zero)."},
      {717, "Annual income can't be zero."},
      {718, "No zero values allowed for input."},
      {719, "Result is out of range."},
      {720, "Negative values aren't allowed for input."},
      {700, "Unknown loan equation error."},
      {721, "Unknown loan equation error."},
  };
  for (const Entry& e : entries) {
    EXPECT_EQ(LoanErrors().Message(e.code), e.text) << e.code;
  }
  try {
    RaiseLoanError(702);
    FAIL() << "no exception";
  } catch (const ELoanException& e) {
    EXPECT_EQ(e.Code(), 702);
    EXPECT_STREQ(e.what(), "Infinite term.\rPayment is less than interest.");
  }
}

TEST(ScheduleErrors, EveryCodeHasItsFixedText) {
  const char* noMemory = "Memory not allocated for schedule.";
  const char* usRule = "US Rule set. Compounding cannot occur more frequently than payment.";
  const Entry entries[] = {
      {201,
       "Payment amount is too large. Loan is paid off before balloon\ris due. Try a smaller 'Periodic "
       "Payment' "
       "amount.\r\rOr total periods are less than the remaining balance\ror balloon due period. Increase "
       "'Initial Periods'."},
      {202, "Canadian amortization method requires semiannual compounding."},
      {203, "Canadian amortization method requires monthly payments."},
      {204, usRule},
      {211,
       "Too many unknowns. Enter only one zero.\r\rIf this is a balloon loan, make sure you\r\rare not "
       "trying "
       "to solve for payment amount\r\rand either balloon amount and balloon period.\r\rSee menu "
       "{Adjustments} "
       "then {Balloon details...}\r\rIf this is not a balloon loan, set both to 0."},
      {214, "Period number is either beyond\r\rterm of loan or it is negative."},
      {215, "Unknown Amortization Method."},
      {216,
       "Payment period must be set to 'Monthly'\r\rwhen 'Half Monthly' loan acceleration set.\r\rSee: 'Loan "
       "Acceleration Method' under 'Settings'."},
      {217, noMemory},
      {218, "First payment date is earlier than origination date."},
      {219, "Programming error - Transaction record not allocated."},
      {220, "Programming error - Destination cash flow not allocated."},
      {221,
       "Invalid term. Either reduce\r\r'Initial Periods' or 'Payment Period'\r\rCash flow goes beyond "
       "2079\r"},
      {222,
       "Payment amount must be '0'\r\rMust solve for payment when this\r\ramortizing method is selected."},
      {223,
       "The rate basis must be set to\r\r'Ordinary' for Rule-of-78s loans.\r\rSelect menu choice "
       "{Preferences} "
       "and\r\rthen select {Loan Settings} to reset\r\rthe rate basis."},
      {224, "Payment period much equal compounding\r\r period for Rule-of-78s loan."},
      {225, "Internal Programming Error:\r\rPeriods out of sync."},
      {226, "Date is before start of loan."},
      {227, "Period must be set.\r\rOr date must be after origination date."},
      {228,
       "Cannot optimize payments with this\r\ramortizing method selected.\r\rUnder menu choice "
       "{Preferences}\r\rmake sure {Optimize Payments} is not checked."},
      {229, noMemory},
      {230, "Can't calculate after 1000 tries.\r\rSuggest adjusting one value slightly.\r\rThen try again."},
      {231, "Initial interest only periods not supported\r\rwhen there is a balloon payment due."},
      {232,
       "No unknowns. Enter '0' for unknown.\r\rOr select {Force payment calculation} on {Preferences} menu."},
      {233, "Buffer class not initialized."},
      {234, "Invalid term.\r\rCan't solve for fixed principal \r\rpayment amount when term is 0."},
      {235,
       "Balloon amortization schedules\r\rsupported only when 'Normal' or 'Canadian'\r\ramortizing method is "
       "selected."},
      {236, "Payment not optimized. Max tries exceeded."},
      {237, "'Rule-of-78s' does not support\r\reither adjustable rates or extra payments."},
      {238, "Balloon amount too low.\r\rBalloon needs to be greater than a payment."},
      {239, "Invalid term.\r\rA schedule runs from 1 to 32767 periods."},
      {240, "Schedule amount is out of range."},
      {241, "Negative values aren't allowed for input."},
      {242, "Payment period, compounding or rate basis is not one of its choices."},
      {504, usRule},
      {205, "Unknown schedule error."},
      {503, "Unknown schedule error."},
  };
  for (const Entry& e : entries) {
    EXPECT_EQ(ScheduleErrors().Message(e.code), e.text) << e.code;
  }
  // 504 reads as the cash-flow family's 504.
  EXPECT_EQ(ScheduleErrors().Message(504), FinCFErrors().Message(504));
  EXPECT_THROW(RaiseScheduleError(230), EScheduleException);
  EXPECT_THROW(RaiseScheduleError(230), std::exception);
}

}  // namespace
}  // namespace quandrel
