#include "core/shell/help_catalog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/shell/machine_facts.h"
#include "core/shell/tip_list.h"

namespace quandrel {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(HelpRequests, TranslateToTheBrowsersActions) {
  const struct {
    int request;
    std::int64_t data;
    HelpCommand expected;
  } cases[] = {
      {1, 50, {HelpAction::ShowTopic, 50}},         // context
      {8, 81, {HelpAction::ShowTopic, 81}},         // context popup
      {2, 7, {HelpAction::CloseAll, 0}},            // quit
      {3, 7, {HelpAction::ShowContents, 0}},        // index: the table of contents
      {11, 7, {HelpAction::ShowDefaultTopic, 0}},   // finder ("Contents...")
      {257, 42, {HelpAction::ShowIndex, 42}},       // key
      {261, 0, {HelpAction::ShowDefaultTopic, 0}},  // "Topic Search..."
      {0, 5, {HelpAction::ShowDefaultTopic, 0}},   {-1, 5, {HelpAction::ShowDefaultTopic, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TranslateHelpRequest(c.request, c.data), c.expected) << "request " << c.request;
  }
}

TEST(HelpCatalog, ParsesTopicsAndKeepsGoodLinesPastBadOnes) {
  const std::string text =
      "# comment\n"
      "index.html | 0 | Contents | | contents\r\n"
      "\n"
      "loan.html | 1 | Loan Calculator | 60, 61 | loan; Payment, loan;  \n"
      "../secret.html | 1 | Escape | 70 | x\n"
      "bad.html | 9 | Too deep | | \n"
      "two.html | 1 | Two | 61,x | \n"
      "short.html | 1 | Short\n"
      "again.html | 1 | Again | 60 | zebra; Amount\n";
  std::vector<std::string> problems;
  const THelpCatalog catalog = THelpCatalog::Parse(text, problems);

  ASSERT_EQ(catalog.Topics().size(), 3U);
  EXPECT_EQ(catalog.DefaultTopic()->page, "index.html");
  const HelpTopic& loan = catalog.Topics()[1];
  EXPECT_EQ(loan.title, "Loan Calculator");
  EXPECT_EQ(loan.level, 1);
  EXPECT_EQ(loan.contexts, (std::vector<int>{60, 61}));
  EXPECT_EQ(loan.keywords, (std::vector<std::string>{"loan", "Payment, loan"}));
  // A context given twice keeps its first topic.
  EXPECT_EQ(catalog.TopicForContext(60), &loan);
  EXPECT_EQ(catalog.TopicForContext(61), &loan);
  EXPECT_EQ(catalog.TopicForContext(70), nullptr);
  EXPECT_EQ(catalog.TopicForContext(0), nullptr);
  // The unsafe page, the level, the context "x", the short line, the repeated 60.
  ASSERT_EQ(problems.size(), 5U);
  EXPECT_NE(problems[0].find("line 5"), std::string::npos) << problems[0];

  std::vector<std::string> keywords;
  for (const HelpIndexEntry& entry : catalog.IndexEntries()) {
    keywords.push_back(entry.keyword);
  }
  EXPECT_EQ(keywords, (std::vector<std::string>{"Amount", "contents", "loan", "Payment, loan", "zebra"}));
}

TEST(HelpPopups, ReadsBlocksByContextNumber) {
  const std::string text =
      "stray line\n"
      ".topic 6\n"
      "Amount\r\n"
      "The amount.\n"
      "\n"
      ".topic   39\n"
      "\n"
      "  Days  \n"
      ".topic six\n"
      "lost\n"
      ".topic 6\n"
      "Again\n"
      ".topic 13\n"
      "\n"
      ".topical 5\n"
      ".topic 14\n";
  std::vector<std::string> problems;
  const THelpPopups popups = THelpPopups::Parse(text, problems);
  ASSERT_NE(popups.Text(6), nullptr);
  EXPECT_EQ(*popups.Text(6), "Amount\nThe amount.");
  ASSERT_NE(popups.Text(39), nullptr);
  EXPECT_EQ(*popups.Text(39), "Days");
  // ".topical" is a line of its block, not a new block.
  ASSERT_NE(popups.Text(13), nullptr);
  EXPECT_EQ(*popups.Text(13), ".topical 5");
  EXPECT_EQ(popups.Count(), 3U);
  EXPECT_EQ(popups.Text(14), nullptr);
  // The stray line, "six", its "lost" line (which then has no block), the
  // second 6 and the empty 14.
  EXPECT_EQ(problems.size(), 5U);
}

TEST(HelpSearch, FindsTextsWithEveryWordMostOccurrencesFirst) {
  const std::vector<std::string> texts = {
      "Compound interest on an amount.",
      "Loan payment and loan interest; interest again.",
      "Nothing to see.",
      "INTEREST paid on a loan",
  };
  EXPECT_EQ(SearchTexts(texts, "interest"), (std::vector<std::size_t>{1, 0, 3}));
  EXPECT_EQ(SearchTexts(texts, "Loan, interest"), (std::vector<std::size_t>{1, 3}));
  EXPECT_EQ(SearchTexts(texts, "interest zebra"), std::vector<std::size_t>{});
  EXPECT_EQ(SearchTexts(texts, " ,;- "), std::vector<std::size_t>{});
}

TEST(TipList, SkipsCommentsAndWrapsAfterTheLastTip) {
  const TTipList tips = TTipList::Parse("# heading\n  First tip.  \r\n\nSecond tip.\n#x\nThird tip.");
  ASSERT_EQ(tips.Count(), 3U);
  EXPECT_EQ(tips.Tip(0), "First tip.");
  EXPECT_EQ(tips.Tip(2), "Third tip.");
  EXPECT_EQ(tips.NextIndex(0), 1U);
  EXPECT_EQ(tips.NextIndex(2), 0U);
  EXPECT_THROW((void)tips.Tip(3), std::out_of_range);

  std::mt19937 generator(7);
  for (int i = 0; i < 50; ++i) {
    EXPECT_LT(tips.RandomIndex(generator), 3U);
  }
  const TTipList none = TTipList::Parse("# only a comment\n\n");
  EXPECT_TRUE(none.Empty());
  EXPECT_EQ(none.NextIndex(0), 0U);
}

TEST(MachineFacts, ReadsTheKernelReports) {
  const std::string cpuinfo =
      "processor\t: 0\nvendor_id\t: GenuineIntel\n"
      "model name\t: Intel(R) Core(TM)   i7-8650U CPU @ 1.90GHz\nflags\t\t: fpu\n\n"
      "processor\t: 1\nmodel name\t: Other\n";
  EXPECT_EQ(ProcessorModelFromCpuInfo(cpuinfo), "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz");
  EXPECT_EQ(ProcessorModelFromCpuInfo("Processor\t: ARMv7 Processor rev 4 (v7l)\n"),
            "ARMv7 Processor rev 4 (v7l)");
  EXPECT_EQ(ProcessorModelFromCpuInfo("processor : 0\n"), std::nullopt);

  const auto memory =
      MemoryFromMemInfo("MemTotal:       16318204 kB\nMemFree:  1000 kB\nMemAvailable:    8123456 kB\n");
  ASSERT_TRUE(memory.has_value());
  EXPECT_EQ(MemoryLine(*memory), "8,123,456 of 16,318,204 in KB");
  EXPECT_EQ(MemoryFromMemInfo("MemTotal: 2048 kB\nMemFree: 512 kB\n")->availableKB, 512U);
  EXPECT_EQ(MemoryFromMemInfo("MemTotal: lots\nMemAvailable: 1 kB\n"), std::nullopt);
  EXPECT_EQ(MemoryFromMemInfo(""), std::nullopt);

  EXPECT_EQ(GroupedNumber(0), "0");
  EXPECT_EQ(GroupedNumber(999), "999");
  EXPECT_EQ(GroupedNumber(1000), "1,000");
  EXPECT_EQ(GroupedNumber(123456789), "123,456,789");
  EXPECT_EQ(FreeDiskLine(1048576ULL * 20480 + 1048575), "20,480 MB");
}

// The help folder that ships: every catalogued page exists, the topics the
// shell asks for have pages, and the interest calculator's fields and
// buttons have popups.
TEST(ShippedHelp, PagesContextsAndPopupsAreComplete) {
  const std::filesystem::path folder = std::filesystem::path(QUANDREL_SOURCE_DATA_DIR) / "help";
  std::vector<std::string> problems;
  const THelpCatalog catalog = THelpCatalog::Parse(ReadFile(folder / "topics.txt"), problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  ASSERT_NE(catalog.DefaultTopic(), nullptr);
  EXPECT_EQ(catalog.DefaultTopic()->page, "index.html");
  for (const HelpTopic& topic : catalog.Topics()) {
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / topic.page)) << topic.page;
  }
  const struct {
    int context;
    const char* page;
  } topics[] = {{50, "interest_calculator.html"},
                {98, "using_help.html"},
                {338, "global_options.html"},
                {344, "printer_setup.html"}};
  for (const auto& t : topics) {
    ASSERT_NE(catalog.TopicForContext(t.context), nullptr) << t.context;
    EXPECT_EQ(catalog.TopicForContext(t.context)->page, t.page);
  }

  const THelpPopups popups = THelpPopups::Parse(ReadFile(folder / "CSHelp.txt"), problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  for (int context : {6, 39, 81, 41, 42, 13, 45, 118, 27, 26, 24, 19, 28, 381}) {
    EXPECT_NE(popups.Text(context), nullptr) << context;
  }

  const TTipList tips =
      TTipList::Parse(ReadFile(std::filesystem::path(QUANDREL_SOURCE_DATA_DIR) / "tips.txt"));
  EXPECT_GE(tips.Count(), 12U);
}

}  // namespace
}  // namespace quandrel
