#include "core/foundation/fin_cf_exception.h"

namespace quandrel {
namespace {

constexpr CodedMessage kMessages[] = {
    {501, "Total periods must be greater than remaining balance period"},
    {502, "Canadian amortization method requires semiannual compounding."},
    {503, "Canadian amortization method requires monthly payments."},
    {504, "US Rule set. Compounding cannot occur more frequently than payment."},
    {507, "Total periods can't be 0..."},
    {509, "Rate can't be zero."},
    {510, "Amount can't be zero."},
    {511, "Too many unknowns..."},
    {512, "Cash flows not initialized correctly."},
    {513, "'Date of Sale' must be later than 'Closing Date.'"},
    {514, "Period number is either beyond\r\rterm of loan or it is negative."},
    {515, ""},
    {516,
     "Payment period must be set to 'Monthly'\r\rwhen 'Half Monthly' loan acceleration set.\r\r"
     "See: 'Loan Acceleration Method' under 'Settings'."},
    {517, "Memory not allocated for schedule."},
    {518, "First payment date is earlier than origination date."},
    {519, "Programming error - Transaction record not allocated."},
    {520, "Programming error - Destination cash flow not allocated."},
    {521,
     "Invalid term. Either reduce\r\r'Initial Periods' or 'Payment Period'\r\r"
     "Cash flow goes beyond 2079\r"},
    {522,
     "Payment amount must be '0'\r\rMust solve for payment when this\r\r"
     "amortizing method is selected."},
    {523,
     "The rate basis must be set to\r\r'Ordinary' for Rule-of-78s loans.\r\r"
     "Select menu choice {Preferences} and\r\rthen select {Loan Settings} to reset\r\r"
     "the rate basis."},
    {524, "Payment period much equal compounding\r\r period for Rule-of-78s loan."},
    {525, "Internal Programming Error:\r\rPeriods out of sync."},
    {526, "Date is before start of loan."},
    {527, "Period must be set.\r\rOr date must be after origination date."},
    {528,
     "Cannot optimize payments with this\r\ramortizing method selected.\r\r"
     "Under menu choice {Preferences}\r\rmake sure {Optimize Payments} is not checked."},
    {529, "Withdrawal amount can't be zero or less."},
    {530, "Total periods can't be 0 or 1..."},
    {531, "Both present value and deposit amount can't be zero."},
    {532, "479 is the maximum number of months property can be owned. Adjust sale date."},
    // Ours: guards of the cash-flow schedules.
    {533, "Starting date is not a valid date."},
    {534, "Schedule would run past 31 December 3999."},
    {535, "Schedule amount is out of range."},
    {536, "Present value can't be negative."},
};

const ErrorFamily<EFinCFException> kFamily{kMessages, "Unknown schedule error."};

}  // namespace

const ErrorFamily<EFinCFException>& FinCFErrors() {
  return kFamily;
}

void RaiseFinCFError(int code) {
  kFamily.Raise(code);
}

}  // namespace quandrel
