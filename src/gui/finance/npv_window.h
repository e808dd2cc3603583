#pragma once

// The Net Present Value calculator's window: the shared cash-flow window
// over TbufNPV.

#include "core/finance/npv_buffer.h"
#include "gui/finance/cash_flow_calculators.h"

namespace quandrel {

class TcalcNetPV : public TcalcCashFlows {
  Q_OBJECT

 public:
  explicit TcalcNetPV(CalculatorContext& context, QWidget* parent = nullptr);

  TbufNPV& NPV() { return static_cast<TbufNPV&>(Model()); }
};

}  // namespace quandrel
