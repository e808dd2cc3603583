#include "gui/finance/irr_window.h"

#include <QLabel>
#include <QStatusBar>

namespace quandrel {
namespace {

namespace f = irr_field;

constexpr CashFlowWindowIds kIds{f::InitialInvestment, f::TotalPeriods, f::InitialDate, f::CashFlowFrequency,
                                 f::NetCashFlow};

}  // namespace

TcalcIRR::TcalcIRR(CalculatorContext& context, QWidget* parent)
    : TcalcCashFlows(std::make_unique<TbufIRR>(context.services), kIds,
                     "Use exact day calculation method? (XIRR)", context, parent) {
  setObjectName(QStringLiteral("calcIRR"));
  // The line stays; a passing message (copied, saved) covers it only while shown.
  auto* note = new QLabel(
      QStringLiteral(" The IRR is the effective annual rate assuming daily compounding and a 365 day year."),
      this);
  note->setObjectName(QStringLiteral("lStatusNote"));
  StatusBar()->addWidget(note, 1);
}

}  // namespace quandrel
