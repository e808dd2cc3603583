#pragma once

// What the help browser knows about the help pages: the catalog of topics
// (page, place in the contents, title, context numbers, index keywords), the
// popup texts of the fields and buttons, the translation of the classic help
// requests the windows send, and the full-text search over the pages.
//
// The catalog file ("topics.txt" in the help folder) holds one topic a line,
// five fields divided by "|":
//     page | level | title | contexts | keywords
// e.g. "interest_calculator.html | 1 | Compound/Simple Interest Calculator |
// 50 | interest; APY". The page is a plain file name ending ".html" (letters,
// digits, "_" and "-"); the level (0 to 4) nests the topic in the contents
// under the nearest earlier topic of a lower level; contexts are numbers
// divided by ","; keywords are divided by ";". Blank lines and lines that
// begin with "#" are skipped. The first topic is the default topic.
//
// The popup file ("CSHelp.txt") holds blocks that each begin with a line
// ".topic <number>"; the lines up to the next such line are that context's
// popup text (blank lines around it dropped, line breaks kept).
//
// Both parsers keep every good entry and describe each line they refuse in
// `problems`; a damaged line never stops the rest from loading.

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quandrel {

struct HelpTopic {
  std::string page;
  int level = 0;
  std::string title;
  std::vector<int> contexts;
  std::vector<std::string> keywords;
};

struct HelpIndexEntry {
  std::string keyword;
  std::size_t topic;  // position in Topics()
};

class THelpCatalog {
 public:
  static THelpCatalog Parse(std::string_view text, std::vector<std::string>& problems);

  const std::vector<HelpTopic>& Topics() const { return m_topics; }
  // The topic that a context number opens, or null when none has it.
  const HelpTopic* TopicForContext(int context) const;
  // The first topic, or null for an empty catalog.
  const HelpTopic* DefaultTopic() const { return m_topics.empty() ? nullptr : &m_topics.front(); }
  // Every keyword of every topic, sorted without regard to case.
  std::vector<HelpIndexEntry> IndexEntries() const;

 private:
  std::vector<HelpTopic> m_topics;
  std::map<int, std::size_t> m_byContext;
};

class THelpPopups {
 public:
  static THelpPopups Parse(std::string_view text, std::vector<std::string>& problems);

  // The popup text of a context, or null when it has none.
  const std::string* Text(int context) const;
  std::size_t Count() const { return m_texts.size(); }

 private:
  std::map<int, std::string> m_texts;
};

// The classic help requests the windows send, and what the help browser
// does with each.
namespace helprequest {
inline constexpr int Context = 1;
inline constexpr int Quit = 2;
inline constexpr int Index = 3;
inline constexpr int ContextPopup = 8;
inline constexpr int Finder = 11;
inline constexpr int Key = 257;
inline constexpr int TopicSearch = 261;
}  // namespace helprequest

enum class HelpAction : std::uint8_t {
  ShowTopic,         // the topic of context `data`
  CloseAll,          // close every help window
  ShowContents,      // the table of contents
  ShowDefaultTopic,  // the default topic
  ShowIndex,         // the keyword index
};

struct HelpCommand {
  HelpAction action;
  std::int64_t data;
  friend bool operator==(const HelpCommand&, const HelpCommand&) = default;
};

// Context and context popup show the topic of the context number; quit
// closes the help; index shows the contents; key shows the index with its
// data; finder and every other request show the default topic.
HelpCommand TranslateHelpRequest(int request, std::int64_t data);

// The positions of the texts that hold every word of the query (words are
// runs of letters and digits, compared without regard to ASCII case), the
// text with the most occurrences first, ties in text order. A query without
// words finds nothing.
std::vector<std::size_t> SearchTexts(std::span<const std::string> texts, std::string_view query);

}  // namespace quandrel
