#include "core/schedules/cash_flow_rows.h"

#include <string>

#include "core/foundation/date_arithmetic.h"
#include "core/io/binary_reader.h"
#include "core/io/binary_writer.h"
#include "core/io/data_file_error.h"

namespace quandrel {
namespace {

// The label, then zeros up to the date at offset 8.
void WriteLabel(BinaryWriter& writer, const std::string& label, std::size_t capacity) {
  writer.WriteString(label, capacity);
  writer.WriteZeros(8 - (capacity + 1));
}

std::string ReadLabel(BinaryReader& reader, std::size_t capacity) {
  std::string label = reader.ReadString(capacity);
  reader.Skip(8 - (capacity + 1));
  return label;
}

// The date at offset 8 and the four unused bytes after it.
void WriteDate(BinaryWriter& writer, DayNumber date) {
  writer.WriteInt32(date);
  writer.WriteZeros(4);
}

DayNumber ReadDate(BinaryReader& reader) {
  const std::size_t offset = reader.Position();
  const DayNumber date = reader.ReadInt32();
  if (!IsValidDate(date)) {
    throw EDataFileError(DataFileErrorKind::DamagedValue, "row date is not a calendar date", offset);
  }
  reader.Skip(4);
  return date;
}

// The closing fields every record shares.
void WriteTail(BinaryWriter& writer, std::uint8_t paymentPeriod, std::uint8_t compounding,
               std::int32_t yearNumber) {
  writer.WriteUInt8(paymentPeriod);
  writer.WriteUInt8(compounding);
  writer.WriteZeros(2);
  writer.WriteInt32(yearNumber);
}

template <class Row>
void ReadTail(BinaryReader& reader, Row& row) {
  row.PaymentPeriod = reader.ReadUInt8();
  row.Compounding = reader.ReadUInt8();
  reader.Skip(2);
  row.YearNumber = reader.ReadInt32();
}

// A record is read whole or not at all: a buffer too short for it fails
// before any field is taken.
template <class Parse>
auto ReadRecord(BinaryReader& reader, std::size_t size, Parse parse) {
  if (reader.Remaining() < size) {
    reader.ReadBytes(size);  // raises Truncated at the record's start
  }
  return parse(reader);
}

}  // namespace

void WriteFVRow(BinaryWriter& writer, const FVRow& row) {
  BinaryWriter record;
  WriteLabel(record, row.Label, kFVLabelCapacity);
  WriteDate(record, row.Date);
  record.WriteDouble(row.Deposit);
  record.WriteDouble(row.Interest);
  record.WriteDouble(row.Rate);
  record.WriteDouble(row.CumulativeDeposits);
  record.WriteDouble(row.CumulativeInterest);
  record.WriteDouble(row.Balance);
  record.WriteDouble(row.Tax);
  record.WriteDouble(row.InflationAdjustment);
  record.WriteDouble(row.RealBalance);
  WriteTail(record, row.PaymentPeriod, row.Compounding, row.YearNumber);
  writer.WriteBytes(record.Bytes());
}

void WritePVRow(BinaryWriter& writer, const PVRow& row) {
  BinaryWriter record;
  WriteLabel(record, row.Label, kPVLabelCapacity);
  WriteDate(record, row.Date);
  record.WriteDouble(row.Payment);
  record.WriteDouble(row.CumulativePayments);
  record.WriteDouble(row.PresentValue);
  record.WriteDouble(row.CumulativePresentValue);
  WriteTail(record, row.PaymentPeriod, row.Compounding, row.YearNumber);
  writer.WriteBytes(record.Bytes());
}

void WriteAnnuityRow(BinaryWriter& writer, const AnnuityRow& row) {
  BinaryWriter record;
  WriteLabel(record, row.Label, kAnnuityLabelCapacity);
  WriteDate(record, row.Date);
  record.WriteDouble(row.Withdrawal);
  record.WriteDouble(row.Interest);
  record.WriteDouble(row.Rate);
  record.WriteDouble(row.CumulativeWithdrawals);
  record.WriteDouble(row.CumulativeInterest);
  record.WriteDouble(row.Balance);
  record.WriteDouble(row.CumulativeAfterTax);
  WriteTail(record, row.PaymentPeriod, row.Compounding, row.YearNumber);
  writer.WriteBytes(record.Bytes());
}

FVRow ReadFVRow(BinaryReader& reader) {
  return ReadRecord(reader, kFVRowSize, [](BinaryReader& r) {
    FVRow row;
    row.Label = ReadLabel(r, kFVLabelCapacity);
    row.Date = ReadDate(r);
    row.Deposit = r.ReadFiniteDouble();
    row.Interest = r.ReadFiniteDouble();
    row.Rate = r.ReadFiniteDouble();
    row.CumulativeDeposits = r.ReadFiniteDouble();
    row.CumulativeInterest = r.ReadFiniteDouble();
    row.Balance = r.ReadFiniteDouble();
    row.Tax = r.ReadFiniteDouble();
    row.InflationAdjustment = r.ReadFiniteDouble();
    row.RealBalance = r.ReadFiniteDouble();
    ReadTail(r, row);
    return row;
  });
}

PVRow ReadPVRow(BinaryReader& reader) {
  return ReadRecord(reader, kPVRowSize, [](BinaryReader& r) {
    PVRow row;
    row.Label = ReadLabel(r, kPVLabelCapacity);
    row.Date = ReadDate(r);
    row.Payment = r.ReadFiniteDouble();
    row.CumulativePayments = r.ReadFiniteDouble();
    row.PresentValue = r.ReadFiniteDouble();
    row.CumulativePresentValue = r.ReadFiniteDouble();
    ReadTail(r, row);
    return row;
  });
}

AnnuityRow ReadAnnuityRow(BinaryReader& reader) {
  return ReadRecord(reader, kAnnuityRowSize, [](BinaryReader& r) {
    AnnuityRow row;
    row.Label = ReadLabel(r, kAnnuityLabelCapacity);
    row.Date = ReadDate(r);
    row.Withdrawal = r.ReadFiniteDouble();
    row.Interest = r.ReadFiniteDouble();
    row.Rate = r.ReadFiniteDouble();
    row.CumulativeWithdrawals = r.ReadFiniteDouble();
    row.CumulativeInterest = r.ReadFiniteDouble();
    row.Balance = r.ReadFiniteDouble();
    row.CumulativeAfterTax = r.ReadFiniteDouble();
    ReadTail(r, row);
    return row;
  });
}

}  // namespace quandrel
