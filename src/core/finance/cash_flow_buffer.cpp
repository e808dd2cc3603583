#include "core/finance/cash_flow_buffer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

#include "core/finance/cash_flow_files.h"
#include "core/finance/finance_exception.h"
#include "core/foundation/text_format.h"
#include "core/io/data_file_error.h"
#include "core/io/file_store.h"

namespace quandrel {
namespace {

// The flow table of the printed report.
constexpr double kBlockWidth = 1.8;
constexpr double kBlocksMargin = 0.2;
constexpr double kSingleBlockMargin = 0.4;
constexpr double kDateColumnWidth = 0.8;  // the amount column takes the rest of the block
constexpr int kMaxBlocks = 3;
constexpr int kLinesBelowTable = 5;
constexpr int kPageBreakLines = 3;
constexpr int kLinesSkippedOnNewPage = 6;
// Amounts up to the grid's mask ("###,###,###,###.##") fit a Currency.
constexpr double kLargestAmount = 1e15;

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

TbufCashFlows::TbufCashFlows(const CalculatorDefinition& definition, const ModelServices& services,
                             const CashFlowFieldIds& ids, const CashFlowFileSpec& file)
    : TbufCalculator(definition, services), m_ids(ids), m_file(file) {}

// ---- Grid entries -------------------------------------------------------------

int TbufCashFlows::TwiceMonthlyRule() const {
  return Services().settings.DefaultTwiceMonthlyDays();
}

void TbufCashFlows::Rebuild(TCashFlowEntries::Amounts amounts) {
  const std::int32_t n = Calculation.Integer(m_ids.totalPeriods);
  if (const auto problem = TotalPeriodsProblem(n)) {
    throw std::out_of_range(*problem);
  }
  m_entries.Build(Calculation.Date(m_ids.initialDate), Calculation.Choice(m_ids.frequency), n,
                  TwiceMonthlyRule(), amounts);
}

void TbufCashFlows::BuildEntries() {
  Rebuild(TCashFlowEntries::Amounts::Zero);
}

void TbufCashFlows::PeriodsChanged() {
  Rebuild(m_entries.Exists() ? TCashFlowEntries::Amounts::Keep : TCashFlowEntries::Amounts::Zero);
}

void TbufCashFlows::FrequencyChanged() {
  Rebuild(TCashFlowEntries::Amounts::Zero);
}

void TbufCashFlows::InitialDateChanged() {
  if (!m_entries.Exists()) {
    Rebuild(TCashFlowEntries::Amounts::Zero);
  } else if (!UseExactDays()) {
    Rebuild(TCashFlowEntries::Amounts::Keep);
  }
}

// ---- The cash-flow list -------------------------------------------------------

void TbufCashFlows::AddCashFlow(DayNumber date, double amount, bool clearFirst) {
  if (clearFirst) {
    m_list.clear();
  }
  m_list.push_back({date, amount});
}

double TbufCashFlows::CashFlowAmount(std::int32_t k) const {
  if (k < 0 || static_cast<std::size_t>(k) >= m_list.size()) {
    RaiseFinanceError(414);
  }
  return m_list[static_cast<std::size_t>(k)].amount;
}

DayNumber TbufCashFlows::CashFlowDate(std::int32_t k) const {
  if (k < 0 || static_cast<std::size_t>(k) >= m_list.size()) {
    RaiseFinanceError(414);
  }
  return m_list[static_cast<std::size_t>(k)].date;
}

void TbufCashFlows::RebuildCashFlowList() {
  // Entries that do not match the fields (the window did not report a
  // change) follow the fields first, keeping what they can.
  if (!m_entries.Exists() || m_entries.Count() != Calculation.Integer(m_ids.totalPeriods)) {
    Rebuild(m_entries.Exists() ? TCashFlowEntries::Amounts::Keep : TCashFlowEntries::Amounts::Zero);
  }
  m_list = m_entries.ToList(Calculation.Date(m_ids.initialDate), Calculation.Real(m_ids.initialAmount));
}

void TbufCashFlows::PrepareCalculation() {
  m_noNegativeFlow = false;
  RebuildCashFlowList();
  for (const TCashFlow& flow : m_list) {
    if (!(std::fabs(flow.amount) < kLargestAmount)) {
      RaiseFinanceError(427);  // beyond what the totals can hold as Currency
    }
  }
  const bool anyNegative =
      std::any_of(m_list.begin(), m_list.end(), [](const TCashFlow& flow) { return flow.amount < 0; });
  if (!anyNegative) {
    m_noNegativeFlow = true;
    const double negated = -Calculation.Real(m_ids.initialAmount);
    Calculation.SetReal(m_ids.initialAmount, negated);
    m_list.front().amount = Calculation.Real(m_ids.initialAmount);
  }
}

std::string TbufCashFlows::NoNegativeFlowNote() const {
  return "Note: no negative cash flows (investments) found.\r\rTherefore, '" + std::string(m_ids.noteName) +
         "' is being set to negative.";
}

// ---- Options --------------------------------------------------------------------

bool TbufCashFlows::UseExactDays() const {
  return Options.localDefaults.Integer(cash_flow_option::UseExactDays) != 0;
}
void TbufCashFlows::SetUseExactDays(bool on) {
  Options.localDefaults.SetInteger(cash_flow_option::UseExactDays, on ? 1 : 0);
}
bool TbufCashFlows::CopyPriorCell() const {
  return Options.localDefaults.Integer(cash_flow_option::CopyPriorCell) != 0;
}
void TbufCashFlows::SetCopyPriorCell(bool on) {
  Options.localDefaults.SetInteger(cash_flow_option::CopyPriorCell, on ? 1 : 0);
}

std::string TbufCashFlows::ShortDatePicture() const {
  std::string picture = Services().masks.DatePicture;
  std::string lower = picture;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (const auto at = lower.find("yyyy"); at != std::string::npos) {
    picture.erase(at, 2);
  }
  return picture;
}

std::string TbufCashFlows::ShortDateText(DayNumber date) const {
  return DateText(ShortDatePicture(), date);
}

// ---- Files ------------------------------------------------------------------------

void TbufCashFlows::SaveToFile(const std::filesystem::path& path) {
  RebuildCashFlowList();
  SaveFileAtomically(path, FileBytes());
}

void TbufCashFlows::LoadFromFile(const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path, kMaxCashFlowFileBytes);
  } catch (const EDataFileError& e) {
    if (e.IsFileContent()) {
      RaiseFinanceError(412);
    }
    throw;
  }
  TakeFile(bytes);
}

