#include "core/finance/finance_exception.h"

#include <gtest/gtest.h>

namespace quandrel {
namespace {

TEST(FinanceErrors, MessagesAreTheFixedTexts) {
  const auto& errors = FinanceErrors();
  EXPECT_EQ(errors.Message(401), "Rounding Error.");
  EXPECT_EQ(errors.Message(402), "");
  EXPECT_EQ(errors.Message(404), "'Term' can't be zero.\n\r\n\r'Total Periods' can't be zero.");
  EXPECT_EQ(errors.Message(409), "Too many unknowns. Enter only one Zero value.");
  EXPECT_EQ(errors.Message(412),
            "Data file was created with an unsupported version.\r\rOr unrecognized file type.");
  EXPECT_EQ(errors.Message(413),
            "The above 'Guess' is not close enough.\r\rEither enter a different 'Guess' or \r"
            "enter zero as a 'Guess' so Quandrel!\rcan provide the guess.");
  EXPECT_EQ(errors.Message(415), "Yield calculation out of range.\r");
  EXPECT_EQ(errors.Message(422), "APY Undefined. Term and PV can't be '0'.");
  EXPECT_EQ(errors.Message(400), "Unknown schedule error.");
  EXPECT_EQ(errors.Message(999), "Unknown schedule error.");
}

TEST(FinanceErrors, RaiseCarriesCodeAndMessage) {
  try {
    RaiseFinanceError(407);
    FAIL() << "no exception";
  } catch (const EFinanceException& e) {
    EXPECT_EQ(e.Code(), 407);
    EXPECT_STREQ(e.what(), "Rate can't be zero.");
  }
  // Every family derives from the standard exception class.
  EXPECT_THROW(RaiseFinanceError(410), std::exception);
}

}  // namespace
}  // namespace quandrel
