#include "core/loans/schedule_exception.h"

namespace quandrel {
namespace {

constexpr char kNoMemory[] = "Memory not allocated for schedule.";
constexpr char kUSRule[] = "US Rule set. Compounding cannot occur more frequently than payment.";

// Codes 239 and up are ours: inputs a schedule cannot hold and amounts that
// would leave the number line.
constexpr CodedMessage kMessages[] = {
    {201,
     "Payment amount is too large. Loan is paid off before balloon\ris due. Try a smaller 'Periodic Payment' "
     "amount.\r\rOr total periods are less than the remaining balance\ror balloon due period. Increase "
     "'Initial Periods'."},
    {202, "Canadian amortization method requires semiannual compounding."},
    {203, "Canadian amortization method requires monthly payments."},
    {204, kUSRule},
    {211,
     "Too many unknowns. Enter only one zero.\r\rIf this is a balloon loan, make sure you\r\rare not trying "
     "to "
     "solve for payment amount\r\rand either balloon amount and balloon period.\r\rSee menu {Adjustments} "
     "then "
     "{Balloon details...}\r\rIf this is not a balloon loan, set both to 0."},
    {214, "Period number is either beyond\r\rterm of loan or it is negative."},
    {215, "Unknown Amortization Method."},
    {216,
     "Payment period must be set to 'Monthly'\r\rwhen 'Half Monthly' loan acceleration set.\r\rSee: 'Loan "
     "Acceleration Method' under 'Settings'."},
    {217, kNoMemory},
    {218, "First payment date is earlier than origination date."},
    {219, "Programming error - Transaction record not allocated."},
    {220, "Programming error - Destination cash flow not allocated."},
    {221,
     "Invalid term. Either reduce\r\r'Initial Periods' or 'Payment Period'\r\rCash flow goes beyond 2079\r"},
    {222, "Payment amount must be '0'\r\rMust solve for payment when this\r\ramortizing method is selected."},
    {223,
     "The rate basis must be set to\r\r'Ordinary' for Rule-of-78s loans.\r\rSelect menu choice {Preferences} "
     "and\r\rthen select {Loan Settings} to reset\r\rthe rate basis."},
    {224, "Payment period much equal compounding\r\r period for Rule-of-78s loan."},
    {225, "Internal Programming Error:\r\rPeriods out of sync."},
    {226, "Date is before start of loan."},
    {227, "Period must be set.\r\rOr date must be after origination date."},
    {228,
     "Cannot optimize payments with this\r\ramortizing method selected.\r\rUnder menu choice "
     "{Preferences}\r\r"
     "make sure {Optimize Payments} is not checked."},
    {229, kNoMemory},
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
    // Ours.
    {239, "Invalid term.\r\rA schedule runs from 1 to 32767 periods."},
    {240, "Schedule amount is out of range."},
    {241, "Negative values aren't allowed for input."},
    {242, "Payment period, compounding or rate basis is not one of its choices."},
    {504, kUSRule},
};

const ErrorFamily<EScheduleException> kFamily{kMessages, "Unknown schedule error."};

}  // namespace

const ErrorFamily<EScheduleException>& ScheduleErrors() {
  return kFamily;
}

void RaiseScheduleError(int code) {
  kFamily.Raise(code);
}

}  // namespace quandrel