std::filesystem::path TbufCashFlows::LastFilePath() const {
  return Services().settings.UserDataFolder() / std::string(m_file.lastFileName);
}

bool TbufCashFlows::LoadLastFile() {
  const std::filesystem::path path = LastFilePath();
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    return true;
  }
  try {
    LoadFromFile(path);
  } catch (const EFinanceException&) {
    return false;
  } catch (const EDataFileError&) {
    return false;
  }
  return true;
}

void TbufCashFlows::SaveLastFile() {
  SaveToFile(LastFilePath());
}

void TbufCashFlows::ApplyFileOpeningRule(const TCalculationRecord* lastCalculatedElsewhere) {
  if (lastCalculatedElsewhere != nullptr) {
    CopyCalculationFrom(*lastCalculatedElsewhere);
    BuildEntries();
    return;
  }
  bool loaded = false;
  if (Options.openWith == OpenWith::LastEntered) {
    std::error_code error;
    const bool present = std::filesystem::exists(LastFilePath(), error);
    if (!LoadLastFile()) {
      Options.openWith = OpenWith::Defaults;
      Options.defaultsFrom = DefaultsFrom::Local;
    } else {
      loaded = present;
    }
  }
  if (Options.openWith == OpenWith::Defaults) {
    if (Options.defaultsFrom == DefaultsFrom::Local) {
      ApplyLocalDefaults();
    } else if (Options.defaultsFrom == DefaultsFrom::Global) {
      ApplyGlobalDefaults();
    }
  }
  if (!loaded) {
    BuildEntries();
  }
}

void TbufCashFlows::TakeLoadedList(TCashFlowList&& list) {
  TCashFlowEntries entries;
  entries.Assign(list);
  m_entries = std::move(entries);
  m_list = std::move(list);
}

std::string TbufCashFlows::DataFolder() const {
  return Services().settings.DataPath();
}

void TbufCashFlows::RememberDataFolder(const std::filesystem::path& chosenFile) {
  const std::filesystem::path folder = chosenFile.parent_path();
  if (!folder.empty()) {
    Services().settings.SetDataPath(folder.generic_string());
  }
}

// ---- The printed flow table ---------------------------------------------------------

void TbufCashFlows::PrintFlowTable(TReportCanvas& canvas, double paperWidth) const {
  const LocaleFacts& facts = Services().facts;
  const std::size_t flows = m_list.size();
  if (flows == 0) {
    return;
  }
  if (canvas.LinesLeft() <= kPageBreakLines + 1) {
    canvas.NewPage();
    for (int i = 0; i < kLinesSkippedOnNewPage; ++i) {
      canvas.NewLine();
    }
  }
  const std::size_t rows = static_cast<std::size_t>(std::max(1, canvas.LinesLeft() - kLinesBelowTable));
  std::size_t blocks = flows < rows ? 1 : (flows + rows - 1) / rows;
  blocks = std::clamp<std::size_t>(blocks, 1, kMaxBlocks);
  const double margin = blocks == 1 ? kSingleBlockMargin : kBlocksMargin;
  const double spacing =
      blocks == 1 ? kBlockWidth : (paperWidth - 2 * kBlocksMargin) / static_cast<double>(blocks);
  std::vector<double> lefts(blocks);
  for (std::size_t b = 0; b < blocks; ++b) {
    lefts[b] = margin + spacing * static_cast<double>(b);
  }

  const auto printHeadings = [&] {
    canvas.SetBold(true);
    for (const double x : lefts) {
      canvas.PrintRight(Trimmed(FormatLine("%11s", {"Date"}, facts)), x + kDateColumnWidth);
      canvas.PrintRight(Trimmed(FormatLine("%16s", {"Amount"}, facts)), x + kBlockWidth);
    }
    canvas.SetBold(false);
    canvas.NewLine();
  };

  printHeadings();
  for (std::size_t first = 0; first < flows; first += blocks) {
    if (canvas.LinesLeft() <= kPageBreakLines) {
      canvas.NewPage();
      for (int i = 0; i < kLinesSkippedOnNewPage; ++i) {
        canvas.NewLine();
      }
      printHeadings();
    }
    for (std::size_t b = 0; b < blocks && first + b < flows; ++b) {
      const TCashFlow& flow = m_list[first + b];
      canvas.PrintRight(Trimmed(FormatLine("%11s", {ShortDateText(flow.date)}, facts)),
                        lefts[b] + kDateColumnWidth);
      canvas.PrintRight(Trimmed(FormatLine("%16.2m", {flow.amount}, facts)), lefts[b] + kBlockWidth);
    }
    canvas.NewLine();
  }
}

}  // namespace quandrel
