#pragma once

// Readers of the kernel's own reports for the about box: the processor model
// from the text of /proc/cpuinfo and the memory figures from /proc/meminfo,
// plus the about box's number lines.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quandrel {

struct MemoryFacts {
  std::uint64_t availableKB = 0;  // memory available for new programs
  std::uint64_t totalKB = 0;      // physical memory
};

// The first "model name" (or, on machines that give none, "Processor" or
// "cpu model") line's value, blanks squeezed; nothing when there is none.
std::optional<std::string> ProcessorModelFromCpuInfo(std::string_view cpuinfo);

// "MemAvailable" (or, from kernels without it, "MemFree") and "MemTotal", in
// kilobytes; nothing when either is missing or not a number.
std::optional<MemoryFacts> MemoryFromMemInfo(std::string_view meminfo);

// A whole number with "," between groups of three digits: "16,318,204".
std::string GroupedNumber(std::uint64_t value);

// "available of total in KB", both grouped: "8,123,456 of 16,318,204 in KB".
std::string MemoryLine(const MemoryFacts& memory);

// Free bytes in megabytes of 1,048,576 bytes, grouped, followed by " MB".
std::string FreeDiskLine(std::uint64_t freeBytes);

}  // namespace quandrel
