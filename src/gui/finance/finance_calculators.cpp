#include "gui/finance/finance_calculators.h"

#include "gui/finance/equivalent_rate_window.h"
#include "gui/finance/pmt_req_window.h"
#include "gui/finance/pv_amount_window.h"
#include "gui/finance/roi_window.h"
#include "gui/shell/calculator_launcher.h"

namespace quandrel {
namespace {

template <typename Window, typename Model>
void RegisterWindow(TCalculatorLauncher& launcher) {
  launcher.Register(Model::Definition().title,
                    [](CalculatorContext& context, QWidget* owner) { return new Window(context, owner); });
}

}  // namespace

void RegisterFinanceCalculators(TCalculatorLauncher& launcher) {
  RegisterWindow<TcalcEquivalentRate, TbufEquivalentRate>(launcher);
  RegisterWindow<TcalcIntRate, TbufROI>(launcher);
  RegisterWindow<TcalcPmtReq, TbufPmtReq>(launcher);
  RegisterWindow<TcalcPVAmount, TbufPVAmount>(launcher);
}

}  // namespace quandrel
