#include "core/foundation/abstract_schedule.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/foundation/fin_cf_exception.h"

namespace quandrel {
namespace {

struct TestRow {
  int period = 0;
  double amount = 0;
  bool operator==(const TestRow&) const = default;
};

class TestSchedule : public TScheduleOf<TestRow> {};

int CodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EFinCFException& e) {
    return e.Code();
  }
  return 0;
}

TEST(AbstractSchedule, LastRowIndexCountsFromZero) {
  TestSchedule schedule;
  EXPECT_EQ(schedule.LastRowIndex(), -1);
  for (int k = 1; k <= 12; ++k) {
    schedule.Rows.push_back({k, k * 10.0});
  }
  const TAbstractSchedule& any = schedule;
  EXPECT_EQ(any.LastRowIndex(), 11);
}

TEST(AbstractSchedule, CopyRowsToReplacesTheDestinationsRows) {
  TestSchedule schedule;
  schedule.Rows = {{1, 1.5}, {2, 2.5}, {3, 3.5}};
  TestSchedule::RowList destination = {{99, 9.0}, {98, 8.0}, {97, 7.0}, {96, 6.0}};
  schedule.CopyRowsTo(&destination);
  EXPECT_EQ(destination, schedule.Rows);
  // The copies are the destination's own.
  destination[0].amount = -1;
  EXPECT_EQ(schedule.Rows[0].amount, 1.5);
}

TEST(AbstractSchedule, MissingDestinationsRaiseTheirProgrammingErrors) {
  TestSchedule schedule;
  schedule.Rows = {{1, 1.0}};
  EXPECT_EQ(CodeOf([&] { schedule.CopyRowsTo(nullptr); }), 520);
  EXPECT_EQ(CodeOf([&] { schedule.CopyRow(schedule.Rows[0], nullptr); }), 519);
  try {
    schedule.CopyRowsTo(nullptr);
  } catch (const EFinCFException& e) {
    EXPECT_STREQ(e.what(), "Programming error - Destination cash flow not allocated.");
  }
}

TEST(FinCFErrors, MessagesAndTheCatchAll) {
  EXPECT_EQ(FinCFErrors().Message(519), "Programming error - Transaction record not allocated.");
  EXPECT_EQ(FinCFErrors().Message(521),
            "Invalid term. Either reduce\r\r'Initial Periods' or 'Payment Period'\r\r"
            "Cash flow goes beyond 2079\r");
  EXPECT_EQ(FinCFErrors().Message(532),
            "479 is the maximum number of months property can be owned. Adjust sale date.");
  EXPECT_EQ(FinCFErrors().Message(515), "");
  EXPECT_EQ(FinCFErrors().Message(534), "Schedule would run past 31 December 3999.");
  for (int unknown : {505, 506, 508, 537, 0}) {
    EXPECT_EQ(FinCFErrors().Message(unknown), "Unknown schedule error.") << unknown;
  }
  EXPECT_THROW(RaiseFinCFError(529), EFinCFException);
}

}  // namespace
}  // namespace quandrel
