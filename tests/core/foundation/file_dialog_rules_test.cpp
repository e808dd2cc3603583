#include "core/foundation/file_dialog_rules.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace quandrel {
namespace {

TEST(FileDialogRules, FilterAndItsToolkitForm) {
  const std::string filter = FileDialogFilter("Net Present Value Files", "npv");
  EXPECT_EQ(filter, "Net Present Value Files|*.npv|All files (*.*)|*.*");
  EXPECT_EQ(ToolkitFilter(filter), "Net Present Value Files (*.npv);;All files (*)");
  EXPECT_EQ(ToolkitFilter("Amortization (*.amo)|*.amo"), "Amortization (*.amo)");
  EXPECT_EQ(ToolkitFilter("Budgets|*.bdg;*.bdp"), "Budgets (*.bdg *.bdp)");
  EXPECT_EQ(InitialFileName("npv"), "*.npv");

  for (const auto& [description, extension] : std::vector<std::pair<std::string, std::string>>{
           {"a|b", "npv"}, {"", "npv"}, {"Files", ""}, {"Files", ".npv"}, {"Files", "n/v"}, {"Files", "*"}}) {
    EXPECT_THROW((void)FileDialogFilter(description, extension), std::logic_error)
        << description << " " << extension;
  }
  EXPECT_THROW((void)ToolkitFilter("Files|*.npv|All"), std::logic_error);
  EXPECT_THROW((void)ToolkitFilter("|*.npv"), std::logic_error);
}

TEST(FileDialogRules, StartFolderIsTheGivenOneWhenItExists) {
  const auto exists = [](const std::string& folder) { return folder == "/users/ann/loans"; };
  EXPECT_EQ(StartFolder("/users/ann/loans", "/users/ann/data", exists), "/users/ann/loans");
  EXPECT_EQ(StartFolder("/users/ann/gone", "/users/ann/data", exists), "/users/ann/data");
  EXPECT_EQ(StartFolder("", "/users/ann/data", exists), "/users/ann/data");
}

TEST(FileDialogRules, SavedNameGetsTheExtension) {
  struct Row {
    const char* chosen;
    const char* saved;
  };
  const std::vector<Row> rows = {
      {"/users/ann/loan.txt", "/users/ann/loan.npv"},
      {"/users/ann/loan", "/users/ann/loan.npv"},
      {"/users/ann/loan.npv", "/users/ann/loan.npv"},
      {"/users/ann/loan.NPV", "/users/ann/loan.npv"},
      {"/users/ann/archive.tar.gz", "/users/ann/archive.tar.npv"},
      {"/users/ann/my.loans/file", "/users/ann/my.loans/file.npv"},  // the dot is the folder's
      {"/users/ann/loan.", "/users/ann/loan.npv"},
      {"/users/ann/loan.. ", "/users/ann/loan.npv"},
      {"/users/ann/.npv", "/users/ann/.npv.npv"},  // a hidden file's name, not an extension
      {"/users/ann/loan 3.5", "/users/ann/loan 3.5.npv"},
      {"/users/ann/Q3.2024", "/users/ann/Q3.2024.npv"},
      {"/users/ann/Smith, J. & Co", "/users/ann/Smith, J. & Co.npv"},
      {"/users/ann/report.nineletter", "/users/ann/report.nineletter.npv"},
      {"loan.txt", "loan.npv"},
      {"", ""},
      {"/users/ann/", ""},
      {"/users/ann/...", ""},
      {"/users/ann/.", ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ForceExtension(row.chosen, "npv"), row.saved) << "chosen \"" << row.chosen << "\"";
  }
  EXPECT_EQ(ForceExtension("/users/ann/x.amo", "lb"), "/users/ann/x.lb");
  EXPECT_THROW((void)ForceExtension("/users/ann/x", ".npv"), std::logic_error);
}

}  // namespace
}  // namespace quandrel
