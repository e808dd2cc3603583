#include "core/advisors/advisor_exception.h"

namespace quandrel::advisor {
namespace {

// The pieces of 103 and 104 are divided by LF CR LF CR. Code 125 guards money that would otherwise overflow
// or end in an infinity or a NaN on screen.
constexpr CodedMessage kMessages[] = {
    {102, "Purchase and Lease frequency must be equal."},
    {103,
     "Too many years for either finance or lease term.\n\r\n\r"
     "Term cannot exceed 31 years.\n\r\n\r"
     "Reduce the number of payments and/or increase the frequency.\n\r\n\r"
     "For example: increasing the frequency from monthly to weekly\n\r\n\r"
     "will reduce the number of years."},
    {104,
     "Too many periods for either finance or lease term.\n\r\n\r"
     "Term cannot exceed 373 periods.\n\r\n\r"
     "Reduce the number of payments."},
    {105, "Purchase price can't be Zero."},
    {106, "Purchase price must be greater than down payment"},
    {107, "Purchase interest rate can't be Zero."},
    {108, "Number of purchase payment periods can't be Zero."},
    {109,
     "Since this asset is to be depreciated,\r\ra value for its useful life must be entered.\r\rPlease "
     "correct.\r"},
    {110, "Loan amount can't be zero."},
    {111, "Number of payments or term can't be zero."},
    {112, "Rate must be greater than zero."},
    {113, "'Property Sold After' must be greater than zero."},
    {114, "Original mortgage over maximum number of years."},
    {115, "Possible mortgage over maximum number of years."},
    {116, "Each loan must be for same periods per year."},
    {117, "No Zero Values allowed."},
    {118, "No Zero Values allowed."},
    {119, "No Zero Values allowed."},
    {120, "No Zero Values allowed."},
    {121, "'Property will be sold after? (Yrs):' can't be zero."},
    {122, "'Selling Price' must be greater than total of component costs"},
    {123, "Programming error - Transaction record not allocated."},
    {124, "Version Mismatch"},
    {125, "Value is out of range."},
};

const ErrorFamily<EAdvisorException> kFamily{kMessages, "Unknown 'Advisor' error."};

}  // namespace

const ErrorFamily<EAdvisorException>& AdvisorErrors() {
  return kFamily;
}

void RaiseAdvisorError(int code) {
  kFamily.Raise(code);
}

}  // namespace quandrel::advisor
