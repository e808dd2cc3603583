#pragma once

// The Internal Rate of Return calculator: the effective annual rate (365-day
// year, exact days) at which an initial investment and Total Periods flows
// at a frequency have a zero net present value.

#include "core/finance/cash_flow_buffer.h"
#include "core/finance/npv_irr_equations.h"

namespace quandrel {

namespace irr_field {
inline constexpr std::string_view InitialInvestment = "InitialInvestment";
inline constexpr std::string_view TotalPeriods = "TotalPeriods";
inline constexpr std::string_view InitialDate = "InitialInvestmentDate";
inline constexpr std::string_view CashFlowFrequency = "PeriodicCashFlow";
inline constexpr std::string_view Guess = "EstimatedIRR";
inline constexpr std::string_view IRR = "IRR";
inline constexpr std::string_view TotalInvested = "TotalInvested";
inline constexpr std::string_view TotalReturn = "TotalReturn";
inline constexpr std::string_view NetCashFlow = "NetCashFlow";
}  // namespace irr_field

// The window's status line.
inline constexpr std::string_view kIrrStatusText =
    " The IRR is the effective annual rate assuming daily compounding and a 365 day year.";

class TbufIRR : public TbufCashFlows {
 public:
  static const CalculatorDefinition& Definition();

  explicit TbufIRR(const ModelServices& services);

  // Rebuilds the list; with no negative flow negates the initial investment
  // (in the record too) and sets NoNegativeFlowFound(); then the IRR on
  // exact days with the guess as given. The totals and the net cash flow's
  // span caption are set even when the IRR fails (410/411 pass on, the IRR
  // is 0).
  void Calculate() override;

  // "Net Cash Flow Over <span> Year:" (span not above 1) or "... Years:",
  // the span written "%1.3g"; the caption of the net cash flow after a Calc.
  std::string SpanCaption(double spanYears) const;

  std::string CopyText() const override;
  std::vector<std::string> ReportLines() const override;
  void PrintReport(TReportCanvas& canvas, const FontSpec& font, double paperWidth) const override;

  bool TabMovesCellToCell() const override;
  void SetTabMovesCellToCell(bool on) override;

 protected:
  std::vector<std::uint8_t> FileBytes() const override;
  void TakeFile(std::span<const std::uint8_t> bytes) override;

 private:
  TequIRR m_irr;
};

}  // namespace quandrel
