#include "core/shell/text_lines.h"

#include <string>
#include <vector>

#include "core/foundation/text_format.h"

namespace quandrel {
namespace {

// The type letter of each conversion of a pattern, in order ("%%" is none).
std::vector<char> ConversionTypes(std::string_view pattern) {
  std::vector<char> types;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      continue;
    }
    std::size_t k = i + 1;
    if (k < pattern.size() && pattern[k] == '%') {
      i = k;
      continue;
    }
    while (k < pattern.size() &&
           (pattern[k] == '-' || pattern[k] == '.' || (pattern[k] >= '0' && pattern[k] <= '9'))) {
      ++k;
    }
    if (k < pattern.size()) {
      types.push_back(pattern[k]);
    }
    i = k;
  }
  return types;
}

bool IsRealConversion(char type) {
  return type == 'f' || type == 'n' || type == 'm' || type == 'e' || type == 'g';
}

}  // namespace

std::string BuildLine(const LineSpec& line, const TCalculationRecord& record, const TMasks& masks,
                      const LocaleFacts& facts) {
  // The texts must outlive the FormatArgs that refer to them.
  std::array<std::string, 4> texts;
  std::vector<FormatArg> args;
  args.reserve(line.argCount);
  const std::vector<char> types = ConversionTypes(line.pattern);
  for (std::size_t k = 0; k < line.argCount; ++k) {
    const LineArg& arg = line.args[k];
    const std::size_t index = record.IndexOf(arg.field);
    const FieldSpec& spec = record.Fields()[index];
    if (arg.source == LineArg::Source::Label) {
      texts[k] = StripAccelerator(record.Captions[index]);
      if (!spec.copyLabel.empty()) {
        texts[k] = std::string(spec.copyLabel);
      }
      args.emplace_back(texts[k]);
      continue;
    }
    const FieldValue& value = record.Value(index);
    switch (spec.type) {
      case FieldType::Double:
      case FieldType::Single:
        args.emplace_back(value.number);
        break;
      case FieldType::Int32:
        // A count written with separators or decimals ("%16.0n") is a real
        // to the format engine.
        if (k < types.size() && IsRealConversion(types[k])) {
          args.emplace_back(static_cast<double>(value.integer));
        } else {
          args.emplace_back(value.integer);
        }
        break;
      case FieldType::Date:
        texts[k] = masks.DateText(value.integer);
        args.emplace_back(texts[k]);
        break;
      case FieldType::Choice:
        texts[k] = record.ChoiceText(arg.field);
        args.emplace_back(texts[k]);
        break;
      case FieldType::Text:
        args.emplace_back(value.text);
        break;
    }
  }
  return FormatLine(line.pattern, std::span<const FormatArg>(args), facts);
}

}  // namespace quandrel
