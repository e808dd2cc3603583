#include "gui/widgets/mask_validators.h"

#include <utility>

namespace quandrel {
namespace {

QValidator::State ToQtState(MaskedInputState state) {
  switch (state) {
    case MaskedInputState::Acceptable:
      return QValidator::Acceptable;
    case MaskedInputState::Intermediate:
      return QValidator::Intermediate;
    case MaskedInputState::Invalid:
      return QValidator::Invalid;
  }
  return QValidator::Invalid;
}

}  // namespace

TMaskedNumberValidator::TMaskedNumberValidator(NumberMask mask, LocaleFacts facts, QObject* parent)
    : QValidator(parent), m_mask(std::move(mask)), m_facts(std::move(facts)) {}

void TMaskedNumberValidator::setMask(NumberMask mask, LocaleFacts facts) {
  m_mask = std::move(mask);
  m_facts = std::move(facts);
  emit changed();
}

QValidator::State TMaskedNumberValidator::validate(QString& input, int& /*pos*/) const {
  return ToQtState(CheckMaskedNumberInput(input.toStdString(), m_mask, m_facts));
}

TDateTextValidator::TDateTextValidator(std::string picture, int twoDigitYearWindowStart, QObject* parent)
    : QValidator(parent), m_picture(std::move(picture)), m_windowStart(twoDigitYearWindowStart) {}

void TDateTextValidator::setPicture(std::string picture) {
  m_picture = std::move(picture);
  emit changed();
}

void TDateTextValidator::setTwoDigitYearWindow(int windowStart) {
  m_windowStart = windowStart;
  emit changed();
}

QValidator::State TDateTextValidator::validate(QString& input, int& /*pos*/) const {
  return ToQtState(CheckDateInput(input.toStdString(), m_picture, m_windowStart));
}

}  // namespace quandrel
