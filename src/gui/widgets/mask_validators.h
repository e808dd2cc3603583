#pragma once

// Keystroke filters of the masked fields: a change that leaves text the
// mask can never allow is refused, text that may still become a value is
// let through, and the field decides what to do with it when it is left.

#include <QValidator>
#include <string>

#include "core/foundation/locale_facts.h"
#include "core/foundation/mask_format.h"

namespace quandrel {

// Refuses what a number mask does not allow (CheckMaskedNumberInput).
class TMaskedNumberValidator : public QValidator {
  Q_OBJECT

 public:
  TMaskedNumberValidator(NumberMask mask, LocaleFacts facts, QObject* parent = nullptr);

  void setMask(NumberMask mask, LocaleFacts facts);
  State validate(QString& input, int& pos) const override;

 private:
  NumberMask m_mask;
  LocaleFacts m_facts;
};

// Refuses what cannot become a date under a date picture (CheckDateInput).
class TDateTextValidator : public QValidator {
  Q_OBJECT

 public:
  TDateTextValidator(std::string picture, int twoDigitYearWindowStart, QObject* parent = nullptr);

  void setPicture(std::string picture);
  void setTwoDigitYearWindow(int windowStart);
  State validate(QString& input, int& pos) const override;

 private:
  std::string m_picture;
  int m_windowStart;
};

}  // namespace quandrel
