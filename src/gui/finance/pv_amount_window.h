#pragma once

// The Present Value of an Amount calculator's window: the table's layout
// with its note, and the days and dates that follow each other.

#include "core/finance/pv_amount_buffer.h"
#include "gui/shell/calculator_window.h"

namespace quandrel {

class TcalcPVAmount : public TcalcWindow {
  Q_OBJECT

 public:
  explicit TcalcPVAmount(CalculatorContext& context, QWidget* parent = nullptr);

  TbufPVAmount& Buffer() { return static_cast<TbufPVAmount&>(Model()); }

 protected:
  void ConnectFields() override;

 private:
  void DaysEdited();
  void DateEdited();
};

}  // namespace quandrel
