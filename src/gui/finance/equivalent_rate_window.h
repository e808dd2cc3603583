#pragma once

//

#include "core/finance/equivalent_rate_buffer.h"
#include "gui/shell/calculator_window.h"

namespace quandrel {

class TcalcEquivalentRate : public TcalcWindow {
  Q_OBJECT

 public:
  explicit TcalcEquivalentRate(CalculatorContext& context, QWidget* parent = nullptr);

  TbufEquivalentRate& Buffer() { return static_cast<TbufEquivalentRate&>(Model()); }
};

}  // namespace quandrel
