#include "gui/widgets/masked_number_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPalette>

#include "gui/widgets/mask_validators.h"

namespace quandrel {

TMaskedNumberEdit::TMaskedNumberEdit(std::string_view mask, const LocaleFacts& facts, QWidget* parent)
    : QLineEdit(parent),
      m_mask(ParseNumberMask(mask)),
      m_facts(facts),
      m_validator(new TMaskedNumberValidator(m_mask, m_facts, this)) {
  setValidator(m_validator);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  connect(this, &QLineEdit::returnPressed, this, &TMaskedNumberEdit::commitText);
  showValue();
}

std::optional<double> TMaskedNumberEdit::value() const {
  if (text() == m_shownText)
    return m_value;
  return ParseMaskedNumber(text().toStdString(), m_mask, m_facts);
}

void TMaskedNumberEdit::setValue(double value) {
  m_value = value;
  showValue();
}

void TMaskedNumberEdit::setMask(std::string_view mask) {
  const std::optional<double> current = value();
  m_mask = ParseNumberMask(mask);
  m_validator->setMask(m_mask, m_facts);
  if (current)
    setValue(*current);
}

void TMaskedNumberEdit::setLocaleFacts(const LocaleFacts& facts) {
  const std::optional<double> current = value();
  m_facts = facts;
  m_validator->setMask(m_mask, m_facts);
  if (current)
    setValue(*current);
}

void TMaskedNumberEdit::showValue() {
  m_shownText = QString::fromStdString(FormatMaskedNumber(m_value, m_mask, m_facts));
  setText(m_shownText);
}

void TMaskedNumberEdit::commitText() {
  if (text() == m_shownText)
    return;
  const std::optional<double> typed = ParseMaskedNumber(text().toStdString(), m_mask, m_facts);
  if (!typed)
    return;
  const bool changed = *typed != m_value;
  m_value = *typed;
  showValue();
  if (changed)
    emit valueEdited(m_value);
}

void TMaskedNumberEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A context menu or a drop-down takes the focus for a moment only.
  if (event->reason() != Qt::PopupFocusReason)
    commitText();
}

void TMaskedNumberEdit::keyPressEvent(QKeyEvent* event) {
  const bool keypadDecimal = (event->modifiers() & Qt::KeypadModifier) != 0 &&
                             (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma);
  const QString separator = QString::fromStdString(m_facts.decimalSeparator);
  if (keypadDecimal && !isReadOnly() && event->text() != separator) {
    insert(separator);
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TMaskedNumberEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::ReadOnlyChange)
    applyReadOnlyLook();
}

void TMaskedNumberEdit::applyReadOnlyLook() {
  setProperty("resultField", isReadOnly());
  if (isReadOnly()) {
    QPalette look = palette();
    look.setColor(QPalette::Base, look.color(QPalette::Window));
    setPalette(look);
  } else {
    setPalette(QPalette());
  }
}

}  // namespace quandrel
