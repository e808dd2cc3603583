#pragma once

// The Net Present Value calculator: an initial amount at an initial date and
// Total Periods flows at a frequency, discounted at an effective annual rate
// by exact days (dated) or by whole periods.

#include "core/finance/cash_flow_buffer.h"
#include "core/finance/npv_irr_equations.h"
#include "core/finance/rate_equation.h"

namespace quandrel {

namespace npv_field {
inline constexpr std::string_view InitialAmount = "InitialAmount";
inline constexpr std::string_view DiscountRate = "DiscountRate";
inline constexpr std::string_view TotalPeriods = "TotalPeriods";
inline constexpr std::string_view InitialDate = "InitialDate";
inline constexpr std::string_view PaymentPeriod = "PaymentPeriod";
inline constexpr std::string_view NetPresentValue = "NetPresentValue";
inline constexpr std::string_view TotalInvested = "TotalInvested";
inline constexpr std::string_view TotalReturn = "TotalReturn";
inline constexpr std::string_view NetCashFlow = "NetCashFlow";
}  // namespace npv_field

class TbufNPV : public TbufCashFlows {
 public:
  static const CalculatorDefinition& Definition();

  explicit TbufNPV(const ModelServices& services);

  // Rebuilds the list; with no negative flow negates the initial amount
  // (in the record too) and sets NoNegativeFlowFound(); then the NPV, dated
  // at the discount rate with exact days, otherwise periodic at
  // (1 + rate)^(1/P) - 1 with offset 1. The totals are set even when the
  // NPV fails (410/411 pass on, the NPV is 0).
  void Calculate() override;

  // Title, empty line, the inputs, one line per flow (short date as label),
  // the NPV and the totals.
  std::string CopyText() const override;
  std::vector<std::string> ReportLines() const override;
  // The one-page report followed by the flow table.
  void PrintReport(TReportCanvas& canvas, const FontSpec& font, double paperWidth) const override;

  bool TabMovesCellToCell() const override;
  void SetTabMovesCellToCell(bool on) override;

 protected:
  std::vector<std::uint8_t> FileBytes() const override;
  void TakeFile(std::span<const std::uint8_t> bytes) override;

 private:
  TequNPV m_npv;
};

}  // namespace quandrel
