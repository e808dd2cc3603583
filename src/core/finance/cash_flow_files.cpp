#include "core/finance/cash_flow_files.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "core/finance/finance_exception.h"
#include "core/foundation/date_arithmetic.h"
#include "core/io/binary_reader.h"
#include "core/io/binary_writer.h"
#include "core/io/data_file_error.h"
#include "core/io/data_file_parse.h"

namespace quandrel {
namespace {

constexpr std::string_view kNpvType = "npv";
constexpr std::string_view kIrrType = "irr";
constexpr int kPaymentPeriodCount = 10;
// The grid's amounts ("###,###,###,###.##") stay below this.
constexpr double kLargestAmount = 1e15;

[[noreturn]] void Damaged(const BinaryReader& reader, const std::string& what) {
  throw EDataFileError(DataFileErrorKind::DamagedValue, what, reader.Position());
}

std::int32_t CheckedFrequency(const BinaryReader& reader, std::int64_t value) {
  if (value < 0 || value >= kPaymentPeriodCount) {
    Damaged(reader, "frequency position " + std::to_string(value) + " outside the payment-period list");
  }
  return static_cast<std::int32_t>(value);
}

DayNumber ReadDate(BinaryReader& reader) {
  const DayNumber date = reader.ReadInt32();
  if (!IsValidDate(date)) {
    Damaged(reader, "day number " + std::to_string(date) + " outside the calendar");
  }
  return date;
}

// The periodic count of a 1.1 file, or n from the n + 1 of a 1.0 file.
std::int32_t CheckedPeriods(const BinaryReader& reader, std::int64_t value) {
  if (value < 0 || value > kMaxTotalPeriods) {
    throw EDataFileError(DataFileErrorKind::CountTooLarge, "total periods " + std::to_string(value),
                         reader.Position());
  }
  return static_cast<std::int32_t>(value);
}

double ReadAmount(BinaryReader& reader) {
  const double amount = reader.ReadFiniteDouble();
  if (!(std::fabs(amount) < kLargestAmount)) {
    Damaged(reader, "amount beyond what the grid can hold");
  }
  return amount;
}

TCashFlow ReadCashFlow(BinaryReader& reader) {
  TCashFlow flow;
  flow.date = ReadDate(reader);
  reader.Skip(4);
  flow.amount = ReadAmount(reader);
  return flow;
}

void WriteCashFlow(BinaryWriter& writer, const TCashFlow& flow) {
  writer.WriteInt32(flow.date);
  writer.WriteZeros(4);
  writer.WriteDouble(flow.amount);
}

// The records after the header: n + 1 in a 1.1 file, the n periodic ones
// (entry 0 made from the header) in a 1.0 file.
TCashFlowList ReadFlows(BinaryReader& reader, std::int32_t n, bool old, DayNumber initialDate,
                        double initialAmount) {
  const std::int64_t stored = old ? n : static_cast<std::int64_t>(n) + 1;
  TCashFlowList flows;
  flows.reserve(reader.CheckCount(stored, kCashFlowRecordSize) + (old ? 1 : 0));
  if (old) {
    flows.push_back({initialDate, initialAmount});
  }
  for (std::int64_t k = 0; k < stored; ++k) {
    flows.push_back(ReadCashFlow(reader));
  }
  return flows;
}

void CheckImageList(std::int32_t n, const TCashFlowList& flows) {
  if (TotalPeriodsProblem(n) || flows.size() != static_cast<std::size_t>(n) + 1) {
    throw std::invalid_argument("A cash-flow file needs 0..32,767 periods and one more flow than periods.");
  }
}

// Runs a parse and turns every fault of the bytes into finance error 412.
template <class Parse>
auto ParseOrRaise(std::span<const std::uint8_t> bytes, Parse&& parse) {
  try {
    return ParseDataFile(bytes, std::forward<Parse>(parse));
  } catch (const EDataFileError& e) {
    if (e.IsFileContent()) {
      RaiseFinanceError(412);
    }
    throw;
  }
}

}  // namespace

std::vector<std::uint8_t> WriteNpvFile(const TNpvFileImage& image) {
  CheckImageList(image.totalPeriods, image.flows);
  BinaryWriter w;
  WriteDataFileHeader(w, kNpvType, kCashFlowFileVersion);
  w.WriteZeros(1);
  w.WriteInt16(static_cast<std::int16_t>(image.frequency));
  w.WriteZeros(2);
  w.WriteInt32(image.initialDate);
  w.WriteInt16(static_cast<std::int16_t>(image.totalPeriods));
  w.WriteZeros(2);
  w.WriteSingle(image.discountRate);
  w.WriteZeros(4);
  w.WriteDouble(image.initialAmount);
  w.WriteDouble(image.npv);
  w.WriteDouble(image.outflows);
  w.WriteDouble(image.inflows);
  w.WriteDouble(image.net);
  for (const TCashFlow& flow : image.flows) {
    WriteCashFlow(w, flow);
  }
  return std::move(w).TakeBytes();
}

std::vector<std::uint8_t> WriteIrrFile(const TIrrFileImage& image) {
  CheckImageList(image.totalPeriods, image.flows);
  BinaryWriter w;
  WriteDataFileHeader(w, kIrrType, kCashFlowFileVersion);
  w.WriteZeros(5);
  w.WriteDouble(image.initialInvestment);
  w.WriteInt32(image.totalPeriods);
  w.WriteZeros(4);
  w.WriteDouble(image.irr);
  w.WriteInt32(image.initialDate);
  w.WriteInt32(image.frequency);
  w.WriteDouble(image.guess);
  w.WriteDouble(image.outflows);
  w.WriteDouble(image.inflows);
  w.WriteDouble(image.net);
  for (const TCashFlow& flow : image.flows) {
    WriteCashFlow(w, flow);
  }
  return std::move(w).TakeBytes();
}

TNpvFileImage ParseNpvFile(std::span<const std::uint8_t> bytes) {
  return ParseOrRaise(bytes, [](BinaryReader& r) {
    TNpvFileImage image;
    image.version = CheckDataFileHeader(r, kNpvType, {kCashFlowFileVersion, kCashFlowFileOldVersion});
    const bool old = image.version == kCashFlowFileOldVersion;
    r.Skip(1);
    image.frequency = CheckedFrequency(r, r.ReadInt16());
    r.Skip(2);
    image.initialDate = ReadDate(r);
    const std::int64_t count = r.ReadUInt16();
    image.totalPeriods = CheckedPeriods(r, old ? count - 1 : count);
    r.Skip(2);
    image.discountRate = r.ReadFiniteSingle();
    r.Skip(4);
    image.initialAmount = ReadAmount(r);
    image.npv = r.ReadFiniteDouble();
    if (!old) {
      image.outflows = r.ReadFiniteDouble();
      image.inflows = r.ReadFiniteDouble();
      image.net = r.ReadFiniteDouble();
    }
    image.flows = ReadFlows(r, image.totalPeriods, old, image.initialDate, image.initialAmount);
    return image;
  });
}

TIrrFileImage ParseIrrFile(std::span<const std::uint8_t> bytes) {
  return ParseOrRaise(bytes, [](BinaryReader& r) {
    TIrrFileImage image;
    image.version = CheckDataFileHeader(r, kIrrType, {kCashFlowFileVersion, kCashFlowFileOldVersion});
    const bool old = image.version == kCashFlowFileOldVersion;
    r.Skip(5);
    image.initialInvestment = ReadAmount(r);
    if (old) {
      image.totalPeriods = CheckedPeriods(r, static_cast<std::int64_t>(r.ReadUInt16()) - 1);
      r.Skip(6);
    } else {
      image.totalPeriods = CheckedPeriods(r, r.ReadInt32());
      r.Skip(4);
    }
    image.irr = r.ReadFiniteDouble();
    image.initialDate = ReadDate(r);
    if (old) {
      image.frequency = CheckedFrequency(r, r.ReadInt16());
      r.Skip(2);
    } else {
      image.frequency = CheckedFrequency(r, r.ReadInt32());
      image.guess = r.ReadFiniteDouble();
      image.outflows = r.ReadFiniteDouble();
      image.inflows = r.ReadFiniteDouble();
      image.net = r.ReadFiniteDouble();
    }
    image.flows = ReadFlows(r, image.totalPeriods, old, image.initialDate, image.initialInvestment);
    return image;
  });
}

}  // namespace quandrel
