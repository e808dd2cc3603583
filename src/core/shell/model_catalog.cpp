#include "core/shell/model_catalog.h"

#include <algorithm>

#include "core/finance/cash_flow_buffer.h"
#include "core/finance/equivalent_rate_buffer.h"
#include "core/finance/irr_buffer.h"
#include "core/finance/npv_buffer.h"
#include "core/finance/pmt_req_buffer.h"
#include "core/finance/pv_amount_buffer.h"
#include "core/finance/roi_buffer.h"
#include "core/shell/interest_buffer.h"

namespace quandrel {
namespace {

// The interest page: Number of Days moves a date, a date sets the days.
std::string InterestFieldChanged(TbufCalculator& model, std::string_view fieldId) {
  auto& interest = static_cast<TbufInterest&>(model);
  if (fieldId == interest_field::Days) {
    if (!interest.DaysChanged()) {
      return "The dates would leave the calendar (1600 to 3999).";
    }
  } else if (fieldId == interest_field::StartDate || fieldId == interest_field::EndDate) {
    interest.DateChanged();
  }
  return {};
}

// The present value page: the same rule between its days and its dates.
std::string PVAmountFieldChanged(TbufCalculator& model, std::string_view fieldId) {
  auto& pv = static_cast<TbufPVAmount&>(model);
  if (fieldId == pv_amount_field::Days) {
    if (!pv.DaysChanged()) {
      return "The dates would leave the calendar (1600 to 3999).";
    }
  } else if (fieldId == pv_amount_field::PresentDate || fieldId == pv_amount_field::FutureDate) {
    pv.DateChanged();
  }
  return {};
}

// The cash-flow grid of the NPV and IRR calculators: entries 1..n as typed,
// the count field n.
constexpr ListItemPart kFlowParts[] = {
    {.name = "Amount", .type = FieldType::Double, .mask = "$###,###,###.##"},
    {.name = "Date", .type = FieldType::Date},
};

template <class Model>
void ApplyFlows(TbufCalculator& model, std::span<const ListItem> items, std::string_view countField) {
  auto& flows = static_cast<Model&>(model);
  flows.Calculation.SetInteger(countField, static_cast<std::int32_t>(items.size()));
  flows.PeriodsChanged();
  for (std::size_t k = 0; k < items.size(); ++k) {
    const auto entry = static_cast<std::int32_t>(k + 1);
    flows.Entries().SetAmount(entry, items[k][0].number);
    flows.Entries().SetDate(entry, items[k][1].integer);
  }
}

void ApplyNpvFlows(TbufCalculator& model, std::span<const ListItem> items) {
  ApplyFlows<TbufNPV>(model, items, npv_field::TotalPeriods);
}
void ApplyIrrFlows(TbufCalculator& model, std::span<const ListItem> items) {
  ApplyFlows<TbufIRR>(model, items, irr_field::TotalPeriods);
}

const ListInputSpec kNpvLists[] = {{.name = "flows",
                                    .itemFormat = "AMOUNT@YYYY-MM-DD",
                                    .parts = kFlowParts,
                                    .maxItems = kMaxTotalPeriods,
                                    .description = "cash flows of entries 1..n; n becomes the total periods",
                                    .apply = &ApplyNpvFlows}};
const ListInputSpec kIrrLists[] = {{.name = "flows",
                                    .itemFormat = "AMOUNT@YYYY-MM-DD",
                                    .parts = kFlowParts,
                                    .maxItems = kMaxTotalPeriods,
                                    .description = "cash flows of entries 1..n; n becomes the total periods",
                                    .apply = &ApplyIrrFlows}};

// Total periods, frequency and initial date rebuild the entries.
std::string CashFlowFieldChanged(TbufCalculator& model, std::string_view fieldId, std::string_view periods,
                                 std::string_view frequency, std::string_view date) {
  auto& flows = static_cast<TbufCashFlows&>(model);
  if (fieldId == periods) {
    flows.PeriodsChanged();
  } else if (fieldId == frequency) {
    flows.FrequencyChanged();
  } else if (fieldId == date) {
    flows.InitialDateChanged();
  }
  return {};
}
std::string NpvFieldChanged(TbufCalculator& model, std::string_view fieldId) {
  return CashFlowFieldChanged(model, fieldId, npv_field::TotalPeriods, npv_field::PaymentPeriod,
                              npv_field::InitialDate);
}
std::string IrrFieldChanged(TbufCalculator& model, std::string_view fieldId) {
  return CashFlowFieldChanged(model, fieldId, irr_field::TotalPeriods, irr_field::CashFlowFrequency,
                              irr_field::InitialDate);
}

void LoadCashFlowFile(TbufCalculator& model, const std::filesystem::path& path) {
  static_cast<TbufCashFlows&>(model).LoadFromFile(path);
}

const CatalogEntry kCatalog[] = {
    {.title = "Compound/Simple Interest Calculator",
     .create = &MakeModel<TbufInterest>,
     .mapping = {.fieldChanged = &InterestFieldChanged}},
    {.title = "Equivalent Rate Calculator", .create = &MakeModel<TbufEquivalentRate>},
    {.title = "Return on Investment (ROI)", .create = &MakeModel<TbufROI>},
    {.title = "Internal Rate of Return Calculator",
     .create = &MakeModel<TbufIRR>,
     .mapping = {.lists = kIrrLists,
                 .dataFile = {"irr", &LoadCashFlowFile},
                 .fieldChanged = &IrrFieldChanged}},
    {.title = "Net Present Value Calculator",
     .create = &MakeModel<TbufNPV>,
     .mapping = {.lists = kNpvLists,
                 .dataFile = {"npv", &LoadCashFlowFile},
                 .fieldChanged = &NpvFieldChanged}},
    {.title = "Payment Required Calculator", .create = &MakeModel<TbufPmtReq>},
    {.title = "Present Value of an Amount Calculator",
     .create = &MakeModel<TbufPVAmount>,
     .mapping = {.fieldChanged = &PVAmountFieldChanged}},
};

}  // namespace

std::span<const CatalogEntry> ModelCatalog() {
  return kCatalog;
}

const CatalogEntry* FindCatalogEntry(std::string_view title) {
  const auto catalog = ModelCatalog();
  const auto found =
      std::find_if(catalog.begin(), catalog.end(), [&](const CatalogEntry& e) { return e.title == title; });
  return found == catalog.end() ? nullptr : &*found;
}

}  // namespace quandrel
