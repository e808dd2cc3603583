#include "core/finance/pmt_req_buffer.h"

#include <gtest/gtest.h>

#include "core/finance/finance_exception.h"
#include "core/shell/shell_fixture.h"

namespace quandrel {
namespace {

namespace f = pmt_req_field;

constexpr int kMonthlyPayment = 5;  // payment position of Monthly

class PmtReqTest : public ::testing::Test, protected testing::ShellFixture {
 protected:
  TbufPmtReq model{services};

  void Enter(double fv, int periods, int payment, int compounding, double rate) {
    model.Calculation.SetReal(f::FutureValue, fv);
    model.Calculation.SetInteger(f::TotalPeriods, periods);
    model.Calculation.SetChoice(f::PaymentPeriod, payment);
    model.Calculation.SetChoice(f::Compounding, compounding);
    model.Calculation.SetReal(f::Rate, rate);
  }
  double Result(std::string_view id) const { return model.Calculation.Real(id); }
};

TEST_F(PmtReqTest, ListsAndPublisherValues) {
  const TCalculationRecord& r = model.Calculation;
  EXPECT_EQ(r.ChoiceText(f::PaymentPeriod), "Monthly");
  EXPECT_EQ(r.ChoiceText(f::Compounding), "Monthly");
  // Continuous and the ten payment periods; no Simple.
  const auto compoundings = ItemsOf(r.Spec(f::Compounding));
  ASSERT_EQ(compoundings.size(), 11u);
  EXPECT_EQ(compoundings.front(), "Continuous");
  EXPECT_EQ(compoundings.back(), "Annually");
  EXPECT_EQ(ItemsOf(r.Spec(f::PaymentPeriod)).size(), 10u);
}

TEST_F(PmtReqTest, DepositsThatReachTheTarget) {
  struct Case {
    int compounding;
    double payment, invested, gain, doubling;
  };
  const Case cases[] = {
      // i = 1% a month: 10000 * 0.01 / (1.01^12 - 1) = 788.4879 (kept to
      // 1/10000); twelve of them 9461.8548. Doubling ln 2 / (12 ln 1.01).
      {compounding::Monthly, 788.4879, 9461.8548, 538.1452, 5.8050597},
      // Continuous: i = e^(0.12 / 12) - 1; doubling at one compounding a
      // second, ln 2 / (31536000 ln(1 + 0.12 / 31536000)).
      {compounding::Continuous, 788.2679, 9459.2148, 540.7852, 5.7762265},
  };
  for (const Case& c : cases) {
    Enter(10000, 12, kMonthlyPayment, c.compounding, 12);
    model.Calculate();
    EXPECT_NEAR(Result(f::Payment), c.payment, 1e-9) << c.compounding;
    EXPECT_NEAR(Result(f::TotalInvested), c.invested, 1e-9) << c.compounding;
    EXPECT_NEAR(Result(f::Gain), c.gain, 1e-9) << c.compounding;
    EXPECT_NEAR(Result(f::TotalYears), 1.0, 1e-6) << c.compounding;
    EXPECT_NEAR(Result(f::YearsToDouble), c.doubling, 1e-5) << c.compounding;
  }
}

TEST_F(PmtReqTest, ErrorsInTheirOrder) {
  struct Case {
    double fv;
    int periods;
    double rate;
    int code;
  };
  const Case cases[] = {
      {0, 0, 0, 407},
      {0, 0, 5, 406},
      {-100, 12, 5, 406},
      {1000, 0, 5, 404},
  };
  for (const Case& c : cases) {
    Enter(c.fv, c.periods, kMonthlyPayment, compounding::Monthly, c.rate);
    try {
      model.Calculate();
      ADD_FAILURE() << "no error for " << c.code;
    } catch (const EFinanceException& e) {
      EXPECT_EQ(e.Code(), c.code);
    }
  }
  // A damaged position is refused, not indexed.
  Enter(1000, 12, 10, compounding::Monthly, 5);
  EXPECT_THROW(model.Calculate(), std::out_of_range);
  Enter(1000, 12, kMonthlyPayment, compounding::Simple, 5);
  EXPECT_THROW(model.Calculate(), std::out_of_range);
}

TEST_F(PmtReqTest, CopyTextByteForByte) {
  Enter(10000, 12, kMonthlyPayment, compounding::Monthly, 12);
  model.Calculate();
  model.SetTitle("Payment Required Calculator 1");
  const std::string expected =
      "Payment Required Calculator 1\r\n"
      "\r\n"
      "Future Value?:                 $10,000.00\r\n"
      "Total Periods? (#):                    12\r\n"
      "Payment Period?:                  Monthly\r\n"
      "Compounding Period?:              Monthly\r\n"
      "Annual Rate? (%):                   12.00\r\n"
      "Required Payment :                $788.49\r\n"
      "Total Invested:                 $9,461.85\r\n"
      "Gain:                             $538.15\r\n"
      "Total Years:                         1.00\r\n"
      "Years To Double:                     5.81\r\n";
  EXPECT_EQ(model.CopyText(), expected);

  model.Calculation.SetChoice(f::Compounding, compounding::Continuous);
  const auto lines = model.ReportLines();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[1], "\tTotal Periods? (#):     \t              12");
  EXPECT_EQ(lines[3], "\tCompounding Period?:    \tContinuous");
}

TEST_F(PmtReqTest, DefaultsAndStoredValues) {
  model.Options.localDefaults.SetChoice(f::DefaultCompounding, compounding::Quarterly);
  model.Options.localDefaults.SetChoice(f::DefaultPaymentPeriod, 7);
  model.Options.localDefaults.SetReal(f::DefaultRate, 4.25);
  model.ApplyLocalDefaults();
  EXPECT_EQ(model.Calculation.ChoiceText(f::Compounding), "Quarterly");
  EXPECT_EQ(model.Calculation.ChoiceText(f::PaymentPeriod), "Quarterly");
  EXPECT_EQ(model.Calculation.Real(f::Rate), 4.25);

  // A global "Simple" has no place in this list: the field keeps its value.
  settings.SetInteger(Setting::DefaultCompounding, compounding::Simple);
  settings.SetInteger(Setting::DefaultPaymentPeriod, 0);
  settings.SetReal(Setting::DefaultAnnualRate, 6.5);
  model.ApplyGlobalDefaults();
  EXPECT_EQ(model.Calculation.ChoiceText(f::Compounding), "Quarterly");
  EXPECT_EQ(model.Calculation.ChoiceText(f::PaymentPeriod), "Daily");
  EXPECT_EQ(model.Calculation.Real(f::Rate), 6.5);

  // The total periods are a 16-bit count: a stored count beyond it fails
  // the whole load and changes nothing.
  model.Calculation.SetInteger(f::TotalPeriods, 360);
  model.SaveLastCalculation();
  TbufPmtReq other{services};
  ASSERT_TRUE(other.LoadLastCalculation());
  EXPECT_EQ(other.Calculation.Integer(f::TotalPeriods), 360);
  settings.SetCurrentKey("Payment Required Calculator");
  settings.WriteInteger("&Total Periods? (#):", 40000);
  EXPECT_FALSE(other.LoadLastCalculation());
  EXPECT_EQ(other.Calculation.Integer(f::TotalPeriods), 360);
}

}  // namespace
}  // namespace quandrel
