#pragma once

#include <QMainWindow>
#include <memory>

#include "core/shell/calculator_model.h"

namespace quandrel {

class TCalculatorLauncher;

// The program's home window: the calculator launcher lives here.
class TfrmQuandrelMain : public QMainWindow {
  Q_OBJECT

 public:
  // Without services (a bare window for tests of the frame) no calculator
  // can be opened.
  explicit TfrmQuandrelMain(const ModelServices* services = nullptr, QWidget* parent = nullptr);
  ~TfrmQuandrelMain() override;

  TCalculatorLauncher* Launcher() const { return m_launcher.get(); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<TCalculatorLauncher> m_launcher;
};

}  // namespace quandrel
