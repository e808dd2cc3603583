#include "core/shell/model_catalog.h"

#include <algorithm>

#include "core/finance/equivalent_rate_buffer.h"
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

const CatalogEntry kCatalog[] = {
    {.title = "Compound/Simple Interest Calculator",
     .create = &MakeModel<TbufInterest>,
     .mapping = {.fieldChanged = &InterestFieldChanged}},
    {.title = "Equivalent Rate Calculator", .create = &MakeModel<TbufEquivalentRate>},
    {.title = "Return on Investment (ROI)", .create = &MakeModel<TbufROI>},
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
