#pragma once

// Values typed on the command line: plain C-locale numbers ("1234.5",
// "-30"), dates as yyyy-mm-dd or mm/dd/yyyy, choices by item text or by
// zero-based position, check boxes as Yes/No. A number must fit the field's
// designed mask (its whole digits, decimals and sign) and an integer the
// field's range, as the window's entry field would insist.

#include <optional>
#include <span>
#include <string_view>

#include "core/foundation/global_types.h"
#include "core/shell/calculation_record.h"
#include "core/shell/field_table.h"

namespace quandrel {

// A plain number: an optional sign, digits, an optional point and decimals
// (no exponent, no separators, no currency symbol); nothing otherwise.
std::optional<double> ParsePlainNumber(std::string_view text);

// yyyy-mm-dd or mm/dd/yyyy (one or two digits for the month and day, four
// for the year), a date of the calendar 1600 to 3999; nothing otherwise.
std::optional<DayNumber> ParseCommandLineDate(std::string_view text);

// A date as ISO text (yyyy-mm-dd); empty for a bad date.
std::string IsoDateText(DayNumber day);

// A choice whose two items are No/Yes or False/True: a check box.
bool IsCheckBox(const FieldSpec& field);

// The position of a typed choice: an item text (case, blanks and
// punctuation ignored), a zero-based position, or for a check box
// Yes/No/True/False. EUsageError naming the items otherwise.
std::int32_t ParseChoice(std::span<const std::string_view> items, bool checkBox, std::string_view text);

// Checks a number against a designed mask: whole digits, decimals and sign.
// An empty text when it fits, otherwise why not.
std::string CheckAgainstMask(std::string_view typed, double value, std::string_view mask);

// The field's value from the typed text. EUsageError with the reason (the
// caller adds which field) when it does not parse or does not fit.
FieldValue ParseFieldValue(const FieldSpec& field, std::string_view text);

}  // namespace quandrel
