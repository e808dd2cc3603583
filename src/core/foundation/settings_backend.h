#pragma once

// The storage under the settings store: a tree of keys holding typed values,
// scoped to the current user (the "hive").
//
// - A key is named by its full path from the hive root, components separated
//   by '\' ("Software\Brackwell\Quandrel! v5.7\Loan Calculator"). Empty
//   components (a leading, trailing or doubled '\') are ignored; every other
//   character, blanks at either end included, belongs to the name.
// - A value has a name (any text, '\' and '/' included; "" is the key's
//   unnamed value) and one of four types: 32-bit integer, boolean, 8-byte
//   real, string (UTF-8).
// - Key and value names compare without regard to ASCII letter case, as the
//   settings always have, but keep the spelling they were first written with. Writing
//   an existing value under another spelling replaces its data and keeps the
//   old spelling.
// - Reading a missing value, or a value of another type, gives no value; the
//   caller supplies the default. Integers and booleans are the same number in
//   the logical model (a boolean is 0 or 1), so each reads the other.
// - Writing a value creates its key and every key above it.
//
// Every operation that changes the store throws ESettingsError when the
// storage cannot be written; reads never throw.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quandrel {

class ESettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class SettingsValueType : std::uint8_t { None, Integer, Boolean, Real, String };

class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;

  virtual bool KeyExists(std::string_view key) const = 0;
  // Creates the key and the keys above it; an existing key is left as it is.
  virtual void CreateKey(std::string_view key) = 0;
  // Removes the key with all its values and subkeys; a missing key is no error.
  virtual void DeleteKey(std::string_view key) = 0;
  // The names of the key's direct subkeys and of its values, as spelt when
  // written (empty for a missing key).
  virtual std::vector<std::string> SubKeyNames(std::string_view key) const = 0;
  virtual std::vector<std::string> ValueNames(std::string_view key) const = 0;

  virtual bool ValueExists(std::string_view key, std::string_view name) const = 0;
  // SettingsValueType::None for a missing value.
  virtual SettingsValueType ValueType(std::string_view key, std::string_view name) const = 0;
  virtual void DeleteValue(std::string_view key, std::string_view name) = 0;

  virtual std::optional<std::int32_t> ReadInteger(std::string_view key, std::string_view name) const = 0;
  virtual std::optional<bool> ReadBoolean(std::string_view key, std::string_view name) const = 0;
  // The real exactly as written, bit for bit (signed zeros, NaN payloads).
  virtual std::optional<double> ReadReal(std::string_view key, std::string_view name) const = 0;
  virtual std::optional<std::string> ReadString(std::string_view key, std::string_view name) const = 0;

  virtual void WriteInteger(std::string_view key, std::string_view name, std::int32_t value) = 0;
  virtual void WriteBoolean(std::string_view key, std::string_view name, bool value) = 0;
  virtual void WriteReal(std::string_view key, std::string_view name, double value) = 0;
  virtual void WriteString(std::string_view key, std::string_view name, std::string_view value) = 0;
};

// Helpers shared by the backends.
namespace settings_path {

// The non-empty components of a key path.
std::vector<std::string> Split(std::string_view key);
// Components joined with '\'.
std::string Join(const std::vector<std::string>& components);
// A name with ASCII letters lowered: the form names are compared in.
std::string Folded(std::string_view name);
bool SameName(std::string_view a, std::string_view b);

}  // namespace settings_path

}  // namespace quandrel
