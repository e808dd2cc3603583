#include "gui/finance/roi_window.h"

namespace quandrel {

TcalcIntRate::TcalcIntRate(CalculatorContext& context, QWidget* parent)
    : TcalcWindow(std::make_unique<TbufROI>(context.services), context, parent) {
  setObjectName(QStringLiteral("calcIntRate"));
}

}  // namespace quandrel
