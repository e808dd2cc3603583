#pragma once

// The model's image of a page: every field of the page in page order, with
// its caption as shown and its value.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/foundation/global_types.h"
#include "core/shell/field_table.h"

namespace quandrel {

// One field's value. Reals use `number`; integers, dates and choice positions
// use `integer`; texts and weekday names use `text`.
struct FieldValue {
  double number = 0;
  std::int32_t integer = 0;
  std::string text;
  friend bool operator==(const FieldValue&, const FieldValue&) = default;
};

class TCalculationRecord {
 public:
  TCalculationRecord() = default;
  explicit TCalculationRecord(std::span<const FieldSpec> fields);

  std::span<const FieldSpec> Fields() const { return m_fields; }
  std::size_t Size() const { return m_values.size(); }
  std::size_t IndexOf(std::string_view id) const { return IndexOfField(m_fields, id); }
  const FieldSpec& Spec(std::string_view id) const { return m_fields[IndexOf(id)]; }

  // The caption of every field, as displayed (the window may change one).
  std::vector<std::string> Captions;

  const FieldValue& Value(std::size_t index) const { return m_values.at(index); }
  FieldValue& Value(std::size_t index) { return m_values.at(index); }

  double Real(std::string_view id) const;
  // A single-precision field keeps the value rounded through float. A value
  // the field cannot hold raises finance error 427.
  void SetReal(std::string_view id, double value);
  std::int32_t Integer(std::string_view id) const;
  void SetInteger(std::string_view id, std::int32_t value);
  DayNumber Date(std::string_view id) const;
  // Also refreshes the weekday field that shows this date.
  void SetDate(std::string_view id, DayNumber value);
  const std::string& Text(std::string_view id) const;
  void SetText(std::string_view id, std::string value);
  std::int32_t Choice(std::string_view id) const;
  void SetChoice(std::string_view id, std::int32_t position);
  // The displayed text of a choice; empty for a position outside its items.
  std::string ChoiceText(std::string_view id) const;

  // Refreshes every weekday field from its date (an empty name for a bad date).
  void RefreshWeekdayNames();

  // Copies the values (not the captions) of a record of the same calculator.
  void CopyValuesFrom(const TCalculationRecord& other);

  friend bool operator==(const TCalculationRecord& a, const TCalculationRecord& b) {
    return a.Captions == b.Captions && a.m_values == b.m_values;
  }

 private:
  void Check(std::size_t index, FieldType type) const;

  std::span<const FieldSpec> m_fields;
  std::vector<FieldValue> m_values;
};

// Rounds a value the way a field of the type keeps it.
double KeptAs(FieldType type, double value);

// A computed value as a field of the type keeps it; a value the field cannot
// hold (beyond its range, or not a number) raises finance error 427
// ("Result is out of range.") instead of reaching the page as infinity.
double ResultFor(FieldType type, Extended value);

}  // namespace quandrel
