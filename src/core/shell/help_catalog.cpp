#include "core/shell/help_catalog.h"

#include <algorithm>
#include <charconv>

namespace quandrel {

namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::vector<std::string_view> Split(std::string_view text, char divider) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(divider, start);
    parts.push_back(
        Trim(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start)));
    if (end == std::string_view::npos) {
      return parts;
    }
    start = end + 1;
  }
}

// Calls `line` with each line of the text and its number (from 1).
template <class Visit>
void ForEachLine(std::string_view text, Visit line) {
  std::size_t start = 0;
  int number = 1;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    std::string_view current = text.substr(start, end - start);
    if (!current.empty() && current.back() == '\r') {
      current.remove_suffix(1);
    }
    line(current, number);
    start = end + 1;
    ++number;
  }
}

bool ParseInt(std::string_view text, int& value) {
  if (text.empty()) {
    return false;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool IsPageName(std::string_view page) {
  constexpr std::string_view kSuffix = ".html";
  if (page.size() <= kSuffix.size() || !page.ends_with(kSuffix)) {
    return false;
  }
  return std::all_of(page.begin(), page.end() - static_cast<std::ptrdiff_t>(kSuffix.size()), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
  });
}

char Fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Folded(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), Fold);
  return folded;
}

bool IsWordCharacter(char c) {
  // Bytes of UTF-8 sequences count as letters, so accented words stay whole.
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         (static_cast<unsigned char>(c) & 0x80U) != 0;
}

std::string LineProblem(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

}  // namespace

THelpCatalog THelpCatalog::Parse(std::string_view text, std::vector<std::string>& problems) {
  THelpCatalog catalog;
  ForEachLine(text, [&](std::string_view line, int number) {
    const std::string_view content = Trim(line);
    if (content.empty() || content.front() == '#') {
      return;
    }
    const std::vector<std::string_view> fields = Split(content, '|');
    if (fields.size() != 5) {
      problems.push_back(LineProblem(number, "a topic has five fields divided by \"|\""));
      return;
    }
    HelpTopic topic;
    topic.page = std::string(fields[0]);
    if (!IsPageName(fields[0])) {
      problems.push_back(LineProblem(number, "\"" + topic.page + "\" is not a page name"));
      return;
    }
    if (!ParseInt(fields[1], topic.level) || topic.level < 0 || topic.level > 4) {
      problems.push_back(LineProblem(number, "the level must be a number from 0 to 4"));
      return;
    }
    topic.title = std::string(fields[2]);
    if (topic.title.empty()) {
      problems.push_back(LineProblem(number, "the topic has no title"));
      return;
    }
    if (!fields[3].empty()) {
      for (std::string_view part : Split(fields[3], ',')) {
        int context = 0;
        if (!ParseInt(part, context) || context <= 0) {
          problems.push_back(LineProblem(number, "\"" + std::string(part) + "\" is not a context number"));
          return;
        }
        topic.contexts.push_back(context);
      }
    }
    for (std::string_view keyword : Split(fields[4], ';')) {
      if (!keyword.empty()) {
        topic.keywords.emplace_back(keyword);
      }
    }
    const std::size_t position = catalog.m_topics.size();
    for (int context : topic.contexts) {
      if (!catalog.m_byContext.emplace(context, position).second) {
        problems.push_back(
            LineProblem(number, "context " + std::to_string(context) + " already opens an earlier topic"));
      }
    }
    catalog.m_topics.push_back(std::move(topic));
  });
  return catalog;
}

const HelpTopic* THelpCatalog::TopicForContext(int context) const {
  const auto found = m_byContext.find(context);
  return found == m_byContext.end() ? nullptr : &m_topics[found->second];
}

std::vector<HelpIndexEntry> THelpCatalog::IndexEntries() const {
  std::vector<HelpIndexEntry> entries;
  for (std::size_t i = 0; i < m_topics.size(); ++i) {
    for (const std::string& keyword : m_topics[i].keywords) {
      entries.push_back({keyword, i});
    }
  }
  std::stable_sort(entries.begin(), entries.end(), [](const HelpIndexEntry& a, const HelpIndexEntry& b) {
    return Folded(a.keyword) < Folded(b.keyword);
  });
  return entries;
}

