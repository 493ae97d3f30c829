// Clock and calendar scales: the clock table, the choice of unit, and the ticks and labels of
// each unit.

#include "chart/TimeScaleTicks.h"
#include "numerics/CalendarDate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

TScaleTickSettings range(double low, double high, int minTicks = 3, TFigType type = ftDateTime) {
    TScaleTickSettings s;
    s.RangeLow = low;
    s.RangeHigh = high;
    s.MinTicks = minTicks;
    s.LabelType = type;
    return s;
}

TDateLabelSettings english() {
    TDateLabelSettings f;
    f.ShortMonthName = [](int m) {
        static const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        return std::string(names[m - 1]);
    };
    return f;
}

std::vector<TScaleTick> longTicks(const std::vector<TScaleTick>& ticks) {
    std::vector<TScaleTick> out;
    for (const auto& t : ticks) {
        if (t.Long) {
            out.push_back(t);
        }
    }
    return out;
}

} // namespace

TEST(ClockScale, TableChoiceLabelsAndFallBack) {
    EXPECT_EQ(ClockLabel(3725, false), " 01:02:05");
    EXPECT_EQ(ClockLabel(-0.25, true), "-00:00:00.250");
    EXPECT_EQ(ClockLabel(90000, false), " 25:00:00"); // hours are not wrapped at 24

    const auto hour = PlanClockTicks(range(0, 3600, 3, ftTime));
    ASSERT_TRUE(hour);
    const auto l = longTicks(*hour);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[0].Label, " 00:00:00");
    EXPECT_EQ(l[1].Label, " 00:20:00");
    EXPECT_EQ(l[3].Label, " 01:00:00");
    EXPECT_EQ(hour->size() - l.size(), 19u); // every 200 s: 6 short intervals per 20 min

    EXPECT_FALSE(PlanClockTicks(range(0, 0.0001, 3, ftTime))); // below a millisecond
    EXPECT_FALSE(PlanClockTicks(range(0, 3e6, 3, ftTime)));   // a day and more
    EXPECT_FALSE(PlanClockTicks(range(0, 3600, 0, ftTime)));  // MinTicks 0
    const auto fine = PlanClockTicks(range(0, 2, 4, ftTime));
    ASSERT_TRUE(fine);
    EXPECT_EQ(longTicks(*fine)[1].Label, " 00:00:00.500");
    const auto down = PlanClockTicks(range(3600, 0, 3, ftTime));
    ASSERT_TRUE(down);
    EXPECT_EQ(longTicks(*down).size(), 4u);
}

TEST(ClockScale, StepsTooSmallToMoveTheValueEndTheLoops) {
    // Far from zero a millisecond is below the values' precision: no value comes twice.
    for (const double at : {1e15, -1e15, 3e14}) {
        for (const int m : {2, 3, 8}) {
            for (const bool reversed : {false, true}) {
                const double high = at + 0.25 * (at < 0 ? -1 : 1);
                auto s = reversed ? range(high, at, m, ftTime) : range(at, high, m, ftTime);
                const auto ticks = PlanClockTicks(s);
                ASSERT_TRUE(ticks) << at;
                for (const bool isLong : {true, false}) {
                    std::vector<double> v;
                    for (const auto& t : *ticks) {
                        if (t.Long == isLong) {
                            v.push_back(t.Value);
                        }
                    }
                    std::sort(v.begin(), v.end());
                    EXPECT_EQ(std::adjacent_find(v.begin(), v.end()), v.end())
                        << at << " m" << m << (isLong ? " long" : " short");
                }
            }
        }
    }
}

TEST(DateScale, InvalidAndTooShortRangesWriteMessages) {
    const TDateLabelSettings f = english();
    EXPECT_EQ(PlanDateTimeTicks(range(10, 5), f, true).Message,
              (std::vector<std::string>{"invalid DateTime scale"}));
    EXPECT_EQ(PlanDateTimeTicks(range(-700000, 5), f, false).Message,
              (std::vector<std::string>{"invalid", "DateTime", "scale"}));
    EXPECT_EQ(PlanDateTimeTicks(range(5, 5 + 1e-5), f, true).Message,
              (std::vector<std::string>{"DateTime range is below 1 second"}));
    EXPECT_EQ(PlanDateTimeTicks(range(5, 5 + 1e-7), f, false).Message.size(), 4u);
    // Upright scales go down to hundredths of a second.
    const auto hundredths = PlanDateTimeTicks(range(5, 5 + 1e-5), f, false);
    ASSERT_TRUE(hundredths.Message.empty());
    EXPECT_FALSE(hundredths.Ticks.empty());
}

