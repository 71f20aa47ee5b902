// Rnd stays within [0, 1) and spreads over it; ToInt32 truncates and saturates.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "framework/Rnd.h"

namespace {

TEST(RndTest, ValuesLieInTheHalfOpenUnitIntervalAndCoverIt) {
  RndSeed(12345);
  std::array<int, 1000> buckets{};
  for (int i = 0; i < 200000; ++i) {
    const double value = Rnd();
    ASSERT_GE(value, 0.0);
    ASSERT_LT(value, 1.0);
    const int32_t bucket = ToInt32(value * 1000);
    ASSERT_GE(bucket, 0);
    ASSERT_LE(bucket, 999);
    ++buckets[static_cast<size_t>(bucket)];
  }
  // 200 expected per bucket; a fair generator stays far inside these bounds.
  for (int count : buckets) {
    EXPECT_GT(count, 120);
    EXPECT_LT(count, 280);
  }
}

TEST(RndTest, TheSameSeedGivesTheSameSequence) {
  RndSeed(7);
  std::vector<double> first;
  for (int i = 0; i < 20; ++i) first.push_back(Rnd());
  RndSeed(7);
  for (double value : first) EXPECT_EQ(Rnd(), value);
  RndSeed(8);
  EXPECT_NE(Rnd(), first[0]);
}

TEST(RndTest, ToInt32TruncatesTowardZeroAndSaturates) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  const std::pair<double, int32_t> cases[] = {
      {0.0, 0},
      {2.9, 2},
      {-2.9, -2},
      {999.999, 999},
      {0.9999999 * 1000, 999},
      {2147483646.9, 2147483646},
      {2147483647.0, kMax},
      {1e12, kMax},
      {-2147483648.0, kMin},
      {-1e12, kMin},
      {INFINITY, kMax},
      {-INFINITY, kMin},
      {NAN, 0},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(ToInt32(value), expected) << value;
}

}  // namespace
