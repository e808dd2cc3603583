#include "core/advisors/advisor_exception.h"

#include <gtest/gtest.h>

namespace quandrel::advisor {
namespace {

TEST(AdvisorErrors, MessagesAreTheFixedTexts) {
  const auto& errors = AdvisorErrors();
  EXPECT_EQ(errors.Message(102), "Purchase and Lease frequency must be equal.");
  EXPECT_EQ(
      errors.Message(103),
      "Too many years for either finance or lease term.\n\r\n\rTerm cannot exceed 31 years.\n\r\n\r"
      "Reduce the number of payments and/or increase the frequency.\n\r\n\r"
      "For example: increasing the frequency from monthly to weekly\n\r\n\rwill reduce the number of years.");
  EXPECT_EQ(
      errors.Message(104),
      "Too many periods for either finance or lease term.\n\r\n\rTerm cannot exceed 373 periods.\n\r\n\r"
      "Reduce the number of payments.");
  EXPECT_EQ(errors.Message(106), "Purchase price must be greater than down payment");
  EXPECT_EQ(errors.Message(109),
            "Since this asset is to be depreciated,\r\ra value for its useful life must be entered.\r\r"
            "Please correct.\r");
  for (int code = 117; code <= 120; ++code) {
    EXPECT_EQ(errors.Message(code), "No Zero Values allowed.") << code;
  }
  EXPECT_EQ(errors.Message(121), "'Property will be sold after? (Yrs):' can't be zero.");
  EXPECT_EQ(errors.Message(122), "'Selling Price' must be greater than total of component costs");
  EXPECT_EQ(errors.Message(124), "Version Mismatch");
  EXPECT_EQ(errors.Message(101), "Unknown 'Advisor' error.");
  EXPECT_EQ(errors.Message(601), "Unknown 'Advisor' error.");
}

TEST(AdvisorErrors, RaiseCarriesCodeAndMessage) {
  try {
    RaiseAdvisorError(122);
    FAIL() << "no exception";
  } catch (const EAdvisorException& e) {
    EXPECT_EQ(e.Code(), 122);
    EXPECT_STREQ(e.what(), "'Selling Price' must be greater than total of component costs");
  }
  EXPECT_THROW(RaiseAdvisorError(110), ECodedError);
}

}  // namespace
}  // namespace quandrel::advisor
