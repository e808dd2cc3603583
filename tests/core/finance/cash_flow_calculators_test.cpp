#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/finance/cash_flow_files.h"
#include "core/finance/finance_test_support.h"
#include "core/finance/irr_buffer.h"
#include "core/finance/npv_buffer.h"
#include "core/foundation/date_arithmetic.h"
#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/system_facts.h"
#include "core/io/binary_writer.h"
#include "core/report/recording_canvas.h"

namespace quandrel {
namespace {

using testing::FinanceErrorCode;
namespace nf = npv_field;
namespace rf = irr_field;

// A fresh user in memory with the United States locale, a fixed today
// (Thursday 1 January 2026) and a data folder of its own.
struct CashFlowFixture : ::testing::Test {
  FixedTodayScope today{DateFromDMY(1, 1, 2026)};
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("quandrel-cash-flow-tests-" +
       std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  MemorySettingsBackend backend;
  FixedSystemFacts system{"Ann Smith", "", folder};
  TStRegIniEx settings{backend, system};
  LocaleFacts facts = LocaleFacts::UnitedStates();
  TMasks masks{facts};
  ModelServices services{settings, masks, facts};

  CashFlowFixture() {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  ~CashFlowFixture() override { std::filesystem::remove_all(folder); }

  static std::vector<std::uint8_t> Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
};

// NPV of `n` flows at frequency position `frequency` from `start`.
void Prepare(TbufCashFlows& model, std::string_view amountId, std::string_view periodsId,
             std::string_view dateId, std::string_view frequencyId, double initial, std::int32_t n,
             DayNumber start, int frequency) {
  model.Calculation.SetReal(amountId, initial);
  model.Calculation.SetInteger(periodsId, n);
  model.Calculation.SetDate(dateId, start);
  model.Calculation.SetChoice(frequencyId, frequency);
  model.BuildEntries();
}

constexpr int kMonthly = 5;
constexpr int kAnnually = 9;

TEST(TotalPeriodsProblem, RefusesWhatA16BitCountCannotHold) {
  struct Case {
    std::int64_t value;
    bool accepted;
  };
  for (const Case c : {Case{0, true}, Case{48, true}, Case{32767, true}, Case{32768, false},
                       Case{99999, false}, Case{-1, false}, Case{65536 + 48, false}}) {
    EXPECT_EQ(!TotalPeriodsProblem(c.value).has_value(), c.accepted) << c.value;
  }
  EXPECT_EQ(*TotalPeriodsProblem(40000), "'Total Periods' must be between 0 and 32,767.");
}

TEST(CashFlowEntries, NumbersAndDatesFromTheInitialDate) {
  TCashFlowEntries entries;
  entries.Build(DateFromDMY(15, 1, 2026), kMonthly, 5, 0, TCashFlowEntries::Amounts::Zero);
  ASSERT_EQ(entries.Count(), 5);
  for (std::int32_t k = 1; k <= 5; ++k) {
    EXPECT_EQ(entries.Entry(k).number, k);
    EXPECT_EQ(entries.Entry(k).date, DateFromDMY(15, 1 + k, 2026));
    EXPECT_EQ(entries.Entry(k).amount, 0);
  }
  // five entries: three data rows, the last with one entry
  EXPECT_EQ(TCashFlowEntries::DataRows(5), 3);
  EXPECT_EQ(entries.EntryAt(1, 1), 2);
  EXPECT_EQ(entries.EntryAt(3, 0), 5);
  EXPECT_EQ(entries.EntryAt(3, 1), 0);
  EXPECT_EQ(FinanceErrorCode([&] { entries.Entry(6); }), 414);
  EXPECT_EQ(FinanceErrorCode([&] { entries.Entry(0); }), 414);
  // month ends stay month ends
  entries.Build(DateFromDMY(31, 1, 2026), kMonthly, 2, 0, TCashFlowEntries::Amounts::Zero);
  EXPECT_EQ(entries.Entry(1).date, DateFromDMY(28, 2, 2026));
  EXPECT_EQ(entries.Entry(2).date, DateFromDMY(31, 3, 2026));
}

TEST_F(CashFlowFixture, RebuildingKeepsOrClearsAmountsByTheChange) {
  TbufNPV npv(services);
  Prepare(npv, nf::InitialAmount, nf::TotalPeriods, nf::InitialDate, nf::PaymentPeriod, -100, 4,
          DateFromDMY(15, 1, 2026), kMonthly);
  for (std::int32_t k = 1; k <= 4; ++k) {
    npv.Entries().SetAmount(k, 10.0 * k);
  }
  npv.Calculation.SetInteger(nf::TotalPeriods, 6);
  npv.PeriodsChanged();
  ASSERT_EQ(npv.Entries().Count(), 6);
  EXPECT_EQ(npv.Entries().Entry(4).amount, 40);
  EXPECT_EQ(npv.Entries().Entry(5).amount, 0);
  EXPECT_EQ(npv.Entries().Entry(6).date, DateFromDMY(15, 7, 2026));

  // a count the field cannot hold changes nothing
  npv.Calculation.SetInteger(nf::TotalPeriods, 40000);
  EXPECT_THROW(npv.PeriodsChanged(), std::out_of_range);
  EXPECT_EQ(npv.Entries().Count(), 6);
  npv.Calculation.SetInteger(nf::TotalPeriods, 6);

  // exact days: a typed date survives a change of the initial date ...
  npv.SetUseExactDays(true);
  npv.Entries().SetDate(2, DateFromDMY(20, 3, 2026));
  npv.Calculation.SetDate(nf::InitialDate, DateFromDMY(1, 2, 2026));
  npv.InitialDateChanged();
  EXPECT_EQ(npv.Entries().Entry(2).date, DateFromDMY(20, 3, 2026));
  // ... but not a change of Total Periods
  npv.Calculation.SetInteger(nf::TotalPeriods, 5);
  npv.PeriodsChanged();
  EXPECT_EQ(npv.Entries().Entry(2).date, DateFromDMY(1, 4, 2026));
  EXPECT_EQ(npv.Entries().Entry(2).amount, 20);
  // without exact days the initial date rebuilds the dates
  npv.SetUseExactDays(false);
  npv.Calculation.SetDate(nf::InitialDate, DateFromDMY(10, 1, 2026));
  npv.InitialDateChanged();
  EXPECT_EQ(npv.Entries().Entry(1).date, DateFromDMY(10, 2, 2026));
  EXPECT_EQ(npv.Entries().Entry(3).amount, 30);

  EXPECT_TRUE(npv.FrequencyChangeNeedsConfirmation());
  npv.Calculation.SetChoice(nf::PaymentPeriod, kAnnually);
  npv.FrequencyChanged();
  EXPECT_EQ(npv.Entries().Entry(1).date, DateFromDMY(10, 1, 2027));
  EXPECT_EQ(npv.Entries().Entry(3).amount, 0);

  npv.Entries().SetAmount(1, 5);
  npv.ClearCashFlows();
  EXPECT_EQ(npv.Entries().Entry(1).amount, 0);
  EXPECT_EQ(npv.Entries().Entry(1).date, DateFromDMY(10, 1, 2027));
}

TEST_F(CashFlowFixture, NpvOfOneYearIsZeroInBothModes) {
  for (const bool exact : {true, false}) {
    TbufNPV npv(services);
    Prepare(npv, nf::InitialAmount, nf::TotalPeriods, nf::InitialDate, nf::PaymentPeriod, -1000, 1,
            DateFromDMY(1, 1, 2026), kAnnually);
    npv.SetUseExactDays(exact);
    npv.Calculation.SetReal(nf::DiscountRate, 10);
    npv.Entries().SetAmount(1, 1100);
    npv.Calculate();
    EXPECT_NEAR(npv.Calculation.Real(nf::NetPresentValue), 0, 1e-6) << exact;
    EXPECT_EQ(npv.Calculation.Real(nf::TotalInvested), -1000);
    EXPECT_EQ(npv.Calculation.Real(nf::TotalReturn), 1100);
    EXPECT_EQ(npv.Calculation.Real(nf::NetCashFlow), 100);
    EXPECT_FALSE(npv.NoNegativeFlowFound());
  }
  // periodic monthly: the annual 10% is split as 1.1^(1/12) - 1, so twelve
  // monthly periods discount 1100 by exactly 1.1
  TbufNPV npv(services);
  Prepare(npv, nf::InitialAmount, nf::TotalPeriods, nf::InitialDate, nf::PaymentPeriod, -1000, 12,
          DateFromDMY(1, 1, 2026), kMonthly);
  npv.SetUseExactDays(false);
  npv.Calculation.SetReal(nf::DiscountRate, 10);
  npv.Entries().SetAmount(12, 1100);
  npv.Calculate();
  EXPECT_NEAR(npv.Calculation.Real(nf::NetPresentValue), 0, 1e-6);
}

TEST_F(CashFlowFixture, AllPositiveFlowsTurnTheInitialAmountIntoAnInvestment) {
  TbufIRR irr(services);
  Prepare(irr, rf::InitialInvestment, rf::TotalPeriods, rf::InitialDate, rf::CashFlowFrequency, 1000, 1,
          DateFromDMY(1, 1, 2026), kAnnually);
  irr.Entries().SetAmount(1, 1100);
  irr.Calculate();
  EXPECT_TRUE(irr.NoNegativeFlowFound());
  EXPECT_EQ(irr.Calculation.Real(rf::InitialInvestment), -1000);
  EXPECT_NEAR(irr.Calculation.Real(rf::IRR), 10.0, 5e-4);
  EXPECT_EQ(
      irr.NoNegativeFlowNote(),
      "Note: no negative cash flows (investments) found.\r\rTherefore, 'Periodic Cash Flow' is being set to "
      "negative.");
  TbufNPV npv(services);
  EXPECT_NE(npv.NoNegativeFlowNote().find("'Initial Amount'"), std::string::npos);
}

TEST_F(CashFlowFixture, AFailedIrrKeepsTheTotals) {
  TbufIRR irr(services);
  Prepare(irr, rf::InitialInvestment, rf::TotalPeriods, rf::InitialDate, rf::CashFlowFrequency, -1000, 2,
          DateFromDMY(1, 1, 2026), kAnnually);
  irr.Entries().SetAmount(1, -10);
  EXPECT_EQ(FinanceErrorCode([&] { irr.Calculate(); }), 410);
  EXPECT_EQ(irr.Calculation.Real(rf::IRR), 0);
  EXPECT_EQ(irr.Calculation.Real(rf::TotalInvested), -1010);
  // with exact days a typed date before the initial date is refused
  irr.SetUseExactDays(true);
  irr.Entries().SetAmount(1, 1100);
  irr.Entries().SetDate(2, DateFromDMY(1, 12, 2025));
  EXPECT_EQ(FinanceErrorCode([&] { irr.Calculate(); }), 411);
  EXPECT_EQ(FinanceErrorCode([&] { irr.CashFlowAmount(3); }), 414);
  EXPECT_EQ(irr.CashFlowAmount(1), 1100);
}

TEST_F(CashFlowFixture, CopyTextOfTheIrr) {
  TbufIRR irr(services);
  Prepare(irr, rf::InitialInvestment, rf::TotalPeriods, rf::InitialDate, rf::CashFlowFrequency, -1000, 1,
          DateFromDMY(1, 1, 2026), kAnnually);
  irr.Entries().SetAmount(1, 1100);
  irr.Calculate();
  const std::string expected =
      "Internal Rate of Return Calculator\r\n"
      "\r\n"
      "Initial Investment?:          ($1,000.00)\r\n"
      "Total Periods? (#):                     1\r\n"
      "Initial Investment Date?:      01/01/2026\r\n"
      "Periodic Cash Flow?:             Annually\r\n"
      "Estimated IRR (guess)?:              0.00\r\n"
      "\r\n"
      "\r\n"
      "01/01/2027                        1100.00\r\n"
      "\r\n"
      "Internal Rate of Return (IRR) (%):       10.0000\r\n"
      "Total Invested (-outflows):          ($1,000.00)\r\n"
      "Total Return (+inflows):               $1,100.00\r\n"
      "Net Cash Flow Over 1 Year:               $100.00\r\n";
  EXPECT_EQ(irr.CopyText(), expected);
  EXPECT_EQ(irr.SpanCaption(2.5), "Net Cash Flow Over 2.5 Years:");
}

TEST_F(CashFlowFixture, CopyTextOfTheNpvUsesShortDates) {
  TbufNPV npv(services);
  Prepare(npv, nf::InitialAmount, nf::TotalPeriods, nf::InitialDate, nf::PaymentPeriod, -1000, 2,
          DateFromDMY(1, 1, 2026), kAnnually);
  npv.Calculation.SetReal(nf::DiscountRate, 10);
  npv.Entries().SetAmount(1, 550);
  npv.Entries().SetAmount(2, 605);
  npv.Calculate();
  // 550/1.1 + 605/1.21 = 1000
  const std::string text = npv.CopyText();
  EXPECT_NE(text.find("Initial Date?:                          01/01/26\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Payment Period?:                        Annually\r\n\r\n\r\n01/01/27"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("01/01/28                                 $605.00\r\n\r\nNet Present Value:"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Net Present Value:                         $0.00\r\n"), std::string::npos) << text;
}

TEST_F(CashFlowFixture, PrintedFlowTableInBlocksAndPages) {
  struct Case {
    std::int32_t n;
    std::size_t blocks;
  };
  for (const Case c : {Case{5, 1}, Case{400, 3}}) {
    TbufNPV npv(services);
    Prepare(npv, nf::InitialAmount, nf::TotalPeriods, nf::InitialDate, nf::PaymentPeriod, -1000, c.n,
            DateFromDMY(1, 1, 2026), kMonthly);
    for (std::int32_t k = 1; k <= c.n; ++k) {
      npv.Entries().SetAmount(k, k);
    }
    npv.Calculate();
    TRecordingCanvas canvas;
    canvas.SetMargins({0.5, 0.5, 0.5, 0.5});
    npv.PrintReport(canvas, FontSpec{}, 8.5);
    std::vector<const RecordedText*> headings;
    std::size_t amounts = 0;
    for (const RecordedText& t : canvas.Texts()) {
      if (t.text == "Amount" && t.page == 1) {
        EXPECT_TRUE(t.font.bold);
        headings.push_back(&t);
      }
      amounts += t.text.find("$") == 0 && t.x < 7.9 && t.top > 3 ? 1 : 0;
    }
    ASSERT_EQ(headings.size(), c.blocks) << c.n;
    if (c.blocks == 1) {
      EXPECT_NEAR(headings[0]->Right(), 0.4 + 1.8, 1e-9);
      EXPECT_EQ(canvas.Pages(), 1);
    } else {
      // three blocks spread over 8.5 inches with 0.2 inch margins: 2.7 apart
      EXPECT_NEAR(headings[1]->Right() - headings[0]->Right(), 2.7, 1e-9);
      EXPECT_NEAR(headings[0]->Right(), 0.2 + 1.8, 1e-9);
      EXPECT_GT(canvas.Pages(), 1);
      // the headings are repeated on the next page, six lines down
      const RecordedText* again = nullptr;
      for (const RecordedText& t : canvas.Texts()) {
        if (t.page == 2 && t.text == "Date" && again == nullptr) {
          again = &t;
        }
      }
      ASSERT_NE(again, nullptr);
      EXPECT_NEAR(again->top, 0.5 + 6 * kLineHeight, 1e-9);
    }
    // every flow, the initial amount included, is printed once
    EXPECT_NE(canvas.Find("($1,000.00)"), nullptr);
    EXPECT_NE(canvas.Find(c.n == 5 ? "$5.00" : "$400.00"), nullptr);
  }
}

TEST_F(CashFlowFixture, FilesRoundTripAndKeepTheirLayout) {
  TbufIRR irr(services);
  Prepare(irr, rf::InitialInvestment, rf::TotalPeriods, rf::InitialDate, rf::CashFlowFrequency, -1000, 3,
          DateFromDMY(1, 1, 2026), kMonthly);
  irr.Calculation.SetReal(rf::Guess, 0.2);
  irr.SetUseExactDays(true);
  irr.Entries().SetAmount(1, 400);
  irr.Entries().SetAmount(3, 700);
  irr.Entries().SetDate(2, DateFromDMY(20, 3, 2026));
  irr.Calculate();
  const auto path = folder / "plan.irr";
  irr.SaveToFile(path);
  const auto bytes = Bytes(path);
  ASSERT_EQ(bytes.size(), 88u + 4 * 16);
  EXPECT_EQ(bytes[0], 3);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "irr");
  EXPECT_EQ(bytes[17], 1);
  EXPECT_EQ(bytes[18], 1);
  EXPECT_EQ(bytes[32], 3);  // total periods, 4 bytes
  EXPECT_EQ(bytes[52], kMonthly);
  double guess = 0;
  std::memcpy(&guess, bytes.data() + 56, 8);
  EXPECT_EQ(guess, 0.2);
  std::int32_t secondDate = 0;
  std::memcpy(&secondDate, bytes.data() + 88 + 2 * 16, 4);
  EXPECT_EQ(secondDate, DateFromDMY(20, 3, 2026));

  TbufIRR loaded(services);
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.Calculation, irr.Calculation);
  EXPECT_EQ(loaded.CashFlows(), irr.CashFlows());
  ASSERT_EQ(loaded.Entries().Count(), 3);
  EXPECT_EQ(loaded.Entries().Entry(2).date, DateFromDMY(20, 3, 2026));
  EXPECT_EQ(loaded.Entries().Entry(3).amount, 700);

  TbufNPV npv(services);
  Prepare(npv, nf::InitialAmount, nf::TotalPeriods, nf::InitialDate, nf::PaymentPeriod, -500, 2,
          DateFromDMY(1, 1, 2026), kAnnually);
  npv.Calculation.SetReal(nf::DiscountRate, 7.5);
  npv.Entries().SetAmount(2, 800);
  const auto npvPath = folder / "plan.npv";
  npv.SaveToFile(npvPath);
  const auto npvBytes = Bytes(npvPath);
  ASSERT_EQ(npvBytes.size(), 80u + 3 * 16);
  EXPECT_EQ(npvBytes[20], kAnnually);
  EXPECT_EQ(npvBytes[28], 2);
  float rate = 0;
  std::memcpy(&rate, npvBytes.data() + 32, 4);
  EXPECT_EQ(rate, 7.5f);
  TbufNPV npvLoaded(services);
  npvLoaded.LoadFromFile(npvPath);
  EXPECT_EQ(npvLoaded.Calculation, npv.Calculation);
  EXPECT_EQ(npvLoaded.Entries().Entry(2).amount, 800);
}

// A 1.0 file written by hand from its layout: a 56-byte header whose count
// holds n + 1, then the n periodic flows.
std::vector<std::uint8_t> OldIrrFile(std::uint16_t countField, std::size_t records) {
  BinaryWriter w;
  w.WriteUInt8(3);
  w.WriteBytes(std::vector<std::uint8_t>{'i', 'r', 'r'});
  w.WriteZeros(13);
  w.WriteUInt8(1);
  w.WriteUInt8(0);
  w.WriteZeros(5);
  w.WriteDouble(-1000);  // 24: initial investment
  w.WriteUInt16(countField);
  w.WriteZeros(6);
  w.WriteDouble(12.5);                    // 40: last IRR
  w.WriteInt32(DateFromDMY(1, 1, 2020));  // 48: initial date
  w.WriteUInt16(kAnnually);               // 52: frequency
  w.WriteZeros(2);
  for (std::size_t k = 1; k <= records; ++k) {
    w.WriteInt32(DateFromDMY(1, 1, 2020 + static_cast<int>(k)));
    w.WriteZeros(4);
    w.WriteDouble(600.0 * static_cast<double>(k));
  }
  return w.Bytes();
}

TEST_F(CashFlowFixture, AnOldFileLoadsWithItsFlows) {
  const auto path = folder / "old.irr";
  Write(path, OldIrrFile(3, 2));
  TbufIRR irr(services);
  irr.LoadFromFile(path);
  EXPECT_EQ(irr.Calculation.Integer(rf::TotalPeriods), 2);
  EXPECT_EQ(irr.Calculation.Date(rf::InitialDate), DateFromDMY(1, 1, 2020));
  EXPECT_EQ(irr.Calculation.Choice(rf::CashFlowFrequency), kAnnually);
  EXPECT_EQ(irr.Calculation.Real(rf::IRR), 12.5);
  ASSERT_EQ(irr.CashFlows().size(), 3u);
  EXPECT_EQ(irr.CashFlows()[0], (TCashFlow{DateFromDMY(1, 1, 2020), -1000}));
  EXPECT_EQ(irr.Entries().Entry(2), (TCashFlowEntry{2, DateFromDMY(1, 1, 2022), 1200}));
}

TEST_F(CashFlowFixture, ABadFileLeavesTheCalculatorAsItWas) {
  TbufIRR other(services);
  Prepare(other, rf::InitialInvestment, rf::TotalPeriods, rf::InitialDate, rf::CashFlowFrequency, -1, 2,
          DateFromDMY(1, 1, 2026), kMonthly);
  const auto irrPath = folder / "a.irr";
  other.SaveToFile(irrPath);
  const auto good = Bytes(irrPath);

  auto unknownVersion = good;
  unknownVersion[18] = 2;
  auto countTooLarge = good;
  countTooLarge[32] = 3;  // three periods, records for two
  auto trailing = good;
  trailing.push_back(0);
  auto badFrequency = good;
  badFrequency[52] = 10;
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  const std::vector<Case> cases{
      {"truncated", std::vector<std::uint8_t>(good.begin(), good.end() - 5)},
      {"header only", std::vector<std::uint8_t>(good.begin(), good.begin() + 40)},
      {"unknown version", unknownVersion},
      {"count beyond the length", countTooLarge},
      {"bytes left over", trailing},
      {"frequency outside the list", badFrequency},
      {"old count beyond the length", OldIrrFile(4, 2)},
      {"old count of zero", OldIrrFile(0, 0)},
      {"empty", {}},
  };
  for (const Case& c : cases) {
    TbufIRR irr(services);
    Prepare(irr, rf::InitialInvestment, rf::TotalPeriods, rf::InitialDate, rf::CashFlowFrequency, -50, 1,
            DateFromDMY(5, 5, 2025), kAnnually);
    irr.Entries().SetAmount(1, 75);
    irr.RebuildCashFlowList();
    const TCalculationRecord before = irr.Calculation;
    const auto path = folder / "bad.irr";
    Write(path, c.bytes);
    EXPECT_EQ(FinanceErrorCode([&] { irr.LoadFromFile(path); }), 412) << c.name;
    EXPECT_EQ(irr.Calculation, before) << c.name;
    EXPECT_EQ(irr.Entries().Count(), 1) << c.name;
    EXPECT_EQ(irr.Entries().Entry(1).amount, 75) << c.name;
    EXPECT_EQ(irr.CashFlows().size(), 2u) << c.name;
  }
  // the other calculator's file
  TbufNPV npv(services);
  const TCalculationRecord before = npv.Calculation;
  EXPECT_EQ(FinanceErrorCode([&] { npv.LoadFromFile(irrPath); }), 412);
  EXPECT_EQ(npv.Calculation, before);
}

TEST_F(CashFlowFixture, AFailedSaveLeavesThePreviousFile) {
  TbufNPV npv(services);
  Prepare(npv, nf::InitialAmount, nf::TotalPeriods, nf::InitialDate, nf::PaymentPeriod, -1, 2,
          DateFromDMY(1, 1, 2026), kMonthly);
  const auto path = folder / "keep.npv";
  npv.SaveToFile(path);
  const auto before = Bytes(path);
  // a Total Periods the file cannot hold
  npv.Calculation.Value(npv.Calculation.IndexOf(nf::TotalPeriods)).integer = 70000;
  EXPECT_ANY_THROW(npv.SaveToFile(path));
  EXPECT_EQ(Bytes(path), before);
  // a folder that is not there
  npv.Calculation.SetInteger(nf::TotalPeriods, 2);
  EXPECT_ANY_THROW(npv.SaveToFile(folder / "missing" / "x.npv"));
}

TEST_F(CashFlowFixture, TheLastFileAndTheDataFolder) {
  TbufNPV first(services);
  EXPECT_EQ(first.LastFilePath(), settings.UserDataFolder() / "Last.npv");
  Prepare(first, nf::InitialAmount, nf::TotalPeriods, nf::InitialDate, nf::PaymentPeriod, -300, 3,
          DateFromDMY(1, 3, 2026), kMonthly);
  first.Entries().SetAmount(3, 333);
  first.SaveLastFile();

  TbufNPV second(services);
  second.ApplyFileOpeningRule(nullptr);
  EXPECT_EQ(second.Calculation.Real(nf::InitialAmount), -300);
  EXPECT_EQ(second.Entries().Count(), 3);
  EXPECT_EQ(second.Entries().Entry(3).amount, 333);

  // a damaged "Last" file opens with the local defaults and a fresh grid
  Write(first.LastFilePath(), {1, 2, 3});
  TbufNPV third(services);
  third.ApplyFileOpeningRule(nullptr);
  EXPECT_EQ(third.Options.openWith, OpenWith::Defaults);
  EXPECT_EQ(third.Options.defaultsFrom, DefaultsFrom::Local);
  EXPECT_EQ(third.Entries().Count(), 48);
  EXPECT_EQ(third.Calculation.Date(nf::InitialDate), DateFromDMY(1, 1, 2026));

  third.RememberDataFolder(folder / "plans" / "a.npv");
  EXPECT_EQ(third.DataFolder(), (folder / "plans").generic_string());
  EXPECT_EQ(settings.DataPath(), (folder / "plans").generic_string());
}

TEST_F(CashFlowFixture, OptionsAreStoredWithTheLocalDefaults) {
  {
    TbufIRR irr(services);
    EXPECT_TRUE(irr.UseExactDays());
    EXPECT_FALSE(irr.CopyPriorCell());
    irr.SetUseExactDays(false);
    irr.SetCopyPriorCell(true);
    irr.SaveOptions();
    irr.SetTabMovesCellToCell(false);
  }
  settings.SetCurrentKey("Internal Rate of Return Calculator");
  EXPECT_EQ(settings.ReadInteger("DefaultUse exact day calculation method?", -1), 0);
  EXPECT_EQ(settings.ReadInteger("DefaultIf cell is 0, copy value from prior cell?", -1), 1);
  EXPECT_TRUE(settings.ValueExists("DefaultPeriodic Cash &Flow?:"));
  TbufIRR again(services);
  again.LoadOptions();
  EXPECT_FALSE(again.UseExactDays());
  EXPECT_TRUE(again.CopyPriorCell());
  EXPECT_FALSE(again.TabMovesCellToCell());
  TbufNPV npv(services);
  npv.SaveOptions();
  settings.SetCurrentKey("Net Present Value Calculator");
  EXPECT_TRUE(settings.ValueExists("DefaultP&eriodic Cash Flow?:"));
  EXPECT_TRUE(settings.ValueExists("DefaultDiscount &Rate? (%):"));
}

}  // namespace
}  // namespace quandrel
