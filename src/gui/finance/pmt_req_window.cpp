#include "gui/finance/pmt_req_window.h"

namespace quandrel {

TcalcPmtReq::TcalcPmtReq(CalculatorContext& context, QWidget* parent)
    : TcalcWindow(std::make_unique<TbufPmtReq>(context.services), context, parent) {
  setObjectName(QStringLiteral("calcPmtReq"));
}

}  // namespace quandrel
