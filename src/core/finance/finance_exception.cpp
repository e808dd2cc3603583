#include "core/finance/finance_exception.h"

namespace quandrel {
namespace {

// Codes 423 and up guard arithmetic that would otherwise end in an infinity or
// a NaN on screen.
constexpr CodedMessage kMessages[] = {
    {401, "Rounding Error."},
    {402, ""},
    {403, ""},
    {404, "'Term' can't be zero.\n\r\n\r'Total Periods' can't be zero."},
    {405, "PV or Amount can't be zero."},
    {406, "Future Value (FV) can't be zero."},
    {407, "Rate can't be zero."},
    {408, "Cash flows can't all be zero."},
    {409, "Too many unknowns. Enter only one Zero value."},
    {410, "Sorry, can't derive IRR."},
    {411, "Ending date is earlier than starting date."},
    {412, "Data file was created with an unsupported version.\r\rOr unrecognized file type."},
    {413,
     "The above 'Guess' is not close enough.\r\rEither enter a different 'Guess' or \r"
     "enter zero as a 'Guess' so Quandrel!\rcan provide the guess."},
    {414, "Invalid period. Out of range error.\r\rRequested period does not exist."},
    {415, "Yield calculation out of range.\r"},
    {416, "Yield can't be zero.\r"},
    {417, "Discount rate can't be zero.\r"},
    {418, "No unknowns. Enter a Zero for unknown value."},
    {419, "Dates out of sequence."},
    {420,
     "Illegal zero value or too many zero values entered.\r\r"
     "Current Price and Yield-to-Maturity (or Discount Rate) can't both be zero.\r\r"
     "Also, make sure Coupon Rate, Annual Rate, Call Price and/or Redemption Value aren't zero."},
    {421, "T-bill term cannot exceed one year."},
    {422, "APY Undefined. Term and PV can't be '0'."},
    {423, "Zero can't be raised to a negative power."},
    {424, "A negative number can't be raised to a fractional power."},
    {425, "Rate can't be -100% or less per period."},
    {426, "Date is not a valid calendar date."},
    {427, "Result is out of range."},
    {428, "Number of days is out of range.\r\rThe dates can be at most 32,767 days apart."},
};

const ErrorFamily<EFinanceException> kFamily{kMessages, "Unknown schedule error."};

}  // namespace

const ErrorFamily<EFinanceException>& FinanceErrors() {
  return kFamily;
}

void RaiseFinanceError(int code) {
  kFamily.Raise(code);
}

}  // namespace quandrel
