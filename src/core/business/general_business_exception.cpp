#include "core/business/general_business_exception.h"

#include <string>

namespace quandrel {
namespace {

// Codes 605 and up guard what would otherwise end in an infinity, a NaN, a
// read outside the inflation table or a negative value of money.
constexpr CodedMessage kMessages[] = {
    {601, "Data file was created with an unsupported version.\r\rOr this is an unrecognized file type."},
    {602, "Period sequence error.\r\rMake sure start period is before last period."},
    {603, "Start period too early.\r\r1960 is earliest allowable year."},
    {604, "Too many unknown values."},
    {605, "End period too late.\r\r2059 is latest allowable year."},
    {606, "Per unit carrying cost can't be zero.\r\rEnter a purchase price and an annual interest rate."},
    {607, "Order cost, annual units, purchase price and interest rate can't be negative."},
    {608, "Value is out of range."},
    {609, "The built-in inflation rates could not be read."},
    {610, "Inflation rates must be greater than -100% and less than 100%."},
};

const ErrorFamily<EGeneralBusinessException> kFamily{kMessages, "Unknown schedule error."};

}  // namespace

const ErrorFamily<EGeneralBusinessException>& GeneralBusinessErrors() {
  return kFamily;
}

void RaiseGeneralBusinessError(int code) {
  kFamily.Raise(code);
}

void RaiseGeneralBusinessError(int code, std::string_view detail) {
  std::string message(kFamily.Message(code));
  message += "\r\r";
  message += detail;
  throw EGeneralBusinessException(code, message);
}

}  // namespace quandrel
