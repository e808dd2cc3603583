#pragma once

// Opens calculator windows: at most two of each calculator, each with the
// first free instance number, and keeps the table of open windows.

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "gui/shell/calculator_window.h"

namespace quandrel {

class TCalculatorLauncher : public QObject {
  Q_OBJECT

 public:
  using Factory = std::function<TcalcWindow*(CalculatorContext& context, QWidget* owner)>;

  // `owner` owns the windows (the main window); null makes them free-standing.
  TCalculatorLauncher(const ModelServices& services, QWidget* owner);
  ~TCalculatorLauncher() override;

  // Makes a calculator known, creating its settings keys when missing.
  void Register(std::string_view title, Factory factory);
  bool IsRegistered(std::string_view title) const;

  // Opens the calculator in its first free slot. With both slots taken, the
  // information box "Maximum number of this calculator displayed." and null.
  TcalcWindow* Launch(std::string_view title, const WindowFlags& flags);

  // The open windows, in opening order.
  std::vector<TcalcWindow*> OpenWindows() const;
  // At exit: the windows still open are destroyed without their close step.
  void DestroyOpenWindows();

  TLauncherSlots& Slots() { return m_slots; }
  CalculatorContext& Context() { return m_context; }

 signals:
  void windowOpened(QWidget* window, const QString& caption);
  void windowClosing(QWidget* window);

 private:
  TLauncherSlots m_slots;
  CalculatorContext m_context;
  QWidget* m_owner;
  std::map<std::string, Factory, std::less<>> m_factories;
  std::vector<QPointer<TcalcWindow>> m_open;
};

// Registers every calculator of the program with the launcher.
void RegisterCalculators(TCalculatorLauncher& launcher);

}  // namespace quandrel
