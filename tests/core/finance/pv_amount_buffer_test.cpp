#include "core/finance/pv_amount_buffer.h"

#include <gtest/gtest.h>

#include "core/finance/finance_exception.h"
#include "core/shell/shell_fixture.h"

namespace quandrel {
namespace {

namespace f = pv_amount_field;

constexpr int kActual360 = 0;
constexpr int kActual365 = 1;

class PVAmountTest : public ::testing::Test, protected testing::ShellFixture {
 protected:
  TbufPVAmount model{services};

  void Enter(double fv, int days, double rate, int compounding, int basis) {
    model.Calculation.SetReal(f::FutureValue, fv);
    model.Calculation.SetInteger(f::Days, days);
    model.Calculation.SetReal(f::Rate, rate);
    model.Calculation.SetChoice(f::Compounding, compounding);
    model.Calculation.SetChoice(f::RateBasis, basis);
  }
  double Result(std::string_view id) const { return model.Calculation.Real(id); }

  int CodeOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const EFinanceException& e) {
      return e.Code();
    }
    return 0;
  }
};

TEST_F(PVAmountTest, PublisherValues) {
  const TCalculationRecord& r = model.Calculation;
  EXPECT_EQ(r.Date(f::PresentDate), DateFromDMY(1, 1, 2026));
  EXPECT_EQ(r.Date(f::FutureDate), DateFromDMY(2, 1, 2026));
  EXPECT_EQ(r.ChoiceText(f::Compounding), "Every 4 Weeks");
  EXPECT_EQ(r.ChoiceText(f::RateBasis), "Actual/360");
  EXPECT_EQ(model.Options.localDefaults.ChoiceText(f::DefaultCompounding), "Every 4 Weeks");
}

TEST_F(PVAmountTest, DiscountsTheFutureValue) {
  struct Case {
    int days;
    double rate;
    int compounding, basis;
    double pv, years;
  };
  const Case cases[] = {
      // A year at 5% compounded annually: 1000 / 1.05.
      {365, 5, compounding::Annually, kActual365, 952.380952381, 1},
      // 12% monthly over 365 days on Actual/365: 1000 / 1.01^12.
      {365, 12, compounding::Monthly, kActual365, 887.449225265, 1},
      // Simple on Actual/360: 1000 / (1 + 0.08 * 90 / 360).
      {90, 8, compounding::Simple, kActual360, 980.392156863, 90.0 / 365},
      // Continuous: 1000 * 2.718281828^(-0.05).
      {365, 5, compounding::Continuous, kActual365, 951.229424509, 1},
      // Negative days carry the amount forward.
      {-365, 5, compounding::Annually, kActual365, 1050, -1},
  };
  for (const Case& c : cases) {
    Enter(1000, c.days, c.rate, c.compounding, c.basis);
    model.Calculate();
    EXPECT_NEAR(Result(f::PresentValue), c.pv, 1e-6) << c.days << " " << c.compounding;
    EXPECT_NEAR(Result(f::TotalYears), c.years, 1e-6) << c.days << " " << c.compounding;
  }
}

TEST_F(PVAmountTest, ZeroDaysOrRateGiveTheFutureValue) {
  Enter(1000, 730, 5, compounding::Annually, kActual365);
  model.Calculate();
  ASSERT_NEAR(Result(f::TotalYears), 2, 1e-6);
  for (auto [days, rate] : {std::pair{0, 5.0}, std::pair{365, 0.0}, std::pair{365, 0.00005}}) {
    Enter(2500, days, rate, compounding::Monthly, kActual360);
    model.Calculate();
    EXPECT_EQ(Result(f::PresentValue), 2500) << days << " " << rate;
    EXPECT_NEAR(Result(f::TotalYears), 2, 1e-6) << "the total years keep their value";
  }
}

TEST_F(PVAmountTest, RefusedInputs) {
  Enter(0.00001, 365, 5, compounding::Monthly, kActual360);
  EXPECT_EQ(CodeOf([&] { model.Calculate(); }), 406);
  Enter(1000, 40000, 5, compounding::Monthly, kActual360);
  EXPECT_EQ(CodeOf([&] { model.Calculate(); }), 428);
  Enter(1000, 30, 5, compounding::Monthly, 2);
  EXPECT_THROW(model.Calculate(), std::out_of_range);
}

