#include "gui/shell/message_boxes.h"

#include <QMessageBox>

#include "gui/shell/app_title.h"

namespace quandrel {
namespace {

MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}

void Show(QWidget* parent, MessageKind kind, const QString& message) {
  const QString text = MessageBoxText(message);
  if (Handler()) {
    Handler()(parent, kind, text);
    return;
  }
  if (kind == MessageKind::Error) {
    QMessageBox::critical(parent, AppTitle(), text, QMessageBox::Ok);
  } else {
    QMessageBox::information(parent, AppTitle(), text, QMessageBox::Ok);
  }
}

}  // namespace

QString MessageBoxText(const QString& message) {
  QString text = message;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text.trimmed();
}

void ShowErrorBox(QWidget* parent, const QString& message) {
  Show(parent, MessageKind::Error, message);
}

void ShowInformationBox(QWidget* parent, const QString& message) {
  Show(parent, MessageKind::Information, message);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
  MessageHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

}  // namespace quandrel
