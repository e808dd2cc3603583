#include "core/shell/calculation_record.h"

#include <cmath>
#include <stdexcept>

#include "core/finance/finance_exception.h"

#include "core/foundation/date_arithmetic.h"

namespace quandrel {

double KeptAs(FieldType type, double value) {
  return type == FieldType::Single ? static_cast<double>(static_cast<float>(value)) : value;
}

double ResultFor(FieldType type, Extended value) {
  const double kept = KeptAs(type, static_cast<double>(value));
  if (!std::isfinite(kept)) {
    RaiseFinanceError(427);
  }
  return kept;
}

TCalculationRecord::TCalculationRecord(std::span<const FieldSpec> fields)
    : m_fields(fields), m_values(fields.size()) {
  Captions.reserve(fields.size());
  for (const FieldSpec& field : fields) {
    Captions.emplace_back(field.caption);
  }
}

void TCalculationRecord::Check(std::size_t index, FieldType type) const {
  const FieldType actual = m_fields[index].type;
  const bool realPair = (type == FieldType::Double || type == FieldType::Single) &&
                        (actual == FieldType::Double || actual == FieldType::Single);
  if (actual != type && !realPair) {
    throw std::logic_error("Field \"" + std::string(m_fields[index].id) + "\" is not of the type asked for.");
  }
}

double TCalculationRecord::Real(std::string_view id) const {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Double);
  return m_values[i].number;
}

void TCalculationRecord::SetReal(std::string_view id, double value) {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Double);
  m_values[i].number = ResultFor(m_fields[i].type, value);
}

std::int32_t TCalculationRecord::Integer(std::string_view id) const {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Int32);
  return m_values[i].integer;
}

void TCalculationRecord::SetInteger(std::string_view id, std::int32_t value) {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Int32);
  m_values[i].integer = value;
}

DayNumber TCalculationRecord::Date(std::string_view id) const {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Date);
  return m_values[i].integer;
}

void TCalculationRecord::SetDate(std::string_view id, DayNumber value) {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Date);
  m_values[i].integer = value;
  for (std::size_t k = 0; k < m_fields.size(); ++k) {
    if (m_fields[k].kind == FieldKind::Weekday && m_fields[k].linked == m_fields[i].id) {
      m_values[k].text = IsValidDate(value) ? DayName(value) : std::string();
    }
  }
}

const std::string& TCalculationRecord::Text(std::string_view id) const {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Text);
  return m_values[i].text;
}

void TCalculationRecord::SetText(std::string_view id, std::string value) {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Text);
  m_values[i].text = std::move(value);
}

std::int32_t TCalculationRecord::Choice(std::string_view id) const {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Choice);
  return m_values[i].integer;
}

void TCalculationRecord::SetChoice(std::string_view id, std::int32_t position) {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Choice);
  m_values[i].integer = position;
}

std::string TCalculationRecord::ChoiceText(std::string_view id) const {
  const std::size_t i = IndexOf(id);
  Check(i, FieldType::Choice);
  const auto items = ItemsOf(m_fields[i]);
  const std::int32_t position = m_values[i].integer;
  if (position < 0 || static_cast<std::size_t>(position) >= items.size()) {
    return {};
  }
  return std::string(items[static_cast<std::size_t>(position)]);
}

void TCalculationRecord::RefreshWeekdayNames() {
  for (std::size_t k = 0; k < m_fields.size(); ++k) {
    if (m_fields[k].kind == FieldKind::Weekday) {
      const DayNumber date = m_values[IndexOf(m_fields[k].linked)].integer;
      m_values[k].text = IsValidDate(date) ? DayName(date) : std::string();
    }
  }
}

void TCalculationRecord::CopyValuesFrom(const TCalculationRecord& other) {
  if (other.m_fields.data() != m_fields.data() || other.m_values.size() != m_values.size()) {
    throw std::logic_error("Calculation records of different calculators.");
  }
  m_values = other.m_values;
}

}  // namespace quandrel
