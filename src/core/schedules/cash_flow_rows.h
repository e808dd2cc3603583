#pragma once

// The row records of the cash-flow schedules (savings, present value and
// annuity) and their images in the data files.
//
// In memory a row holds natural types; its image is the fixed little-endian
// record the calculators' data files store, written and read field by field.
// Every record starts with its label (a length byte and up to 6 or 7
// characters) and ends with the payment-period index, the compounding index,
// two unused bytes and the year number. Unused bytes are written as zero and
// ignored when read.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/foundation/global_types.h"

namespace quandrel {

class BinaryReader;
class BinaryWriter;

inline constexpr std::size_t kFVRowSize = 96;
inline constexpr std::size_t kPVRowSize = 56;
inline constexpr std::size_t kAnnuityRowSize = 80;

// Characters a row label can hold (after its length byte).
inline constexpr std::size_t kFVLabelCapacity = 6;
inline constexpr std::size_t kPVLabelCapacity = 6;
inline constexpr std::size_t kAnnuityLabelCapacity = 7;

// One period of a savings schedule (TschFV). Amounts are in currency units;
// the rate is the annual rate in percent that applies from this row on.
struct FVRow {
  std::string Label;
  DayNumber Date = 0;
  double Deposit = 0;  // negative: a withdrawal
  double Interest = 0;
  double Rate = 0;
  double CumulativeDeposits = 0;
  double CumulativeInterest = 0;
  double Balance = 0;
  double Tax = 0;                  // tax on interest charged in this row, not positive
  double InflationAdjustment = 0;  // not positive
  double RealBalance = 0;          // after tax, adjusted for inflation
  std::uint8_t PaymentPeriod = 0;
  std::uint8_t Compounding = 0;
  std::int32_t YearNumber = 0;  // 1 for the start year, +1 at each change of calendar year

  friend bool operator==(const FVRow&, const FVRow&) = default;
};

// One payment of a present-value schedule (TschPV).
struct PVRow {
  std::string Label;
  DayNumber Date = 0;
  double Payment = 0;
  double CumulativePayments = 0;
  double PresentValue = 0;  // of this payment, at the start date
  double CumulativePresentValue = 0;
  std::uint8_t PaymentPeriod = 0;
  std::uint8_t Compounding = 0;
  std::int32_t YearNumber = 0;

  friend bool operator==(const PVRow&, const PVRow&) = default;
};

// One period of an annuity schedule (TschAnnuity).
struct AnnuityRow {
  std::string Label;
  DayNumber Date = 0;
  double Withdrawal = 0;  // negative
  double Interest = 0;
  double Rate = 0;  // annual, percent
  double CumulativeWithdrawals = 0;
  double CumulativeInterest = 0;
  double Balance = 0;
  double CumulativeAfterTax = 0;  // cumulative withdrawals after tax
  std::uint8_t PaymentPeriod = 0;
  std::uint8_t Compounding = 0;
  std::int32_t YearNumber = 0;

  friend bool operator==(const AnnuityRow&, const AnnuityRow&) = default;
};

// Each writes exactly the record's size. A label longer than its capacity is
// refused with EDataFileError(StringTooLong) and nothing is written.
void WriteFVRow(BinaryWriter& writer, const FVRow& row);
void WritePVRow(BinaryWriter& writer, const PVRow& row);
void WriteAnnuityRow(BinaryWriter& writer, const AnnuityRow& row);

// Each reads exactly the record's size or raises EDataFileError: Truncated
// when fewer bytes remain, DamagedString for a label length above its
// capacity, DamagedValue for an amount that is not a finite number or a date
// that is not a calendar date. The index bytes and the year number are taken
// as stored; the schedules compute from their own inputs.
FVRow ReadFVRow(BinaryReader& reader);
PVRow ReadPVRow(BinaryReader& reader);
AnnuityRow ReadAnnuityRow(BinaryReader& reader);

}  // namespace quandrel
