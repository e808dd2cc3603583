#pragma once

// The Compound/Simple Interest calculator's window: the table's layout plus
// the days and dates that follow each other.

#include "core/shell/interest_buffer.h"
#include "gui/shell/calculator_window.h"

namespace quandrel {

class TcalcInterest : public TcalcWindow {
  Q_OBJECT

 public:
  TcalcInterest(CalculatorContext& context, QWidget* parent = nullptr);

  TbufInterest& Interest() { return static_cast<TbufInterest&>(Model()); }

 protected:
  void ConnectFields() override;

 private:
  void DaysEdited();
  void DateEdited();
};

}  // namespace quandrel
