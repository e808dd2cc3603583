#include "core/schedules/cash_flow_rows.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "core/io/binary_reader.h"
#include "core/io/binary_writer.h"
#include "core/io/data_file_error.h"
#include "core/schedules/schedule_test_support.h"

namespace quandrel {
namespace {

using testing::Date;

double DoubleAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    bits |= std::uint64_t{bytes[offset + i]} << (8 * i);
  }
  return std::bit_cast<double>(bits);
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    bits |= std::uint32_t{bytes[offset + i]} << (8 * i);
  }
  return static_cast<std::int32_t>(bits);
}

FVRow SampleFVRow() {
  FVRow row;
  row.Label = "12/3";
  row.Date = Date(2024, 2, 29);
  row.Deposit = -100.25;
  row.Interest = 10.5;
  row.Rate = 7.125;
  row.CumulativeDeposits = 1100;
  row.CumulativeInterest = 21.75;
  row.Balance = 1121.75;
  row.Tax = -2.5;
  row.InflationAdjustment = -11.0;
  row.RealBalance = 1108.25;
  row.PaymentPeriod = 6;
  row.Compounding = 6;
  row.YearNumber = 3;
  return row;
}

TEST(CashFlowRows, SavingsRowIsLaidOutFieldByField) {
  const FVRow row = SampleFVRow();
  BinaryWriter writer;
  WriteFVRow(writer, row);
  const std::vector<std::uint8_t>& bytes = writer.Bytes();
  ASSERT_EQ(bytes.size(), 96u);
  EXPECT_EQ(bytes[0], 4);
  EXPECT_EQ(std::memcmp(&bytes[1], "12/3", 4), 0);
  for (std::size_t unused : {5u, 6u, 7u, 12u, 13u, 14u, 15u, 90u, 91u}) {
    EXPECT_EQ(bytes[unused], 0) << unused;
  }
  EXPECT_EQ(Int32At(bytes, 8), row.Date);
  const double expected[] = {-100.25, 10.5, 7.125, 1100, 21.75, 1121.75, -2.5, -11.0, 1108.25};
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(DoubleAt(bytes, 16 + 8 * i), expected[i]) << "field at " << 16 + 8 * i;
  }
  EXPECT_EQ(bytes[88], 6);
  EXPECT_EQ(bytes[89], 6);
  EXPECT_EQ(Int32At(bytes, 92), 3);
}

TEST(CashFlowRows, PresentValueAndAnnuityRowsAreLaidOutFieldByField) {
  PVRow pv;
  pv.Label = "3/01";
  pv.Date = Date(2024, 4, 1);
  pv.Payment = 100;
  pv.CumulativePayments = 300;
  pv.PresentValue = 97.0590;
  pv.CumulativePresentValue = 294.0985;
  pv.PaymentPeriod = 6;
  pv.Compounding = 8;
  pv.YearNumber = 1;
  BinaryWriter pvWriter;
  WritePVRow(pvWriter, pv);
  const std::vector<std::uint8_t>& p = pvWriter.Bytes();
  ASSERT_EQ(p.size(), 56u);
  EXPECT_EQ(p[0], 4);
  EXPECT_EQ(Int32At(p, 8), pv.Date);
  EXPECT_EQ(DoubleAt(p, 16), 100);
  EXPECT_EQ(DoubleAt(p, 24), 300);
  EXPECT_EQ(DoubleAt(p, 32), 97.0590);
  EXPECT_EQ(DoubleAt(p, 40), 294.0985);
  EXPECT_EQ(p[48], 6);
  EXPECT_EQ(p[49], 8);
  EXPECT_EQ(p[50] | p[51], 0);
  EXPECT_EQ(Int32At(p, 52), 1);

  AnnuityRow annuity;
  annuity.Label = "1188/99";  // seven characters: the annuity label holds one more
  annuity.Date = Date(2123, 1, 1);
  annuity.Withdrawal = -1000;
  annuity.Interest = 500;
  annuity.Rate = 6;
  annuity.CumulativeWithdrawals = -1000;
  annuity.CumulativeInterest = 500;
  annuity.Balance = 99500;
  annuity.CumulativeAfterTax = -750;
  annuity.PaymentPeriod = 6;
  annuity.Compounding = 6;
  annuity.YearNumber = 100;
  BinaryWriter annuityWriter;
  WriteAnnuityRow(annuityWriter, annuity);
  const std::vector<std::uint8_t>& a = annuityWriter.Bytes();
  ASSERT_EQ(a.size(), 80u);
  EXPECT_EQ(a[0], 7);
  EXPECT_EQ(std::memcmp(&a[1], "1188/99", 7), 0);
  EXPECT_EQ(Int32At(a, 8), annuity.Date);
  const double expected[] = {-1000, 500, 6, -1000, 500, 99500, -750};
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(DoubleAt(a, 16 + 8 * i), expected[i]) << "field at " << 16 + 8 * i;
  }
  EXPECT_EQ(a[72], 6);
  EXPECT_EQ(a[73], 6);
  EXPECT_EQ(Int32At(a, 76), 100);
}

