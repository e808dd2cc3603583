#include "core/cli/error_family.h"

#include "core/advisors/advisor_exception.h"
#include "core/business/general_business_exception.h"
#include "core/depreciation/depreciation_exception.h"
#include "core/finance/finance_exception.h"
#include "core/foundation/coded_error.h"
#include "core/foundation/fin_cf_exception.h"
#include "core/loans/loan_exception.h"
#include "core/loans/schedule_exception.h"

namespace quandrel {

std::string ErrorFamilyName(const std::exception& error) {
  if (dynamic_cast<const EFinanceException*>(&error) != nullptr) {
    return "EFinanceException";
  }
  if (dynamic_cast<const EFinCFException*>(&error) != nullptr) {
    return "EFinCFException";
  }
  if (dynamic_cast<const EGeneralBusinessException*>(&error) != nullptr) {
    return "EGeneralBusinessException";
  }
  if (dynamic_cast<const EDepreciation*>(&error) != nullptr) {
    return "EDepreciation";
  }
  if (dynamic_cast<const advisor::EAdvisorException*>(&error) != nullptr) {
    return "EAdvisorException";
  }
  if (dynamic_cast<const ELoanException*>(&error) != nullptr) {
    return "ELoanException";
  }
  if (dynamic_cast<const EScheduleException*>(&error) != nullptr) {
    return "EScheduleException";
  }
  if (dynamic_cast<const ECodedError*>(&error) != nullptr) {
    return "ECodedError";
  }
  return {};
}

}  // namespace quandrel
