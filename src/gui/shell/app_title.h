#pragma once

#include <QString>

namespace quandrel {

// The application title: main window caption and the title of every message box.
inline QString AppTitle() {
  return QStringLiteral("Quandrel!, The Financial Calculator");
}

}  // namespace quandrel
