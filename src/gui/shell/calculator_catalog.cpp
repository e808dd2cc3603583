#include "gui/shell/calculator_catalog.h"

#include <algorithm>
#include <stdexcept>

namespace quandrel {
namespace {

using G = CalculatorGroup;
using X = ExtraHintFlags;

constexpr CalculatorGroupInfo kGroups[] = {
    {G::Finance, " Finance ", "Calculators", "Finance Calculators", "gbFinance"},
    {G::Depreciation, " Depreciation ", "Calculators", "Depreciation Calculators", "gbDepreciation"},
    {G::Loan, " Loan ", "Calculators", "Loan Calculators", "gbLoan"},
    {G::Schedules, " Schedules - Cash Flows", "Schedules", "", "gbSchedules"},
    {G::General, " General ", "Calculators", "General Purpose Calculators", "gbGeneral"},
    {G::Advisors, " Advisors ", "Advisors", "", "gbAdvisors"},
};

constexpr CalculatorGroup kSubmenuOrder[] = {G::Depreciation, G::Finance, G::General, G::Loan};

constexpr CalculatorEntry kCatalog[] = {
    {G::Finance, "Interest", "Comp/&Simple Int", "Compound/Simple Interest...", "TcalcInterest",
     "Compound/Simple Interest Calculator", "Exact day interest &\rcalendar math"},
    {G::Finance, "IRR", "IRR", "Internal Rate of Return (IRR)...", "TcalcIRR",
     "Internal Rate of Return Calculator", "Internal Rate of Return\rwith adjustable cash flows."},
    {G::Finance, "NetPV", "Net &Present Value", "Net Present Value (NPV)...", "TcalcNetPV",
     "Net Present Value Calculator", "Net Present Value\rwith adjustable cash flows."},
    {G::Finance, "PmtReq", "Payment Required", "Payment Required...", "TcalcPmtReq",
     "Payment Required Calculator", "Periodic Payment Required\rto reach some future amount."},
    {G::Finance, "PVAmount", "PV of an &Amount", "Present Value of an Amount (PV)...", "TcalcPVAmount",
     "Present Value of an Amount Calculator", "Present Value\rcalculates today's value of a future amount."},
    {G::Finance, "EquivalentRate", "&Equivalent Rates", "Equivalent Rate...", "TcalcEquivalentRate",
     "Equivalent Rate Calculator", "Calculates equivalent rates at\rvarious compounding frequencies."},
    {G::Finance, "IntRate", "ROI", "Interest Rate Earned...", "TcalcIntRate", "Return on Investment (ROI)",
     "Return on Investment\rPercent gain or loss on an investment."},

    {G::Depreciation, "DecBal", "Declining Balance", "Declining Balance...", "TcalcDecBal",
     "Declining Balance Depreciation Calculator", "Declining balance depreciation method."},
    {G::Depreciation, "MACRS", "MACRS", "MACRS...", "TcalcMACRS", "MACRS Depreciation Calculator",
     "MACRS depreciation method."},
    {G::Depreciation, "SLDep", "Straight Line", "Straight Line...", "TcalcSLDep",
     "Straight Line Depreciation Calculator", "Straight line depreciation method."},
    {G::Depreciation, "SumOfYears", "Sum of Years", "Sum-of-Years...", "TcalcSumOfYears",
     "Sum-of-Years Depreciation Calculator", "Sum-of-Years depreciation method."},

    {G::Loan, "AccPmt", "Accelerated Pmt", "Accelerated Payment...", "TcalcAccPmt",
     "Accelerated Payment Calculator", "Calculates the effect of regular\rextra payments on a loan."},
    {G::Loan, "AffHse", "Affordable House", "Affordable House...", "TcalcAffHse",
     "Affordable House Calculator", "Calculate your affordable house."},
    {G::Loan, "BallPmt", "Balloon Payment", "Balloon Payment...", "TcalcBallPmt",
     "Balloon Payment Calculator",
     "Calculate for the unknown value which results\rin specified balloon balance."},
    {G::Loan, "Loan", "&Loan", "Loan Calculator...", "TcalcLoan", "Loan Calculator",
     "Solve for any unknown\ramount of loan, rate, term or payment amount."},
    {G::Loan, "RemBal", "&Remaining Balance", "Remaining Balance...", "TcalcRemBal",
     "Remaining Balance Calculator", "Calculate the balloon or\rbalance of a loan."},
    {G::Loan, "SecMortgage", "Bridge Loan", "Bridge Loan...", "TcalcSecMortgage", "Bridge Loan Calculator",
     "Cost of a\rsecond mortgage or bridge loan."},

    {G::Schedules, "Annuity", "Annuit&y", "Annuity...", "TcalcAnnuity", "Annuity Schedule",
     "Calculates how long it\rwill take to deplete an amount.", X::ShowHints},
    {G::Schedules, "Amort", "Amorti&zation", "Amortization Schedule...", "TcalcAmort",
     "Amortization Schedule", "Create a flexible amortization schedule.", X::ShowHintsAndToolbarHints},
    {G::Schedules, "FVSchd", "Fu&ture Value", "Future Value (FV)...", "TcalcFVSchd", "Future Value Schedule",
     "Calculates what a series of deposits\rwill be worth in the future.", X::ShowHints},
    {G::Schedules, "PVSeries", "P&V of a Series", "Present Value of a Series...", "TcalcPVSeries",
     "Present Value of a Series", "Calculates today's value\rfor a series of future payments", X::ShowHints},
    {G::Schedules, "RentalAnalysis", "Rental Inc Analysis", "Rental Income Analysis...",
     "TcalcRentalAnalysis", "Rental Income Analysis Calculator", "Projects cash flow for a rental property.",
     X::ShowHints},

    {G::General, "FixedIncome", "Bond Values/Yields", "Bonds / Fixed Income...", "TcalcFixedIncome",
     "Fixed Income/Bond Calculator", "Calculates values or yields\rfor fixed income securities."},
    {G::General, "Budget", "&Budget", "Budget...", "TcalcBudget", "Budget Calculator",
     "Create a projected or actual budget\rfor up to 12 months"},
    {G::General, "EOQ", "EOQ", "EOQ...", "TcalcEOQ", "Economic Ordering Quantity Calculator",
     "What is the most economical\rquantity to order for an item."},
    {G::General, "GrossProfit", "Gross Profit", "Gross Profit...", "TcalcGrossProfit",
     "Gross Profit Calculator", "Calculate gross and net profit on a series of sales."},
    {G::General, "NetWorth", "&Net Worth", "Net Worth...", "TcalcNetWorth", "Net Worth Calculator",
     "Calculate your net worth.", X::ShowHints},
    {G::General, "PurPwr", "Purchasin&g Power", "Purchasing Power....", "TcalcPurPwr",
     "Purchasing Power Calculator", "Calculates the past or future\rimpact of inflation."},
    {G::General, "WtAvg", "Weighted Average", "Weighted Average...", "TcalcWtAvg",
     "Weighted Average Calculator", "Calculates the weighted average\ron a series of transactions."},

    {G::Advisors, "BreakEven", "Brea&k Even Point", "Break Even...", "TadvBreakEven", "Break Even Advisor",
     "Calculates the break-even point."},
    {G::Advisors, "LeaseBuy", "Lease vs Buy", "Lease v. Buy...", "TadvLeaseBuy", "Lease v. Buy Advisor",
     "Is it better to\rlease or buy an asset?"},
    {G::Advisors, "LoanComp", "Loan Comparison", "Loan Cost Comparison...", "TadvLoanComp",
     "Loan Comparison Advisor", "Compare two loans side-by-side."},
    {G::Advisors, "Refinance", "Refinance", "Refinance...", "TadvRefinance", "Refinance Advisor",
     "Does it pay to refinance a loan?"},
};

}  // namespace

std::span<const CalculatorGroupInfo> CalculatorGroups() {
  return kGroups;
}

std::span<const CalculatorGroup> CalculatorSubmenuOrder() {
  return kSubmenuOrder;
}

const CalculatorGroupInfo& GroupInfo(CalculatorGroup group) {
  const auto* found = std::find_if(std::begin(kGroups), std::end(kGroups),
                                   [group](const CalculatorGroupInfo& info) { return info.group == group; });
  if (found == std::end(kGroups)) {
    throw std::out_of_range("unknown calculator group");
  }
  return *found;
}

std::span<const CalculatorEntry> CalculatorCatalog() {
  return kCatalog;
}

const CalculatorEntry* FindCalculatorEntry(std::string_view title) {
  const auto* found = std::find_if(std::begin(kCatalog), std::end(kCatalog),
                                   [title](const CalculatorEntry& entry) { return entry.title == title; });
  return found == std::end(kCatalog) ? nullptr : found;
}

}  // namespace quandrel
