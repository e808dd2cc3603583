#include "core/shell/machine_facts.h"

#include <charconv>

namespace quandrel {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// The value of the first "name : value" line whose name is `name`.
std::optional<std::string_view> Field(std::string_view text, std::string_view name) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view line = text.substr(start, end - start);
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos && Trim(line.substr(0, colon)) == name) {
      return Trim(line.substr(colon + 1));
    }
    start = end + 1;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> Kilobytes(std::string_view text, std::string_view name) {
  const auto value = Field(text, name);
  if (!value) {
    return std::nullopt;
  }
  std::string_view digits = *value;
  if (digits.ends_with("kB")) {
    digits = Trim(digits.substr(0, digits.size() - 2));
  }
  std::uint64_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
    return std::nullopt;
  }
  return number;
}

}  // namespace

std::optional<std::string> ProcessorModelFromCpuInfo(std::string_view cpuinfo) {
  for (std::string_view name : {"model name", "Processor", "cpu model"}) {
    const auto value = Field(cpuinfo, name);
    if (value && !value->empty()) {
      std::string squeezed;
      for (char c : *value) {
        if (c == ' ' || c == '\t') {
          if (!squeezed.empty() && squeezed.back() != ' ') {
            squeezed += ' ';
          }
        } else {
          squeezed += c;
        }
      }
      return squeezed;
    }
  }
  return std::nullopt;
}

std::optional<MemoryFacts> MemoryFromMemInfo(std::string_view meminfo) {
  auto available = Kilobytes(meminfo, "MemAvailable");
  if (!available) {
    available = Kilobytes(meminfo, "MemFree");
  }
  const auto total = Kilobytes(meminfo, "MemTotal");
  if (!available || !total) {
    return std::nullopt;
  }
  return MemoryFacts{*available, *total};
}

std::string GroupedNumber(std::uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) {
      grouped += ',';
    }
    grouped += digits[i];
  }
  return grouped;
}

std::string MemoryLine(const MemoryFacts& memory) {
  return GroupedNumber(memory.availableKB) + " of " + GroupedNumber(memory.totalKB) + " in KB";
}

std::string FreeDiskLine(std::uint64_t freeBytes) {
  return GroupedNumber(freeBytes / (1024U * 1024U)) + " MB";
}

}  // namespace quandrel
