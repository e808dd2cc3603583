#pragma once

//

#include "core/finance/pmt_req_buffer.h"
#include "gui/shell/calculator_window.h"

namespace quandrel {

class TcalcPmtReq : public TcalcWindow {
  Q_OBJECT

 public:
  explicit TcalcPmtReq(CalculatorContext& context, QWidget* parent = nullptr);

  TbufPmtReq& Buffer() { return static_cast<TbufPmtReq&>(Model()); }
};

}  // namespace quandrel
