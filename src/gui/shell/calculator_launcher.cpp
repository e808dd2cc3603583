#include "gui/shell/calculator_launcher.h"

#include "gui/finance/cash_flow_calculators.h"
#include "gui/finance/finance_calculators.h"
#include "gui/shell/interest_window.h"
#include "gui/shell/message_boxes.h"

namespace quandrel {

TCalculatorLauncher::TCalculatorLauncher(const ModelServices& services, QWidget* owner)
    : m_context{services, m_slots, {}, nullptr}, m_owner(owner) {}

TCalculatorLauncher::~TCalculatorLauncher() = default;

void TCalculatorLauncher::Register(std::string_view title, Factory factory) {
  m_context.services.settings.CreateCalculatorKeys(title);
  m_factories.insert_or_assign(std::string(title), std::move(factory));
}

bool TCalculatorLauncher::IsRegistered(std::string_view title) const {
  return m_factories.contains(title);
}

TcalcWindow* TCalculatorLauncher::Launch(std::string_view title, const WindowFlags& flags) {
  const auto factory = m_factories.find(title);
  if (factory == m_factories.end()) {
    return nullptr;
  }
  const std::optional<int> instance = m_slots.FirstFreeInstance(title);
  if (!instance) {
    ShowInformationBox(m_owner, QString::fromUtf8(kMaximumDisplayedMessage.data()));
    return nullptr;
  }
  TcalcWindow* window = factory->second(m_context, m_owner);
  m_slots.Occupy(title, *instance, window);
  m_open.emplace_back(window);
  connect(window, &TcalcWindow::windowOpened, this, &TCalculatorLauncher::windowOpened);
  connect(window, &TcalcWindow::windowClosing, this, &TCalculatorLauncher::windowClosing);
  if (!window->RunGuarded([&] { window->Open(*instance, flags); })) {
    m_slots.Release(title, *instance);
    delete window;
    return nullptr;
  }
  return window;
}

std::vector<TcalcWindow*> TCalculatorLauncher::OpenWindows() const {
  std::vector<TcalcWindow*> windows;
  for (const QPointer<TcalcWindow>& window : m_open) {
    if (window != nullptr) {
      windows.push_back(window);
    }
  }
  return windows;
}

void TCalculatorLauncher::DestroyOpenWindows() {
  for (TcalcWindow* window : OpenWindows()) {
    delete window;
  }
  m_open.clear();
}

void RegisterCalculators(TCalculatorLauncher& launcher) {
  launcher.Register(TbufInterest::Definition().title, [](CalculatorContext& context, QWidget* owner) {
    return new TcalcInterest(context, owner);
  });
  RegisterFinanceCalculators(launcher);
  RegisterCashFlowCalculators(launcher);
}

}  // namespace quandrel