THelpPopups THelpPopups::Parse(std::string_view text, std::vector<std::string>& problems) {
  THelpPopups popups;
  constexpr std::string_view kTopic = ".topic";
  bool collecting = false;
  int context = 0;
  int topicLine = 0;
  std::vector<std::string_view> lines;
  const auto finish = [&] {
    if (!collecting) {
      return;
    }
    while (!lines.empty() && Trim(lines.back()).empty()) {
      lines.pop_back();
    }
    std::size_t first = 0;
    while (first < lines.size() && Trim(lines[first]).empty()) {
      ++first;
    }
    std::string body;
    for (std::size_t i = first; i < lines.size(); ++i) {
      if (!body.empty() || i > first) {
        body += '\n';
      }
      body += Trim(lines[i]);
    }
    if (body.empty()) {
      problems.push_back(LineProblem(topicLine, "topic " + std::to_string(context) + " has no text"));
    } else if (!popups.m_texts.emplace(context, std::move(body)).second) {
      problems.push_back(LineProblem(topicLine, "topic " + std::to_string(context) + " is given twice"));
    }
    lines.clear();
    collecting = false;
  };
  ForEachLine(text, [&](std::string_view line, int number) {
    const std::string_view content = Trim(line);
    if (content.starts_with(kTopic) && (content.size() == kTopic.size() || content[kTopic.size()] == ' ' ||
                                        content[kTopic.size()] == '\t')) {
      finish();
      if (!ParseInt(Trim(content.substr(kTopic.size())), context) || context <= 0) {
        problems.push_back(LineProblem(number, "\"" + std::string(content) + "\" names no context number"));
        return;
      }
      collecting = true;
      topicLine = number;
      return;
    }
    if (collecting) {
      lines.push_back(line);
    } else if (!content.empty()) {
      problems.push_back(LineProblem(number, "text before the first .topic line"));
    }
  });
  finish();
  return popups;
}

const std::string* THelpPopups::Text(int context) const {
  const auto found = m_texts.find(context);
  return found == m_texts.end() ? nullptr : &found->second;
}

HelpCommand TranslateHelpRequest(int request, std::int64_t data) {
  switch (request) {
    case helprequest::Context:
    case helprequest::ContextPopup:
      return {HelpAction::ShowTopic, data};
    case helprequest::Quit:
      return {HelpAction::CloseAll, 0};
    case helprequest::Index:
      return {HelpAction::ShowContents, 0};
    case helprequest::Key:
      return {HelpAction::ShowIndex, data};
    default:
      return {HelpAction::ShowDefaultTopic, 0};
  }
}

std::vector<std::size_t> SearchTexts(std::span<const std::string> texts, std::string_view query) {
  std::vector<std::string> words;
  std::string word;
  for (char c : query) {
    if (IsWordCharacter(c)) {
      word += Fold(c);
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) {
    words.push_back(std::move(word));
  }
  if (words.empty()) {
    return {};
  }
  std::vector<std::pair<std::size_t, std::size_t>> hits;  // occurrences, position
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string folded = Folded(texts[i]);
    std::size_t total = 0;
    bool all = true;
    for (const std::string& w : words) {
      std::size_t count = 0;
      for (std::size_t at = folded.find(w); at != std::string::npos; at = folded.find(w, at + w.size())) {
        ++count;
      }
      if (count == 0) {
        all = false;
        break;
      }
      total += count;
    }
    if (all) {
      hits.emplace_back(total, i);
    }
  }
  std::stable_sort(hits.begin(), hits.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::size_t> found;
  found.reserve(hits.size());
  for (const auto& hit : hits) {
    found.push_back(hit.second);
  }
  return found;
}

}  // namespace quandrel
