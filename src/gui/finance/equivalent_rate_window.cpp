#include "gui/finance/equivalent_rate_window.h"

namespace quandrel {

TcalcEquivalentRate::TcalcEquivalentRate(CalculatorContext& context, QWidget* parent)
    : TcalcWindow(std::make_unique<TbufEquivalentRate>(context.services), context, parent) {
  setObjectName(QStringLiteral("calcEquivalentRate"));
}

}  // namespace quandrel
