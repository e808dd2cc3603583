#pragma once

// A settings backend that lives in memory: the store of the tests and of the
// command-line runner. It records every change made through it, so a test can
// prove that an operation wrote nothing, and it can be told to refuse writes,
// so a test can see a write failure reach its caller.

#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "core/foundation/settings_backend.h"

namespace quandrel {

class MemorySettingsBackend : public SettingsBackend {
 public:
  struct Change {
    enum class Kind : std::uint8_t { CreateKey, DeleteKey, DeleteValue, WriteValue };
    Kind kind;
    std::string key;   // full path as given by the caller
    std::string name;  // value name (empty for key changes)
    friend bool operator==(const Change&, const Change&) = default;
  };

  MemorySettingsBackend();
  ~MemorySettingsBackend() override;
  MemorySettingsBackend(const MemorySettingsBackend&) = delete;
  MemorySettingsBackend& operator=(const MemorySettingsBackend&) = delete;

  bool KeyExists(std::string_view key) const override;
  void CreateKey(std::string_view key) override;
  void DeleteKey(std::string_view key) override;
  std::vector<std::string> SubKeyNames(std::string_view key) const override;
  std::vector<std::string> ValueNames(std::string_view key) const override;

  bool ValueExists(std::string_view key, std::string_view name) const override;
  SettingsValueType ValueType(std::string_view key, std::string_view name) const override;
  void DeleteValue(std::string_view key, std::string_view name) override;

  std::optional<std::int32_t> ReadInteger(std::string_view key, std::string_view name) const override;
  std::optional<bool> ReadBoolean(std::string_view key, std::string_view name) const override;
  std::optional<double> ReadReal(std::string_view key, std::string_view name) const override;
  std::optional<std::string> ReadString(std::string_view key, std::string_view name) const override;

  void WriteInteger(std::string_view key, std::string_view name, std::int32_t value) override;
  void WriteBoolean(std::string_view key, std::string_view name, bool value) override;
  void WriteReal(std::string_view key, std::string_view name, double value) override;
  void WriteString(std::string_view key, std::string_view name, std::string_view value) override;

  // Every change since construction or the last ClearChanges, in order. A
  // CreateKey of a key that already existed, or a DeleteKey or DeleteValue of
  // something missing, changes nothing and is not recorded.
  const std::vector<Change>& Changes() const { return m_changes; }
  void ClearChanges() { m_changes.clear(); }

  // While set, every operation that would change the store throws
  // ESettingsError and changes nothing.
  void SetFailWrites(bool fail) { m_failWrites = fail; }

 private:
  using Data = std::variant<std::int32_t, bool, double, std::string>;
  struct Value {
    std::string name;
    Data data;
  };
  struct Node {
    std::string name;
    std::map<std::string, std::unique_ptr<Node>> children;  // by folded name
    std::map<std::string, Value> values;                    // by folded name
  };

  template <class NodeType>
  static NodeType* FindIn(NodeType& root, std::string_view key);
  const Node* Find(std::string_view key) const;
  Node& FindOrCreate(std::string_view key, bool record);
  const Value* FindValue(std::string_view key, std::string_view name) const;
  void Write(std::string_view key, std::string_view name, Data data);
  void CheckWritable() const;

  Node m_root;
  std::vector<Change> m_changes;
  bool m_failWrites = false;
};

}  // namespace quandrel