TEST(CashFlowRows, RowsReadBackAsWritten) {
  const FVRow fv = SampleFVRow();
  PVRow pv;
  pv.Label = "0/01";
  pv.Date = Date(1600, 1, 1);
  pv.Payment = 0.0001;
  AnnuityRow annuity;
  annuity.Label = "36135";
  annuity.Date = Date(3999, 12, 31);
  annuity.Balance = 1e14;

  BinaryWriter writer;
  WriteFVRow(writer, fv);
  WritePVRow(writer, pv);
  WriteAnnuityRow(writer, annuity);
  BinaryReader reader(writer.Bytes());
  EXPECT_EQ(ReadFVRow(reader), fv);
  EXPECT_EQ(ReadPVRow(reader), pv);
  EXPECT_EQ(ReadAnnuityRow(reader), annuity);
  EXPECT_TRUE(reader.AtEnd());
}

TEST(CashFlowRows, UnusedBytesAreIgnoredWhenRead) {
  BinaryWriter writer;
  WriteFVRow(writer, SampleFVRow());
  std::vector<std::uint8_t> bytes = writer.Bytes();
  for (std::size_t unused : {5u, 6u, 7u, 12u, 15u, 90u, 91u}) {
    bytes[unused] = 0xAB;
  }
  BinaryReader reader(bytes);
  EXPECT_EQ(ReadFVRow(reader), SampleFVRow());
}

DataFileErrorKind KindOfReading(const std::vector<std::uint8_t>& bytes) {
  BinaryReader reader(bytes);
  try {
    ReadFVRow(reader);
  } catch (const EDataFileError& e) {
    EXPECT_EQ(reader.Position(), 0u) << "a short record must not be half read";
    return e.Kind();
  }
  ADD_FAILURE() << "no error";
  return DataFileErrorKind::CannotRead;
}

TEST(CashFlowRows, DamagedRecordsAreRefused) {
  BinaryWriter writer;
  WriteFVRow(writer, SampleFVRow());
  const std::vector<std::uint8_t> good = writer.Bytes();

  std::vector<std::uint8_t> shortRecord(good.begin(), good.end() - 1);
  EXPECT_EQ(KindOfReading(shortRecord), DataFileErrorKind::Truncated);

  std::vector<std::uint8_t> longLabel = good;
  longLabel[0] = 7;  // above the savings label's capacity of 6
  BinaryReader labelReader(longLabel);
  EXPECT_THROW(
      {
        try {
          ReadFVRow(labelReader);
        } catch (const EDataFileError& e) {
          EXPECT_EQ(e.Kind(), DataFileErrorKind::DamagedString);
          throw;
        }
      },
      EDataFileError);

  std::vector<std::uint8_t> notANumber = good;
  const auto nan = std::bit_cast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN());
  for (std::size_t i = 0; i < 8; ++i) {
    notANumber[56 + i] = static_cast<std::uint8_t>(nan >> (8 * i));  // the balance
  }
  BinaryReader nanReader(notANumber);
  try {
    ReadFVRow(nanReader);
    ADD_FAILURE() << "a NaN balance was accepted";
  } catch (const EDataFileError& e) {
    EXPECT_EQ(e.Kind(), DataFileErrorKind::DamagedValue);
  }

  std::vector<std::uint8_t> badDate = good;
  badDate[8] = badDate[9] = badDate[10] = badDate[11] = 0xFF;  // -1
  BinaryReader dateReader(badDate);
  try {
    ReadFVRow(dateReader);
    ADD_FAILURE() << "a bad date was accepted";
  } catch (const EDataFileError& e) {
    EXPECT_EQ(e.Kind(), DataFileErrorKind::DamagedValue);
  }
}

TEST(CashFlowRows, ALabelLongerThanItsFieldIsRefusedOnWriting) {
  FVRow row = SampleFVRow();
  row.Label = "1234/56";
  BinaryWriter writer;
  EXPECT_THROW(WriteFVRow(writer, row), EDataFileError);
  EXPECT_EQ(writer.Size(), 0u);
}

}  // namespace
}  // namespace quandrel
