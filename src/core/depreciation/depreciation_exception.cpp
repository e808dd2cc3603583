#include "core/depreciation/depreciation_exception.h"

namespace quandrel {
namespace {

// Codes 316 and up guard inputs that would otherwise produce a schedule of
// garbage or one too long to hold.
constexpr CodedMessage kMessages[] = {
    {301, "Too many zero values."},
    {302, "Salvage value must be less than book value."},
    {303, "Depreciation is not calculated."},
    {304, "Recovery period must be either full year or 1/2 year."},
    {305, "'Business Use' must be between 1% and 100% inclusive."},
    {306, "'Acceleration Percentage' must be equal to or greater than 100%."},
    {308, "179 deduction must be less than book value."},
    {309, "Data file was created with an unsupported version.\r\rOr this is an unrecognized file type."},
    {310, "There is no special consideration for electric \r\rvehicles before this date 08/05/97"},
    {311, "auto.bin file is missing\r\r or it is corrupted."},
    {312, "Invalid amount or internal rounding error."},
    {313, "Business use must exceed 50% if 179 deduction is claimed."},
    {314,
     "There is no special consideration for Qualified or \r\rLiberty Zone assets before this date 09/12/01"},
    {315, "Invalid period specified."},
    {316, "Date is not a valid calendar date."},
    {317, "The depreciation schedule would run past the year 9999."},
};

const ErrorFamily<EDepreciation> kFamily{kMessages, "Unknown error in depreciation unit."};

}  // namespace

const ErrorFamily<EDepreciation>& DepreciationErrors() {
  return kFamily;
}

void RaiseDepreciationError(int code) {
  kFamily.Raise(code);
}

}  // namespace quandrel
