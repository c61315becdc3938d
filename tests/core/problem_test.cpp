// The problem generator: the order of its draws, the tables it makes, and
// what it makes over many real draws.
#include "game/core/problem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "shared/clock_random.h"
#include "shared/conversions.h"
#include "support/program_harness.h"

namespace tavri::test {
namespace {

using Texts = std::vector<std::string>;
using enum Relationship;

// Each case: the random values in the order they are drawn, and what they
// must make. Every value of a script is used, and no more.
TEST(ProblemDraws, RelationshipThenCoefficientsWithTheirRedraws) {
  struct Drawn {
    std::vector<float> script;
    Relationship relationship;
    int a, b;
  };
  const std::vector<Drawn> cases{
      {{0.0f, 0.0f}, Proportional, -4, 7},
      // a = 0 is drawn again, as often as it comes.
      {{0.0f, 0.5f, 0.5f, kAlmostOne}, Proportional, 4, 7},
      // The magnitude first, the sign last (r < 0.5 turns it).
      {{0.34f, 0.1f, 0.9f}, Inverse, 6, 7},
      {{0.5f, 0.5f, 0.49f}, Inverse, -12, 7},
      {{0.5f, kAlmostOne, 0.5f}, Inverse, 18, 7},
      // b after a, drawn again while 0 just as a is.
      {{kAlmostOne, 0.5f, 0.0f, 0.5f, 0.5f, 0.7f}, Linear, -4, 2},
      {{0.9f, 0.6f, 0.4f}, Linear, 1, -1},
  };
  for (const Drawn& c : cases) {
    SCOPED_TRACE(testing::Message() << "a " << c.a << " b " << c.b);
    ScriptedRandom random;
    random.Queue(c.script);
    XRow randomRow{};
    // b = 7 is left from an earlier linear problem: the others keep it.
    const Problem problem = DrawProblem(random, XRange::MinusTwoToTwo, 7, randomRow);
    EXPECT_EQ(problem.relationship, c.relationship);
    EXPECT_EQ(problem.a, c.a);
    EXPECT_EQ(problem.b, c.b);
    EXPECT_EQ(random.draws, static_cast<int>(c.script.size()));
    EXPECT_TRUE(random.script.empty());
  }
}

TEST(ProblemDraws, RandomRangeRows) {
  ScriptedRandom random;
  XRow row{};
  // An inverse proportion always gets the same row, with no draw for it.
  random.Queue(ProblemDraws(Inverse, -18));
  EXPECT_EQ(DrawProblem(random, XRange::Random, 0, row).xs, (XRow{-4, -1, 3, 5, 6}));
  EXPECT_EQ(random.draws, 3);

  // Otherwise a rising row, drawn after the coefficients.
  random.Queue(ProblemDraws(Linear, 2, -1));
  random.Queue(RowDraws(-7, {1, 2, 3, 2}));
  EXPECT_EQ(DrawProblem(random, XRange::Random, 0, row).xs, (XRow{-7, -6, -4, -1, 1}));
  random.Queue({0.0f, kAlmostOne, kAlmostOne, kAlmostOne, kAlmostOne, kAlmostOne, kAlmostOne});
  const Problem highest = DrawProblem(random, XRange::Random, 0, row);
  EXPECT_EQ(highest.a, 4);
  EXPECT_EQ(highest.xs, (XRow{1, 4, 7, 10, 13}));
  EXPECT_TRUE(random.script.empty());

  // The last random row stays behind while another range is used.
  random.Queue(ProblemDraws(Proportional, 1));
  EXPECT_EQ(DrawProblem(random, XRange::OneToFive, 0, row).xs, (XRow{1, 2, 3, 4, 5}));
  EXPECT_EQ(row, (XRow{1, 4, 7, 10, 13}));
}

// The tables as the game window shows them.
TEST(ProblemTables, XAndYRowsOfEachRelationshipAndRange) {
  struct Table {
    XRange range;
    Relationship relationship;
    int a, b;
    Texts x, y;
  };
  const Texts kMinusTwoToTwo{"-2", "-1", " 0", " 1", " 2"};
  const Texts kOneToFive{" 1", " 2", " 3", " 4", " 5"};
  const Texts kMinusFiveToMinusOne{"-5", "-4", "-3", "-2", "-1"};
  const std::vector<Table> tables{
      {XRange::MinusTwoToTwo, Inverse, -12, 1, kMinusTwoToTwo, {" 6", " 12", " ×", "-12", "-6"}},
      {XRange::OneToFive, Inverse, 6, 1, kOneToFive, {" 6", " 3", " 2", " 1.5", " 1.2"}},
      {XRange::OneToFive, Inverse, -18, 1, kOneToFive, {"-18", "-9", "-6", "-4.5", "-3.6"}},
      {XRange::MinusFiveToMinusOne, Proportional, -3, 1, kMinusFiveToMinusOne,
       {" 15", " 12", " 9", " 6", " 3"}},
      {XRange::MinusFiveToMinusOne, Linear, 4, -4, kMinusFiveToMinusOne,
       {"-24", "-20", "-16", "-12", "-8"}},
      {XRange::MinusTwoToTwo, Linear, -4, 3, kMinusTwoToTwo, {" 11", " 7", " 3", "-1", "-5"}},
      {XRange::Random, Inverse, -18, 1, {"-4", "-1", " 3", " 5", " 6"},
       {" 4.5", " 18", "-6", "-3.6", "-3"}},
  };
  ProgramHarness h;
  for (const Table& t : tables) {
    SCOPED_TRACE(testing::Message() << "range " << RangeIndex(t.range) << " a " << t.a);
    h.ChooseMenu(game_window::kRangeItems + RangeIndex(t.range));
    h.StartGame(t.relationship, t.a, t.b);
    EXPECT_EQ(h.XRow(), t.x);
    EXPECT_EQ(h.YRow(), t.y);
  }
  // A drawn random row shows as drawn.
  h.QueueProblem(Linear, 2, -1);
  h.random.Queue(RowDraws(-7, {1, 2, 3, 2}));
  h.Click(game_window::kStartButton);
  EXPECT_EQ(h.YRow(), (Texts{"-15", "-13", "-9", "-3", " 1"}));
}

// Counts of each value seen; checks that exactly the allowed values occur,
// each about equally often.
void ExpectEvenlyOver(const std::map<int, int>& seen, const std::set<int>& allowed,
                      const char* what) {
  SCOPED_TRACE(what);
  std::set<int> values;
  int total = 0;
  for (auto [value, count] : seen) {
    values.insert(value);
    total += count;
  }
  EXPECT_EQ(values, allowed);
  const double expected = static_cast<double>(total) / static_cast<double>(allowed.size());
  for (auto [value, count] : seen) EXPECT_NEAR(count, expected, expected * 0.15) << value;
}

// The real random source, seeded with a fixed value so that a failure can
// be reproduced.
TEST(ProblemDraws, OverManyRealDrawsEveryAllowedValueAndNothingElse) {
  ClockRandom random;
  random.Seed(20240611u);
  std::map<int, int> relationships, smallCoefficients, inverseCoefficients, constants, firsts,
      steps;
  std::set<int> lasts;
  XRow row{};
  std::int16_t lastB = 0;
  for (int range = 0; range < kRangeCount; ++range) {
    for (int i = 0; i < 20000; ++i) {
      const Problem problem = DrawProblem(random, static_cast<XRange>(range), lastB, row);
      lastB = problem.b;
      ++relationships[static_cast<int>(problem.relationship)];
      if (problem.relationship == Inverse) {
        ++inverseCoefficients[problem.a];
      } else {
        ++smallCoefficients[problem.a];
        if (problem.relationship == Linear) ++constants[problem.b];
        if (range == RangeIndex(XRange::Random)) {
          ++firsts[row[0]];
          for (std::size_t j = 1; j < row.size(); ++j) ++steps[row[j] - row[j - 1]];
          lasts.insert(row[4]);
        }
      }
      for (std::int16_t x : problem.xs) {
        const std::string y = problem.YText(x);
        if (y != " ×") {
          ASSERT_LE(std::abs(TextValue(y)), 56) << y;
        }
      }
    }
  }
  // Never y = ax²: its button is never asked for.
  ExpectEvenlyOver(relationships, {0, 1, 2}, "relationship");
  ExpectEvenlyOver(smallCoefficients, {-4, -3, -2, -1, 1, 2, 3, 4}, "a of y = ax (+ b)");
  ExpectEvenlyOver(inverseCoefficients, {-18, -12, -6, 6, 12, 18}, "a of y = a / x");
  ExpectEvenlyOver(constants, {-4, -3, -2, -1, 1, 2, 3, 4}, "b");
  ExpectEvenlyOver(firsts, {-7, -6, -5, -4, -3, -2, -1, 0, 1}, "first random x");
  ExpectEvenlyOver(steps, {1, 2, 3}, "step of the random row");
  std::set<int> allLasts;
  for (int x = -3; x <= 13; ++x) allLasts.insert(x);
  EXPECT_EQ(lasts, allLasts);
}

}  // namespace
}  // namespace tavri::test
