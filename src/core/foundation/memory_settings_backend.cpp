#include "core/foundation/memory_settings_backend.h"

namespace quandrel {

using settings_path::Folded;
using settings_path::Split;

MemorySettingsBackend::MemorySettingsBackend() = default;
MemorySettingsBackend::~MemorySettingsBackend() = default;

void MemorySettingsBackend::CheckWritable() const {
  if (m_failWrites) {
    throw ESettingsError("The settings could not be written.");
  }
}

template <class NodeType>
NodeType* MemorySettingsBackend::FindIn(NodeType& root, std::string_view key) {
  NodeType* node = &root;
  for (const std::string& part : Split(key)) {
    auto it = node->children.find(Folded(part));
    if (it == node->children.end()) {
      return nullptr;
    }
    node = it->second.get();
  }
  return node;
}

const MemorySettingsBackend::Node* MemorySettingsBackend::Find(std::string_view key) const {
  return FindIn(m_root, key);
}

MemorySettingsBackend::Node& MemorySettingsBackend::FindOrCreate(std::string_view key, bool record) {
  Node* node = &m_root;
  bool created = false;
  for (const std::string& part : Split(key)) {
    auto& slot = node->children[Folded(part)];
    if (!slot) {
      slot = std::make_unique<Node>();
      slot->name = part;
      created = true;
    }
    node = slot.get();
  }
  if (created && record) {
    m_changes.push_back({Change::Kind::CreateKey, std::string(key), {}});
  }
  return *node;
}

const MemorySettingsBackend::Value* MemorySettingsBackend::FindValue(std::string_view key,
                                                                     std::string_view name) const {
  const Node* node = Find(key);
  if (node == nullptr) {
    return nullptr;
  }
  auto it = node->values.find(Folded(name));
  return it == node->values.end() ? nullptr : &it->second;
}

bool MemorySettingsBackend::KeyExists(std::string_view key) const {
  return Find(key) != nullptr;
}

void MemorySettingsBackend::CreateKey(std::string_view key) {
  CheckWritable();
  FindOrCreate(key, true);
}

void MemorySettingsBackend::DeleteKey(std::string_view key) {
  CheckWritable();
  std::vector<std::string> parts = Split(key);
  if (parts.empty()) {
    return;  // the hive itself is never removed
  }
  std::string last = parts.back();
  parts.pop_back();
  Node* parent = FindIn(m_root, settings_path::Join(parts));
  if (parent == nullptr) {
    return;
  }
  if (parent->children.erase(Folded(last)) > 0) {
    m_changes.push_back({Change::Kind::DeleteKey, std::string(key), {}});
  }
}

std::vector<std::string> MemorySettingsBackend::SubKeyNames(std::string_view key) const {
  std::vector<std::string> names;
  if (const Node* node = Find(key)) {
    for (const auto& [folded, child] : node->children) {
      names.push_back(child->name);
    }
  }
  return names;
}

std::vector<std::string> MemorySettingsBackend::ValueNames(std::string_view key) const {
  std::vector<std::string> names;
  if (const Node* node = Find(key)) {
    for (const auto& [folded, value] : node->values) {
      names.push_back(value.name);
    }
  }
  return names;
}

bool MemorySettingsBackend::ValueExists(std::string_view key, std::string_view name) const {
  return FindValue(key, name) != nullptr;
}

SettingsValueType MemorySettingsBackend::ValueType(std::string_view key, std::string_view name) const {
  const Value* value = FindValue(key, name);
  if (value == nullptr) {
    return SettingsValueType::None;
  }
  switch (value->data.index()) {
    case 0:
      return SettingsValueType::Integer;
    case 1:
      return SettingsValueType::Boolean;
    case 2:
      return SettingsValueType::Real;
    default:
      return SettingsValueType::String;
  }
}

void MemorySettingsBackend::DeleteValue(std::string_view key, std::string_view name) {
  CheckWritable();
  Node* node = FindIn(m_root, key);
  if (node != nullptr && node->values.erase(Folded(name)) > 0) {
    m_changes.push_back({Change::Kind::DeleteValue, std::string(key), std::string(name)});
  }
}

std::optional<std::int32_t> MemorySettingsBackend::ReadInteger(std::string_view key,
                                                               std::string_view name) const {
  const Value* value = FindValue(key, name);
  if (value == nullptr) {
    return std::nullopt;
  }
  if (const auto* i = std::get_if<std::int32_t>(&value->data)) {
    return *i;
  }
  if (const auto* b = std::get_if<bool>(&value->data)) {
    return *b ? 1 : 0;
  }
  return std::nullopt;
}

std::optional<bool> MemorySettingsBackend::ReadBoolean(std::string_view key, std::string_view name) const {
  const Value* value = FindValue(key, name);
  if (value == nullptr) {
    return std::nullopt;
  }
  if (const auto* b = std::get_if<bool>(&value->data)) {
    return *b;
  }
  if (const auto* i = std::get_if<std::int32_t>(&value->data)) {
    return *i != 0;
  }
  return std::nullopt;
}

std::optional<double> MemorySettingsBackend::ReadReal(std::string_view key, std::string_view name) const {
  const Value* value = FindValue(key, name);
  if (value == nullptr) {
    return std::nullopt;
  }
  if (const auto* d = std::get_if<double>(&value->data)) {
    return *d;
  }
  return std::nullopt;
}

std::optional<std::string> MemorySettingsBackend::ReadString(std::string_view key,
                                                             std::string_view name) const {
  const Value* value = FindValue(key, name);
  if (value == nullptr) {
    return std::nullopt;
  }
  if (const auto* s = std::get_if<std::string>(&value->data)) {
    return *s;
  }
  return std::nullopt;
}

void MemorySettingsBackend::Write(std::string_view key, std::string_view name, Data data) {
  CheckWritable();
  Node& node = FindOrCreate(key, false);
  auto [it, inserted] = node.values.try_emplace(Folded(name), Value{std::string(name), Data{}});
  it->second.data = std::move(data);
  m_changes.push_back({Change::Kind::WriteValue, std::string(key), it->second.name});
}

void MemorySettingsBackend::WriteInteger(std::string_view key, std::string_view name, std::int32_t value) {
  Write(key, name, Data{std::in_place_index<0>, value});
}

void MemorySettingsBackend::WriteBoolean(std::string_view key, std::string_view name, bool value) {
  Write(key, name, Data{std::in_place_index<1>, value});
}

void MemorySettingsBackend::WriteReal(std::string_view key, std::string_view name, double value) {
  Write(key, name, Data{std::in_place_index<2>, value});
}

void MemorySettingsBackend::WriteString(std::string_view key, std::string_view name, std::string_view value) {
  Write(key, name, Data{std::in_place_index<3>, std::string(value)});
}

}  // namespace quandrel
