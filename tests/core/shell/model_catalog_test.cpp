#include "core/shell/model_catalog.h"

#include <gtest/gtest.h>

#include <set>

#include "core/cli/label_match.h"
#include "core/shell/shell_fixture.h"

namespace quandrel {
namespace {

// Every entry makes its own calculator, under the name of its settings key,
// and every field a headless driver must address can be told apart.
TEST(ModelCatalogTest, EntriesMakeTheirCalculators) {
  testing::ShellFixture fixture;
  std::set<std::string_view> titles;
  ASSERT_FALSE(ModelCatalog().empty());
  for (const CatalogEntry& entry : ModelCatalog()) {
    SCOPED_TRACE(std::string(entry.title));
    EXPECT_TRUE(titles.insert(entry.title).second) << "title twice";
    EXPECT_EQ(FindCatalogEntry(entry.title), &entry);
    ASSERT_NE(entry.create, nullptr);
    const auto model = entry.create(fixture.services);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Definition().keyName, entry.title);

    // Input fields have captions; captions that repeat are picked by #n.
    const TCalculationRecord& record = model->Calculation;
    for (std::size_t i = 0; i < record.Size(); ++i) {
      const FieldSpec& field = record.Fields()[i];
      if (field.kind != FieldKind::Weekday) {
        EXPECT_FALSE(StripAccelerator(record.Captions[i]).empty()) << field.id;
      }
    }
    for (const ListInputSpec& list : entry.mapping.lists) {
      EXPECT_NE(list.apply, nullptr) << list.name;
      EXPECT_FALSE(list.parts.empty()) << list.name;
    }
    for (const PageSpec& page : entry.mapping.pages) {
      EXPECT_NE(page.record, nullptr) << page.caption;
    }
    if (!entry.mapping.dataFile.typeName.empty()) {
      EXPECT_NE(entry.mapping.dataFile.load, nullptr);
    }
  }
  EXPECT_EQ(FindCatalogEntry("No Such Calculator"), nullptr);
}

// The interest page's linked fields follow as in the window.
TEST(ModelCatalogTest, InterestDaysMoveTheEndDate) {
  testing::ShellFixture fixture;
  const CatalogEntry* entry = FindCatalogEntry("Compound/Simple Interest Calculator");
  ASSERT_NE(entry, nullptr);
  const auto model = entry->create(fixture.services);
  model->Calculation.SetInteger("NumberOfDays", 31);
  EXPECT_EQ(entry->mapping.fieldChanged(*model, "NumberOfDays"), "");
  EXPECT_EQ(model->Calculation.Date("EndDate"), DateFromDMY(1, 2, 2026));
  model->Calculation.SetInteger("NumberOfDays", 900000);
  EXPECT_NE(entry->mapping.fieldChanged(*model, "NumberOfDays"), "");
  EXPECT_EQ(model->Calculation.Date("EndDate"), DateFromDMY(1, 2, 2026));
}

}  // namespace
}  // namespace quandrel
