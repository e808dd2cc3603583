#include "core/business/general_business_exception.h"

#include <gtest/gtest.h>

#include <string>

namespace quandrel {
namespace {

TEST(GeneralBusinessErrors, MessagesAreTheFixedTexts) {
  const auto& errors = GeneralBusinessErrors();
  EXPECT_EQ(errors.Message(601),
            "Data file was created with an unsupported version.\r\rOr this is an unrecognized file type.");
  EXPECT_EQ(errors.Message(602), "Period sequence error.\r\rMake sure start period is before last period.");
  EXPECT_EQ(errors.Message(603), "Start period too early.\r\r1960 is earliest allowable year.");
  EXPECT_EQ(errors.Message(604), "Too many unknown values.");
  EXPECT_EQ(errors.Message(600), "Unknown schedule error.");
  EXPECT_EQ(errors.Message(701), "Unknown schedule error.");
}

TEST(GeneralBusinessErrors, RaiseCarriesCodeMessageAndDetail) {
  try {
    RaiseGeneralBusinessError(604);
    FAIL() << "no exception";
  } catch (const EGeneralBusinessException& e) {
    EXPECT_EQ(e.Code(), 604);
    EXPECT_STREQ(e.what(), "Too many unknown values.");
  }
  try {
    RaiseGeneralBusinessError(609, "rates.csv, line 3: the year is not a whole number");
    FAIL() << "no exception";
  } catch (const ECodedError& e) {
    EXPECT_EQ(e.Code(), 609);
    EXPECT_EQ(std::string(e.what()),
              "The built-in inflation rates could not be read.\r\r"
              "rates.csv, line 3: the year is not a whole number");
  }
}

}  // namespace
}  // namespace quandrel
