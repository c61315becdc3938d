#include "shared/controls.h"

#include <gtest/gtest.h>

namespace tavri {
namespace {

TEST(TimerInterval, ReadsAndAssignsLikeAnInt) {
  Timer timer;
  EXPECT_EQ(timer.Interval, 0);
  timer.Interval = 2000;
  EXPECT_EQ(timer.Interval, 2000);
  int copy = timer.Interval;
  EXPECT_EQ(copy, 2000);
  timer.Interval = 0;
  EXPECT_EQ(timer.Interval, 0);
}

TEST(TimerInterval, EveryStartCountsAlsoWithTheSameValue) {
  Timer timer;
  EXPECT_EQ(timer.Interval.Starts(), 0u);
  timer.Interval = 0;  // stopping is no start
  EXPECT_EQ(timer.Interval.Starts(), 0u);
  timer.Interval = 2000;
  timer.Interval = 2000;  // a new problem while one is counting down
  EXPECT_EQ(timer.Interval.Starts(), 2u);
  timer.Interval = 0;
  timer.Interval = 2000;  // stopped and started within one handler
  EXPECT_EQ(timer.Interval.Starts(), 3u);
  EXPECT_EQ(timer.Interval, 2000);
}

}  // namespace
}  // namespace tavri
