// Calendar arithmetic against dates computed independently (Python's datetime, days from
// 30 December 1899).

#include "numerics/CalendarDate.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CalendarDate, AgreesWithAnIndependentCalendar) {
    struct Day {
        double value;
        int y, m, d;
    };
    for (const Day c : {Day{0, 1899, 12, 30}, Day{2, 1900, 1, 1}, Day{60, 1900, 2, 28},
                        Day{61, 1900, 3, 1}, Day{36526, 2000, 1, 1}, Day{45351, 2024, 2, 29},
                        Day{-693593, 1, 1, 1}, Day{2958465, 9999, 12, 31}, Day{-2, 1899, 12, 28}}) {
        const TDateParts p = DecodeDateTime(c.value);
        EXPECT_EQ(p.Year, c.y) << c.value;
        EXPECT_EQ(p.Month, c.m) << c.value;
        EXPECT_EQ(p.Day, c.d) << c.value;
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.value);
    }
    // The instant a negative value denotes: -1.25 is 28 December 1899, 18:00.
    const TDateParts evening = DecodeDateTime(-1.25);
    EXPECT_EQ(evening.Day, 28);
    EXPECT_EQ(evening.Hour, 18);
    const TDateParts t = DecodeDateTime(45000.5 + 61.25 / 86400);
    EXPECT_EQ(t.Hour, 12);
    EXPECT_EQ(t.Minute, 1);
    EXPECT_EQ(t.Second, 1);
    EXPECT_EQ(t.Millisecond, 250);
    EXPECT_EQ(EncodeDate(2023, 13, 1), EncodeDate(2024, 1, 1));
    EXPECT_EQ(EncodeDate(2024, 0, 1), EncodeDate(2023, 12, 1));
    EXPECT_EQ(DayNumber(-0.5), -1);
    EXPECT_EQ(DecodeDateTime(NAN).Year, 1899);
    EXPECT_EQ(DecodeDateTime(1e300).Year, 9999);
}
