#include "core/finance/roi_buffer.h"

#include <gtest/gtest.h>

#include "core/finance/finance_exception.h"
#include "core/shell/shell_fixture.h"

namespace quandrel {
namespace {

namespace f = roi_field;

class ROITest : public ::testing::Test, protected testing::ShellFixture {
 protected:
  TbufROI model{services};

  void Enter(double invested, DayNumber start, double returned, DayNumber end) {
    model.Calculation.SetReal(f::Invested, invested);
    model.Calculation.SetDate(f::StartDate, start);
    model.Calculation.SetReal(f::Returned, returned);
    model.Calculation.SetDate(f::EndDate, end);
  }
  double Result(std::string_view id) const { return model.Calculation.Real(id); }
};

TEST_F(ROITest, PublisherDatesAreTodayAndTomorrow) {
  EXPECT_EQ(model.Calculation.Date(f::StartDate), DateFromDMY(1, 1, 2026));
  EXPECT_EQ(model.Calculation.Date(f::EndDate), DateFromDMY(2, 1, 2026));
  EXPECT_EQ(model.Calculation.Real(f::Invested), 0);
  EXPECT_TRUE(model.Definition().localDefaults.empty());
  EXPECT_TRUE(model.Definition().globalDefaults.empty());
}

TEST_F(ROITest, GainAndReturnWithoutCompounding) {
  struct Case {
    double invested, returned;
    int days;
    double gain, percent, annualized, years;
  };
  const Case cases[] = {
      {1000, 1100, 730, 100, 10, 5, 2},     // two years: 10% is 5% a year
      {1000, 900, 365, -100, -10, -10, 1},  // a loss
      {2000, 2300, 73, 300, 15, 75, 0.2},   // a fifth of a year: 15% is 75% a year
  };
  const DayNumber start = DateFromDMY(1, 1, 2026);
  for (const Case& c : cases) {
    Enter(c.invested, start, c.returned, start + c.days);
    model.Calculate();
    EXPECT_DOUBLE_EQ(Result(f::Gain), c.gain) << c.days;
    EXPECT_NEAR(Result(f::Percentage), c.percent, 1e-9) << c.days;
    EXPECT_NEAR(Result(f::Annualized), c.annualized, 1e-4) << c.days;
    EXPECT_NEAR(Result(f::TotalYears), c.years, 1e-6) << c.days;
  }
}

TEST_F(ROITest, RefusedInputsKeepThePreviousResults) {
  const DayNumber start = DateFromDMY(1, 1, 2026);
  Enter(1000, start, 1100, start + 730);
  model.Calculate();
  struct Case {
    double invested, returned;
    DayNumber end;
    int code;
  };
  const Case cases[] = {
      {1000, 1100, start, 411},    // the same day
      {0, 0, start - 1, 411},      // dates are checked first
      {0, 1100, start + 30, 405},  // nothing invested
      {1000, 0, start + 30, 405},  // nothing returned
  };
  for (const Case& c : cases) {
    Enter(c.invested, start, c.returned, c.end);
    try {
      model.Calculate();
      ADD_FAILURE() << "no error for " << c.code;
    } catch (const EFinanceException& e) {
      EXPECT_EQ(e.Code(), c.code);
    }
    EXPECT_DOUBLE_EQ(Result(f::Gain), 100);
  }
}

TEST_F(ROITest, CopyTextByteForByte) {
  Enter(1000, DateFromDMY(1, 1, 2026), 1100, DateFromDMY(1, 1, 2028));
  model.Calculate();
  model.SetTitle("Return on Investment (ROI) 2");
  const std::string expected =
      "Return on Investment (ROI) 2\r\n"
      "\r\n"
      "Amount Invested?:                             $1,000.00\r\n"
      "Start Date?:                                 01/01/2026\r\n"
      "Amount Returned?:                             $1,100.00\r\n"
      "End Date?:                                   01/01/2028\r\n"
      "Gain or Loss:                                   $100.00\r\n"
      "Percentage Gain or Loss (%):                       10.0\r\n"
      "Annualized Return on Investment (%):                5.0\r\n"
      "Total Years:                                       2.00\r\n";
  EXPECT_EQ(model.CopyText(), expected);

  Enter(1000, DateFromDMY(1, 1, 2026), 900, DateFromDMY(1, 1, 2027));
  model.Calculate();
  const auto lines = model.ReportLines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[3], "\tEnd Date?:                            \t      01/01/2027");
  EXPECT_EQ(lines[4], "\tGain or Loss:                         \t       ($100.00)");
}

TEST_F(ROITest, LastCalculationRoundTripsUnderTheCaptions) {
  Enter(1500, DateFromDMY(3, 2, 2020), 1750, DateFromDMY(3, 2, 2025));
  model.SaveLastCalculation();
  settings.SetCurrentKey("Return on Investment (ROI)");
  EXPECT_EQ(settings.ReadReal("Amount &Invested?:", 0), 1500);
  EXPECT_EQ(settings.ReadDate("End Da&te?:", BadDate), DateFromDMY(3, 2, 2025));
  EXPECT_FALSE(settings.ValueExists("Gain or Loss:"));

  TbufROI other{services};
  ASSERT_TRUE(other.LoadLastCalculation());
  EXPECT_EQ(other.Calculation, model.Calculation);
}

}  // namespace
}  // namespace quandrel
