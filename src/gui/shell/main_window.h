#pragma once

#include <QMainWindow>

namespace quandrel {

// The program's home window: the calculator launcher lives here.
class TfrmQuandrelMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TfrmQuandrelMain(QWidget* parent = nullptr);
};

}  // namespace quandrel
