#pragma once

//

#include "core/finance/roi_buffer.h"
#include "gui/shell/calculator_window.h"

namespace quandrel {

class TcalcIntRate : public TcalcWindow {
  Q_OBJECT

 public:
  explicit TcalcIntRate(CalculatorContext& context, QWidget* parent = nullptr);

  TbufROI& Buffer() { return static_cast<TbufROI&>(Model()); }
};

}  // namespace quandrel
