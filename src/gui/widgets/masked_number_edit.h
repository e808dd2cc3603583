#pragma once

// A number entry field under a mask: money, rate, count and long decimal
// fields of every calculator window, and their read-only result fields.
//
// - Keystrokes that leave text the mask can never allow are refused (too
//   many digits or decimals, letters, a second sign...). Text that may still
//   become a number ("-", "1,23") can stand while the field has focus.
// - Leaving the field (or Return) shows its value formatted by the mask; an
//   empty field becomes zero. Text that is still not a number stays as typed
//   so it can be corrected, and value() is then empty: the window stops its
//   Calc with a message naming the field.
// - value() is the value the field holds: the one given to setValue, in
//   full precision, while the shown text is untouched; otherwise the typed
//   text read under the mask (mask_format.h).
// - The numeric keypad's decimal key types the locale's decimal separator.
// - A read-only field (a result) has the window's background instead of the
//   entry background; its text can be selected and copied, not edited.

#include <QLineEdit>
#include <optional>
#include <string_view>

#include "core/foundation/locale_facts.h"
#include "core/foundation/mask_format.h"

namespace quandrel {

class TMaskedNumberValidator;

class TMaskedNumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  // A mask that is not a number mask throws std::invalid_argument.
  TMaskedNumberEdit(std::string_view mask, const LocaleFacts& facts, QWidget* parent = nullptr);

  // The value, or nothing when the text is not a number the mask allows.
  std::optional<double> value() const;
  void setValue(double value);

  // Replaces the mask (the window's locale rule) or the locale facts; the
  // value held is shown again under the new mask.
  void setMask(std::string_view mask);
  void setLocaleFacts(const LocaleFacts& facts);

  const NumberMask& numberMask() const { return m_mask; }
  const LocaleFacts& localeFacts() const { return m_facts; }

 signals:
  // The user left the field (or pressed Return) with a number that differs
  // from the one held before.
  void valueEdited(double value);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Reads the typed text; a number becomes the value held and is shown
  // formatted, other text is left as it is.
  void commitText();
  void showValue();
  void applyReadOnlyLook();

  NumberMask m_mask;
  LocaleFacts m_facts;
  TMaskedNumberValidator* m_validator;
  double m_value = 0;
  QString m_shownText;  // the text last written for m_value
};

}  // namespace quandrel
