#pragma once

// The Payment Required calculator: the deposit at the end of each period
// that grows to a target future value.

#include "core/finance/pmt_required_equation.h"
#include "core/shell/calculator_model.h"

namespace quandrel {

namespace pmt_req_field {
inline constexpr std::string_view FutureValue = "FutureValue";
inline constexpr std::string_view TotalPeriods = "TotalPeriods";
inline constexpr std::string_view PaymentPeriod = "PaymentPeriod";
inline constexpr std::string_view Compounding = "Compounding";
inline constexpr std::string_view Rate = "AnnualRate";
inline constexpr std::string_view Payment = "RequiredPayment";
inline constexpr std::string_view TotalInvested = "TotalInvested";
inline constexpr std::string_view Gain = "Gain";
inline constexpr std::string_view TotalYears = "TotalYears";
inline constexpr std::string_view YearsToDouble = "YearsToDouble";
// Local defaults.
inline constexpr std::string_view DefaultCompounding = "DefaultCompounding";
inline constexpr std::string_view DefaultPaymentPeriod = "DefaultPaymentPeriod";
inline constexpr std::string_view DefaultRate = "DefaultAnnualRate";
}  // namespace pmt_req_field

class TbufPmtReq : public TbufCalculator {
 public:
  static const CalculatorDefinition& Definition();

  explicit TbufPmtReq(const ModelServices& services);

  // Refuses a zero rate (407), a zero future value (406) and zero periods
  // (404), in that order.
  void Calculate() override;

 private:
  TequPmtRequired m_pmt;
};

}  // namespace quandrel
