#include "core/shell/text_lines.h"

#include <string>
#include <vector>

#include "core/foundation/text_format.h"

namespace quandrel {

std::string BuildLine(const LineSpec& line, const TCalculationRecord& record, const TMasks& masks,
                      const LocaleFacts& facts) {
  // The texts must outlive the FormatArgs that refer to them.
  std::array<std::string, 4> texts;
  std::vector<FormatArg> args;
  args.reserve(line.argCount);
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
        args.emplace_back(value.integer);
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
