#include "core/advisors/conclusion_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "core/advisors/advisor_exception.h"
#include "core/foundation/mask_format.h"
#include "core/foundation/text_format.h"

namespace quandrel::advisor {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// Wraps one piece of a paragraph that holds no line end.
void WrapSegment(std::string_view segment, std::size_t width, std::vector<std::string>& lines) {
  // The byte offset of every character, and of the end.
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < segment.size(); ++i) {
    if (!IsContinuationByte(segment[i])) {
      starts.push_back(i);
    }
  }
  const std::size_t count = starts.size();
  starts.push_back(segment.size());
  const auto isBlank = [&](std::size_t character) { return segment[starts[character]] == ' '; };
  const auto emit = [&](std::size_t first, std::size_t end) {
    while (end > first && isBlank(end - 1)) {
      --end;
    }
    lines.emplace_back(segment.substr(starts[first], starts[end] - starts[first]));
  };

  std::size_t first = 0;
  while (count - first > width) {
    // The last blank that keeps the line within the width, with text before it.
    std::size_t lineEnd = first + width;
    for (std::size_t k = first + width; k > first; --k) {
      if (isBlank(k)) {
        std::size_t textEnd = k;
        while (textEnd > first && isBlank(textEnd - 1)) {
          --textEnd;
        }
        if (textEnd > first) {
          lineEnd = k;
        }
        break;
      }
    }
    emit(first, lineEnd);
    first = lineEnd;
    while (first < count && isBlank(first)) {
      ++first;
    }
  }
  if (first < count || count == 0) {
    emit(first, count);
  }
}

}  // namespace

std::vector<std::string> WrapParagraph(std::string_view paragraph, std::size_t width) {
  if (width == 0) {
    throw std::invalid_argument("WrapParagraph: the line width must be positive");
  }
  std::vector<std::string> lines;
  if (paragraph.empty()) {
    return lines;
  }
  while (true) {
    const std::size_t end = paragraph.find_first_of("\r\n");
    WrapSegment(paragraph.substr(0, end), width, lines);
    if (end == std::string_view::npos) {
      break;
    }
    std::size_t next = end + 1;
    if (paragraph[end] == '\r' && next < paragraph.size() && paragraph[next] == '\n') {
      ++next;
    }
    paragraph.remove_prefix(next);
    if (paragraph.empty()) {
      break;
    }
  }
  return lines;
}

TConclusionText::TConclusionText(std::initializer_list<std::size_t> capacities) {
  if (capacities.size() > kMaxConclusionParagraphs) {
    throw std::invalid_argument("TConclusionText: at most five paragraphs");
  }
  for (const std::size_t capacity : capacities) {
    if (capacity == 0) {
      throw std::invalid_argument("TConclusionText: a paragraph needs a capacity");
    }
    m_paragraphs.push_back(Buffer{capacity, 0, {}});
  }
}

std::size_t TConclusionText::Capacity(std::size_t paragraph) const {
  return m_paragraphs.at(paragraph).capacity;
}

void TConclusionText::Clear() {
  for (Buffer& buffer : m_paragraphs) {
    buffer.characters = 0;
    buffer.text.clear();
  }
}

bool TConclusionText::Append(std::size_t paragraph, std::string_view text) {
  Buffer& buffer = m_paragraphs.at(paragraph);
  std::size_t taken = 0;
  while (taken < text.size()) {
    std::size_t next = taken + 1;
    while (next < text.size() && IsContinuationByte(text[next])) {
      ++next;
    }
    if (buffer.characters == buffer.capacity) {
      break;
    }
    ++buffer.characters;
    taken = next;
  }
  buffer.text.append(text.substr(0, taken));
  return taken == text.size();
}

const std::string& TConclusionText::Paragraph(std::size_t paragraph) const {
  return m_paragraphs.at(paragraph).text;
}

std::vector<std::string> TConclusionText::Lines(std::size_t width) const {
  std::vector<std::string> lines;
  for (const Buffer& buffer : m_paragraphs) {
    if (buffer.text.empty()) {
      continue;
    }
    std::vector<std::string> wrapped = WrapParagraph(buffer.text, width);
    lines.insert(lines.end(), wrapped.begin(), wrapped.end());
    lines.emplace_back();
  }
  return lines;
}

Currency AdvisorCentsRound(Currency amount) {
  const std::int64_t units = amount.Units();
  std::int64_t cents = units / 100;
  const std::int64_t rest = units % 100;
  if (rest >= 50) {
    ++cents;
  } else if (rest <= -50) {
    --cents;
  }
  return Currency::FromUnits(cents * 100);
}

Currency AdvisorCentsRound(double amount) {
  if (!std::isfinite(amount)) {
    RaiseAdvisorError(advisor_error::kOutOfRange);
  }
  if (amount == 0) {
    return Currency();
  }
  // d.dddddddddddddde±x: the value's text with 15 significant digits.
  constexpr int kDigits = 15;
  char text[64];
  const auto written =
      std::to_chars(text, text + sizeof text, std::fabs(amount), std::chars_format::scientific, kDigits - 1);
  if (written.ec != std::errc()) {
    RaiseAdvisorError(advisor_error::kOutOfRange);
  }
  const std::string_view scientific(text, static_cast<std::size_t>(written.ptr - text));
  const std::size_t e = scientific.find('e');
  std::string digits;
  for (const char c : scientific.substr(0, e)) {
    if (c != '.') {
      digits += c;
    }
  }
  int exponent = 0;
  const std::string_view exponentText = scientific.substr(e + 1);
  const char* exponentBegin = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
  std::from_chars(exponentBegin, exponentText.data() + exponentText.size(), exponent);

  // The digits up to the cents are the first exponent + 3 of them.
  const int kept = exponent + 3;
  std::int64_t cents = 0;
  constexpr std::int64_t kMaxCents = std::numeric_limits<std::int64_t>::max() / 100;
  for (int i = 0; i < kept; ++i) {
    const int digit = i < kDigits ? digits[static_cast<std::size_t>(i)] - '0' : 0;
    if (cents > (kMaxCents - digit) / 10) {
      RaiseAdvisorError(advisor_error::kOutOfRange);
    }
    cents = cents * 10 + digit;
  }
  if (kept >= 0 && kept < kDigits && digits[static_cast<std::size_t>(kept)] >= '5') {
    ++cents;
  }
  if (cents > kMaxCents) {
    RaiseAdvisorError(advisor_error::kOutOfRange);
  }
  return Currency::FromUnits((amount < 0 ? -cents : cents) * 100);
}

std::string AdvisorMoneyText(Currency amount, const TMasks& masks, const LocaleFacts& facts) {
  const Currency cents = AdvisorCentsRound(amount);
  std::string text = FormatMaskedNumber(cents.ToDouble(), ParseNumberMask(masks.CurrencyMask), facts);
  const std::size_t first = text.find_first_not_of(' ');
  text.erase(0, first == std::string::npos ? text.size() : first);
  return text;
}

std::string LoanCompareMoneyText(Currency amount, const LocaleFacts& facts) {
  return FormatLine("%.2m", {amount}, facts);
}

}  // namespace quandrel::advisor
