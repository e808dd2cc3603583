#include "gui/shell/help_system.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QShortcut>
#include <QWhatsThis>
#include <QWidget>
#include <QtGlobal>
#include <string>
#include <vector>

#include "gui/shell/help_browser.h"
#include "gui/shell/message_boxes.h"

namespace quandrel {

namespace {

THelpSystem* g_router = nullptr;

std::string ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  return file.readAll().toStdString();
}

void Report(const QString& file, const std::vector<std::string>& problems) {
  for (const std::string& problem : problems) {
    qWarning("%s, %s", qPrintable(file), problem.c_str());
  }
}

// The standard buttons' contexts, for windows that give their buttons no
// "helpContext" of their own.
int ButtonContext(const QString& objectName) {
  static const struct {
    const char* name;
    int context;
  } kButtons[] = {{"btnCalc", 118}, {"btnCopy", 27}, {"btnPrint", 26}, {"btnHelp", 24},
                  {"btnReset", 19}, {"btnUndo", 28}, {"btnClose", 381}};
  for (const auto& button : kButtons) {
    if (objectName == QLatin1String(button.name)) {
      return button.context;
    }
  }
  return 0;
}

// The popup as the field-help balloon shows it: the first line as its heading.
QString PopupHtml(const QString& text) {
  const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
  if (lineEnd < 0) {
    return text.toHtmlEscaped();
  }
  QString body = text.mid(lineEnd + 1).toHtmlEscaped();
  body.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
  return QStringLiteral("<b>%1</b><br>%2").arg(text.left(lineEnd).toHtmlEscaped(), body);
}

}  // namespace

THelpSystem::THelpSystem(const QString& dataFolder)
    : m_folder(QDir(dataFolder).filePath(QStringLiteral("help"))) {
  std::vector<std::string> problems;
  const QString topics = QDir(m_folder).filePath(QStringLiteral("topics.txt"));
  m_catalog = THelpCatalog::Parse(ReadText(topics), problems);
  Report(topics, problems);
  problems.clear();
  const QString popups = QDir(m_folder).filePath(QStringLiteral("CSHelp.txt"));
  m_popups = THelpPopups::Parse(ReadText(popups), problems);
  Report(popups, problems);
  g_router = this;
}

THelpSystem::~THelpSystem() {
  if (g_router == this) {
    g_router = nullptr;
  }
}

THelpSystem* THelpSystem::Active() {
  return g_router;
}

THelpBrowser& THelpSystem::OpenBrowser(QWidget*) {
  // The help window is a window of its own, not a child of the window that
  // asked: it stays open when that window closes.
  if (!m_browser) {
    m_browser = std::make_unique<THelpBrowser>(m_folder, m_catalog);
  }
  m_browser->show();
  if (m_browser->isMinimized()) {
    m_browser->showNormal();
  }
  m_browser->raise();
  m_browser->activateWindow();
  return *m_browser;
}

bool THelpSystem::HandleRequest(int request, std::int64_t data, QWidget* from) {
  const HelpCommand command = TranslateHelpRequest(request, data);
  switch (command.action) {
    case HelpAction::ShowTopic: {
      THelpBrowser& browser = OpenBrowser(from);
      const bool known = command.data > 0 && command.data <= INT32_MAX &&
                         m_catalog.TopicForContext(static_cast<int>(command.data)) != nullptr;
      browser.ShowPage(PageForContext(known ? static_cast<int>(command.data) : 0));
      if (!known) {
        browser.ShowContentsTab();
      }
      break;
    }
    case HelpAction::CloseAll:
      CloseAll();
      break;
    case HelpAction::ShowContents:
      OpenBrowser(from).ShowContentsTab();
      break;
    case HelpAction::ShowDefaultTopic: {
      THelpBrowser& browser = OpenBrowser(from);
      browser.ShowPage(PageForContext(0));
      browser.ShowContentsTab();
      break;
    }
    case HelpAction::ShowIndex:
      OpenBrowser(from).ShowIndexTab(QString());
      break;
  }
  return true;
}

void THelpSystem::ShowTopic(int context, QWidget* from) {
  HandleRequest(helprequest::Context, context, from);
}

void THelpSystem::ShowContents(QWidget* from) {
  HandleRequest(helprequest::Finder, 0, from);
}

void THelpSystem::ShowIndex(const QString& keyword, QWidget* from) {
  OpenBrowser(from).ShowIndexTab(keyword);
}

void THelpSystem::CloseAll() {
  if (m_browser) {
    m_browser->close();
  }
}

QString THelpSystem::PopupText(int context) const {
  const std::string* text = m_popups.Text(context);
  return text == nullptr ? QString() : QString::fromStdString(*text);
}

QString THelpSystem::PageForContext(int context) const {
  const HelpTopic* topic = m_catalog.TopicForContext(context);
  if (topic == nullptr) {
    topic = m_catalog.DefaultTopic();
  }
  return topic == nullptr ? QStringLiteral("index.html") : QString::fromStdString(topic->page);
}

void THelpSystem::InstallFieldHelp(QWidget* window) {
  if (window == nullptr) {
    return;
  }
  const auto give = [this](QWidget* widget, int context) {
    const QString text = PopupText(context);
    if (!text.isEmpty()) {
      widget->setWhatsThis(PopupHtml(text));
    }
  };
  const QList<QWidget*> widgets = window->findChildren<QWidget*>();
  for (QWidget* widget : widgets) {
    int context = widget->property("helpContext").toInt();
    if (context <= 0 && qobject_cast<QAbstractButton*>(widget) != nullptr) {
      context = ButtonContext(widget->objectName());
    }
    if (context > 0) {
      give(widget, context);
    }
  }
  // A label tells what its field tells.
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->buddy() != nullptr && label->whatsThis().isEmpty()) {
      label->setWhatsThis(label->buddy()->whatsThis());
    }
  }
  if (!window->property("quandrelFieldHelp").toBool()) {
    window->setProperty("quandrelFieldHelp", true);
    auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [] { QWhatsThis::enterWhatsThisMode(); });
  }
}

void RequestHelpTopic(int context, QWidget* from) {
  if (THelpSystem* help = THelpSystem::Active()) {
    help->ShowTopic(context, from);
  } else {
    ShowInformationBox(from, QStringLiteral("Help is not available yet in this version of Quandrel!."));
  }
}

}  // namespace quandrel