TEST(DateScale, MonthsDaysAndTimesOfDay) {
    TDateLabelSettings f = english();
    const double jan1 = EncodeDate(2023, 1, 1);
    auto months = longTicks(PlanDateTimeTicks(range(jan1, jan1 + 365), f, true).Ticks);
    ASSERT_EQ(months.size(), 5u); // Jan, Apr, Jul, Oct, Jan
    EXPECT_EQ(months[1].Label, "Apr-2023");
    const double jan24 = EncodeDate(2024, 1, 1);
    months = longTicks(PlanDateTimeTicks(range(jan24, jan24 + 366), f, true).Ticks);
    ASSERT_EQ(months.size(), 4u); // Jan, May, Sep, Jan
    EXPECT_EQ(months[1].Label, "May-2024");

    f.YearLength = ylNone;
    f.MonthName = false;
    const auto days = PlanDateTimeTicks(range(jan1, jan1 + 10), f, true).Ticks;
    ASSERT_FALSE(days.empty());
    EXPECT_EQ(days.front().Label, "01-01"); // day and month, no separator left dangling
    f.YearLength = ylYYYY;
    f.MonthName = true;

    // Over 48 hours with dtOnePerDay the date stands under the first long tick of each day.
    const auto hours = longTicks(PlanDateTimeTicks(range(jan1, jan1 + 2, 6), f, true).Ticks);
    int dated = 0;
    for (const auto& t : hours) {
        dated += t.DateLine.empty() ? 0 : 1;
    }
    EXPECT_EQ(dated, 3); // 1 and 2 January, and midnight at the end of the range
    EXPECT_EQ(hours.front().Label, "00:00");
    EXPECT_EQ(hours.front().DateLine, "01-Jan-2023");
    f.TimeFormat = tfAMPM;
    const auto ampm = longTicks(PlanDateTimeTicks(range(jan1 + 0.5, jan1 + 0.75, 3), f, true).Ticks);
    ASSERT_FALSE(ampm.empty());
    EXPECT_EQ(ampm.front().Label, "12 pm");
}

TEST(DateScale, YearsStopAtTheEndOfTheCalendarAndMinTicksZeroDrawsNothing) {
    const TDateLabelSettings f = english();
    const double y1900 = EncodeDate(1900, 1, 1);
    const auto century = PlanDateTimeTicks(range(y1900, y1900 + 36525), f, true).Ticks;
    const auto l = longTicks(century);
    ASSERT_FALSE(l.empty());
    EXPECT_EQ(l.front().Label, "1900");
    EXPECT_EQ(l.back().Label, "2000");

    const auto start = std::chrono::steady_clock::now();
    const auto all = PlanDateTimeTicks(range(-693593, 3000000, 3), f, true).Ticks;
    EXPECT_LE(DecodeDateTime(all.back().Value).Year, 9999);
    EXPECT_TRUE(PlanDateTimeTicks(range(0, 1000, 0), f, true).Ticks.empty());
    EXPECT_TRUE(PlanDateTimeTicks(range(0, 10, 0), f, false).Message.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(DateScale, YearsBelowAThousandKeepFourDigitsExceptOnYearTicks) {
    TDateLabelSettings f = english();
    const double first = FirstDateValue; // 1 January 0001
    // One day in hours: the date line writes the year with four digits.
    const auto hours = longTicks(PlanDateTimeTicks(range(first, first + 1), f, true).Ticks);
    ASSERT_FALSE(hours.empty());
    EXPECT_EQ(hours.front().DateLine, "01-Jan-0001");
    // Day and month labels too, in every order, and yy keeps its two digits.
    const auto days = longTicks(PlanDateTimeTicks(range(first, first + 10), f, true).Ticks);
    ASSERT_FALSE(days.empty());
    EXPECT_EQ(days.front().Label, "01-Jan-0001");
    const double march = EncodeDate(1, 3, 1);
    auto months = longTicks(PlanDateTimeTicks(range(march, march + 200), f, true).Ticks);
    ASSERT_FALSE(months.empty());
    EXPECT_EQ(months.front().Label, "Mar-0001");
    f.DateOrder = doYYMMDD;
    f.MonthName = false;
    months = longTicks(PlanDateTimeTicks(range(march, march + 200), f, true).Ticks);
    EXPECT_EQ(months.front().Label, "0001-03");
    f.YearLength = ylYY;
    EXPECT_EQ(DateLineText(EncodeDate(987, 6, 5), f), "87-06-05");
    f = english();
    EXPECT_EQ(DateLineText(EncodeDate(987, 6, 5), f), "05-Jun-0987");

    // Year ticks alone drop the leading zeros.
    const auto years = longTicks(PlanDateTimeTicks(range(first, first + 1100), f, true).Ticks);
    ASSERT_EQ(years.size(), 4u);
    EXPECT_EQ(years[0].Label, "1");
    EXPECT_EQ(years[3].Label, "4");
    const auto tens = longTicks(PlanDateTimeTicks(range(first, first + 36525), f, true).Ticks);
    ASSERT_FALSE(tens.empty());
    EXPECT_EQ(tens.front().Label, "20");
}
