#pragma once

// The Internal Rate of Return calculator's window: the shared cash-flow
// window over TbufIRR, with the status line that says what rate the IRR is.

#include "core/finance/irr_buffer.h"
#include "gui/finance/cash_flow_calculators.h"

namespace quandrel {

class TcalcIRR : public TcalcCashFlows {
  Q_OBJECT

 public:
  explicit TcalcIRR(CalculatorContext& context, QWidget* parent = nullptr);

  TbufIRR& IRR() { return static_cast<TbufIRR&>(Model()); }
};

}  // namespace quandrel
