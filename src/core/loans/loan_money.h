#pragma once

// Money rules of the loan equations and schedules: the four-decimal money
// scale and rounding to cents through decimal text.

#include "core/foundation/global_types.h"

namespace quandrel {

// x rounded to 2 decimals as its decimal text reads, halves away from zero.
// The text is the 15 significant digits a real is shown with, so a payment
// computed as 193.32499999999999 (the binary neighbour of 193.325) is a half
// and rounds to 193.33. Magnitudes of 1e15 and above, which carry no cents,
// come back unchanged; a value that is not finite comes back unchanged too
// (callers check their results with LoanMoney or their own guard).
Extended RoundMoney(Extended x);
// The same rule on the exact four-decimal scale: 193.3250 is 193.33.
Currency RoundMoney(Currency x);

// A real on the money scale (nearest 1/10000, halves to even). A value that
// is not finite or does not fit raises loan error 719.
Currency LoanMoney(Extended x);

}  // namespace quandrel
