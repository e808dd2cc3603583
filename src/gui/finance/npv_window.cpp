#include "gui/finance/npv_window.h"

namespace quandrel {
namespace {

namespace f = npv_field;

constexpr CashFlowWindowIds kIds{f::InitialAmount, f::TotalPeriods, f::InitialDate, f::PaymentPeriod,
                                 f::NetCashFlow};

}  // namespace

TcalcNetPV::TcalcNetPV(CalculatorContext& context, QWidget* parent)
    : TcalcCashFlows(std::make_unique<TbufNPV>(context.services), kIds,
                     "Use exact day calculation method? (XNPV)", context, parent) {
  setObjectName(QStringLiteral("calcNetPV"));
}

}  // namespace quandrel
