#include "mpegaudio/analysis/date_time.h"

#include <gtest/gtest.h>

#include "tests/support/mpeg_fixtures.h"

namespace {

using fixtures::PackDos;

TEST(DateTime, EncodesDaysSinceTheEndOf1899) {
  EXPECT_EQ(EncodeDateTime({1899, 12, 30, 0, 0, 0, 0}), 0.0);
  EXPECT_EQ(EncodeDateTime({1900, 1, 1, 0, 0, 0, 0}), 2.0);
  EXPECT_EQ(EncodeDateTime({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
  EXPECT_EQ(EncodeDateTime({1899, 12, 29, 6, 0, 0, 0}), -1.25);
}

TEST(DateTime, DecodesToTheMillisecond) {
  const platform::TLocalDateTime kCases[] = {
      {1899, 12, 30, 0, 0, 0, 0},   {1999, 12, 31, 23, 59, 58, 0}, {2000, 2, 29, 12, 30, 1, 999},
      {2107, 12, 31, 23, 59, 58, 0}, {1899, 12, 29, 6, 0, 0, 0},
  };
  for (const platform::TLocalDateTime& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.Year << "-" << c.Month << "-" << c.Day);
    const platform::TLocalDateTime back = DecodeDateTime(EncodeDateTime(c));
    EXPECT_EQ(back.Year, c.Year);
    EXPECT_EQ(back.Month, c.Month);
    EXPECT_EQ(back.Day, c.Day);
    EXPECT_EQ(back.Hour, c.Hour);
    EXPECT_EQ(back.Minute, c.Minute);
    EXPECT_EQ(back.Second, c.Second);
    EXPECT_EQ(back.Millisecond, c.Millisecond);
  }
  const platform::TLocalDateTime time = DecodeDateTime(3725 / 86400.0);
  EXPECT_EQ(time.Hour, 1);
  EXPECT_EQ(time.Minute, 2);
  EXPECT_EQ(time.Second, 5);
}

TEST(DateTime, DosStampsThatAreNoRealDateGiveZero) {
  EXPECT_EQ(DosDateTimeToDateTime(0), 0.0);
  EXPECT_EQ(DosDateTimeToDateTime(-1), 0.0);
  EXPECT_EQ(DosDateTimeToDateTime(PackDos(2001, 2, 29, 0, 0, 0)), 0.0);  // no leap year
  EXPECT_EQ(DosDateTimeToDateTime(PackDos(2000, 13, 1, 0, 0, 0)), 0.0);
  EXPECT_EQ(DosDateTimeToDateTime(PackDos(2000, 4, 31, 0, 0, 0)), 0.0);
  EXPECT_EQ(DosDateTimeToDateTime(PackDos(2000, 1, 1, 24, 0, 0)), 0.0);
  EXPECT_EQ(DosDateTimeToDateTime(PackDos(2000, 1, 1, 0, 60, 0)), 0.0);
  EXPECT_EQ(DosDateTimeToDateTime(PackDos(2000, 1, 1, 0, 0, 60)), 0.0);
  EXPECT_EQ(DosDateTimeToDateTime(PackDos(2000, 2, 29, 12, 0, 0)), 36585.5);
}

}  // namespace
