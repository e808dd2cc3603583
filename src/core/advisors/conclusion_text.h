#pragma once

// What the advisors share for their written conclusions and their money:
// paragraph buffers of fixed capacity, the word wrap that turns them into the
// lines the Results page shows, the money texts inside the sentences and the
// rounding to cents.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/foundation/global_types.h"
#include "core/foundation/locale_facts.h"
#include "core/foundation/masks.h"

namespace quandrel::advisor {

inline constexpr std::size_t kConclusionLineWidth = 85;
inline constexpr std::size_t kMaxConclusionParagraphs = 5;

// The lines of one paragraph, each at most `width` characters (UTF-8 code
// points). A line breaks at the last blank that keeps it within the width;
// the blanks at a break are dropped, and so are blanks at the end of a line.
// A word longer than the width is cut at the width. CR LF, LF and CR inside
// the paragraph end a line where they stand. An empty paragraph has no lines.
// A width of 0 is a programming error (std::invalid_argument).
std::vector<std::string> WrapParagraph(std::string_view paragraph, std::size_t width = kConclusionLineWidth);

// The up to five paragraphs an advisor writes its conclusion into.
class TConclusionText {
 public:
  // One capacity (in characters) per paragraph. More than five paragraphs, or
  // a capacity of 0, is a programming error (std::invalid_argument).
  explicit TConclusionText(std::initializer_list<std::size_t> capacities);

  std::size_t ParagraphCount() const { return m_paragraphs.size(); }
  std::size_t Capacity(std::size_t paragraph) const;

  // Empties every paragraph.
  void Clear();

  // Adds text to the end of a paragraph. What would go beyond the capacity is
  // left off, never part of a character; returns false when text was left
  // off. A paragraph number out of range throws std::out_of_range.
  bool Append(std::size_t paragraph, std::string_view text);

  const std::string& Paragraph(std::size_t paragraph) const;

  // The conclusion as shown: every paragraph that holds text, wrapped, each
  // followed by one empty line.
  std::vector<std::string> Lines(std::size_t width = kConclusionLineWidth) const;

 private:
  struct Buffer {
    std::size_t capacity;
    std::size_t characters;
    std::string text;
  };
  std::vector<Buffer> m_paragraphs;
};

// Money rounded to cents, halves away from zero.
Currency AdvisorCentsRound(Currency amount);

// A real rounded to cents through its decimal text (15 significant digits),
// halves away from zero: 2.675 gives 2.68 although its binary value lies just
// below. A value that is not finite or too large for money raises advisor
// error 125.
Currency AdvisorCentsRound(double amount);

// An amount as the lease-versus-buy and refinance sentences write it: rounded
// to cents and shown with the locale's CurrencyMask, without leading blanks
// ("$1,234.50", "1.234,50 €").
std::string AdvisorMoneyText(Currency amount, const TMasks& masks, const LocaleFacts& facts);

// An amount as the loan-comparison sentences write it: the locale's currency
// format with two decimals.
std::string LoanCompareMoneyText(Currency amount, const LocaleFacts& facts);

}  // namespace quandrel::advisor
