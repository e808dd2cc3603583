#include "core/loans/loan_exception.h"

namespace quandrel {
namespace {

// Codes 719 and up guard results that would otherwise reach the screen as an
// infinity, a NaN or a wrapped integer, and inputs no loan can have.
constexpr CodedMessage kMessages[] = {
    {701, "Unknown Amortization Method."},
    {702, "Infinite term.\rPayment is less than interest."},
    {703,
     "Rate less than '0.00'.\rPayment for term does not cover principal.\rIncrease payment, lengthen term "
     "or\r"
     "reduce the amount of the loan."},
    {704, "Rate exceeds 100%.\r"},
    {705,
     "Rate less than '0.00'.\rPayment for term does not cover principal.\rIncrease payment, lengthen term "
     "or\r"
     "reduce the amount of the loan."},
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
     "Second Mortgage not required.\r\rCash available plus first mortgage is equal\r\r"
     "to or greater than the purchase price."},
    {716,
     "No extra payment paid. 'Extra Amount Paid'\r\rand 'Increase Starts at Period' can't\r\r"
     "be 0 (zero)."},
    {717, "Annual income can't be zero."},
    {718, "No zero values allowed for input."},
    // Ours.
    {719, "Result is out of range."},
    {720, "Negative values aren't allowed for input."},
};

const ErrorFamily<ELoanException> kFamily{kMessages, "Unknown loan equation error."};

}  // namespace

const ErrorFamily<ELoanException>& LoanErrors() {
  return kFamily;
}

void RaiseLoanError(int code) {
  kFamily.Raise(code);
}

}  // namespace quandrel
