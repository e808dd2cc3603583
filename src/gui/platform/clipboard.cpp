#include "gui/platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace quandrel {

void SetClipboardText(const std::string& text) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
    return;
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear(QClipboard::Clipboard);
  clipboard->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                     QClipboard::Clipboard);
}

}  // namespace quandrel