TEST_F(PVAmountTest, DaysAndDatesFollowEachOther) {
  TCalculationRecord& r = model.Calculation;
  const DayNumber present = DateFromDMY(1, 3, 2026);
  const DayNumber future = DateFromDMY(31, 3, 2026);
  struct Case {
    int days;
    DayNumber expectPresent, expectFuture;
  };
  const Case cases[] = {
      {45, present, present + 45},  // the future value date moves
      {-30, future - 30, future},   // the present value date moves back
      {0, present, future},         // nothing changes
  };
  for (const Case& c : cases) {
    r.SetDate(f::PresentDate, present);
    r.SetDate(f::FutureDate, future);
    r.SetInteger(f::Days, c.days);
    EXPECT_TRUE(model.DaysChanged());
    EXPECT_EQ(r.Date(f::PresentDate), c.expectPresent) << c.days;
    EXPECT_EQ(r.Date(f::FutureDate), c.expectFuture) << c.days;
  }
  // A count that would leave the calendar changes nothing.
  r.SetDate(f::PresentDate, DateFromDMY(1, 1, 3999));
  r.SetInteger(f::Days, 30000);
  EXPECT_FALSE(model.DaysChanged());
  EXPECT_EQ(r.Date(f::FutureDate), future);

  // Dates give the days, in 16 bits or not at all.
  r.SetDate(f::PresentDate, DateFromDMY(15, 1, 2024));
  r.SetDate(f::FutureDate, DateFromDMY(15, 3, 2024));
  model.DateChanged();
  EXPECT_EQ(r.Integer(f::Days), 60);  // 2024 is a leap year
  r.SetDate(f::FutureDate, DateFromDMY(15, 3, 2023));
  model.DateChanged();
  EXPECT_EQ(r.Integer(f::Days), -306);
  // 32,767 days is the most either way; one more would wrap to -32,768.
  r.SetDate(f::PresentDate, DateFromDMY(1, 1, 2000));
  r.SetDate(f::FutureDate, DateFromDMY(1, 1, 2000) + 32767);
  model.DateChanged();
  EXPECT_EQ(r.Integer(f::Days), 32767);
  r.SetDate(f::FutureDate, DateFromDMY(1, 1, 2000) + 32768);
  EXPECT_EQ(CodeOf([&] { model.DateChanged(); }), 428);
  EXPECT_EQ(r.Integer(f::Days), 32767);
  r.SetDate(f::FutureDate, DateFromDMY(1, 1, 2000) - 40000);
  EXPECT_EQ(CodeOf([&] { model.DateChanged(); }), 428);
  // An invalid date recomputes nothing.
  r.SetDate(f::FutureDate, BadDate);
  EXPECT_NO_THROW(model.DateChanged());
  EXPECT_EQ(r.Integer(f::Days), 32767);
}

TEST_F(PVAmountTest, CopyTextByteForByte) {
  Enter(1000, 365, 5, compounding::Annually, kActual365);
  model.Calculation.SetDate(f::PresentDate, DateFromDMY(1, 1, 2026));
  model.Calculation.SetDate(f::FutureDate, DateFromDMY(1, 1, 2027));
  model.Calculate();
  model.SetTitle("Present Value of an Amount Calculator 1");
  const std::string expected =
      "Present Value of an Amount Calculator 1\r\n"
      "\r\n"
      "Future Value?:                  $1,000.00\r\n"
      "Number of Days? (#):                  365\r\n"
      "Present Value Date?:           01/01/2026\r\n"
      "Future Value Date?:            01/01/2027\r\n"
      "Compounding Frequency?:          Annually\r\n"
      "Rate Basis?:                   Actual/365\r\n"
      "Annual Discount Rate? (%):         5.0000\r\n"
      "Present Value:                    $952.38\r\n"
      "Total Years:                         1.00\r\n";
  EXPECT_EQ(model.CopyText(), expected);

  model.Calculation.SetInteger(f::Days, 1200);
  const auto lines = model.ReportLines();
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[1], "\tNumber of Days? (#):    \t           1,200");
  EXPECT_EQ(lines[6], "\tAnnual Discount Rate? (%):  \t      5.0000");
}

TEST_F(PVAmountTest, DefaultsAndStoredDays) {
  model.Options.localDefaults.SetChoice(f::DefaultCompounding, compounding::Daily);
  model.Options.localDefaults.SetReal(f::DefaultRate, 3.5);
  model.ApplyLocalDefaults();
  EXPECT_EQ(model.Calculation.ChoiceText(f::Compounding), "Daily");
  EXPECT_EQ(model.Calculation.Real(f::Rate), 3.5);
  model.SaveOptions();
  settings.SetCurrentKey("Present Value of an Amount Calculator");
  EXPECT_EQ(settings.ReadInteger("DefaultCompounding Frequency?:", -1), compounding::Daily);
  EXPECT_EQ(settings.ReadReal("DefaultAnnual Discount &Rate? (%):", 0), 3.5);

  settings.SetInteger(Setting::DefaultCompounding, compounding::Simple);
  settings.SetReal(Setting::DefaultAnnualRate, 9);
  model.ApplyGlobalDefaults();
  EXPECT_EQ(model.Calculation.ChoiceText(f::Compounding), "Simple");
  EXPECT_EQ(model.Calculation.Real(f::Rate), 9);

  // A stored day count beyond 16 bits fails the load rather than wrapping.
  settings.SetCurrentKey("Present Value of an Amount Calculator");
  settings.WriteInteger("Number of Days? (#):", 70000);
  EXPECT_FALSE(model.LoadLastCalculation());
  settings.WriteInteger("Number of Days? (#):", -120);
  ASSERT_TRUE(model.LoadLastCalculation());
  EXPECT_EQ(model.Calculation.Integer(f::Days), -120);
}

}  // namespace
}  // namespace quandrel
