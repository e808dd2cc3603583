#pragma once

// The program's message boxes: the standard error box and the information
// box, both titled with the application title and closed with OK. Tests
// replace the boxes with a recorder so nothing modal blocks them.

#include <QString>
#include <functional>

class QWidget;

namespace quandrel {

enum class MessageKind { Error, Information };

// The text of a numbered message as the box shows it: the CR, LF and CR LF
// line breaks of the message tables become lines.
QString MessageBoxText(const QString& message);

void ShowErrorBox(QWidget* parent, const QString& message);
void ShowInformationBox(QWidget* parent, const QString& message);

// Replaces the boxes (null restores them); returns the previous handler.
using MessageHandler = std::function<void(QWidget* parent, MessageKind kind, const QString& text)>;
MessageHandler SetMessageHandler(MessageHandler handler);

}  // namespace quandrel
