// The scale settings' rules, written once: the scale control and a chart's axis both obey the
// label type and logarithm rules, each keeps its own range rule, and a chart's scale takes
// its axis' settings through the scale's rules.

#include "chart/RChart.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

template <typename Owner>
void expectLabelTypeAndLogarithmRules(Owner& o) {
    o.SetRangeLow(1);
    o.SetRangeHigh(100);
    o.SetLogarithmic(true);
    EXPECT_TRUE(o.Logarithmic());
    o.SetLabelType(ftDateTime); // dates are never logarithmic
    EXPECT_FALSE(o.Logarithmic());
    o.SetLogarithmic(true);
    EXPECT_FALSE(o.Logarithmic());
    o.SetLabelType(ftTime); // clock labels get four decimals
    EXPECT_EQ(o.DecPlaces(), 4);
    o.SetLabelType(ftNum);
    o.SetRangeLow(0); // the scale takes it; the logarithmic check then refuses
    o.SetLogarithmic(true);
    EXPECT_FALSE(o.Logarithmic());
    o.SetDecPlaces(40);
    EXPECT_EQ(o.DecPlaces(), 12);
}

} // namespace

TEST(ScaleSettings, BothOwnersApplyTheLabelTypeAndLogarithmRules) {
    TScale s;
    s.Loaded();
    expectLabelTypeAndLogarithmRules(s);
    TScalePropsHoriz a;
    a.Loading = false;
    expectLabelTypeAndLogarithmRules(a);
}

TEST(ScaleSettings, EachOwnerKeepsItsOwnRangeRule) {
    // The scale control: an end set onto the other pushes that one a whole unit above it.
    TScale s;
    s.SetRangeLow(3);
    s.SetRangeHigh(3);
    EXPECT_EQ(s.RangeLow(), 4.0);
    EXPECT_EQ(s.RangeHigh(), 3.0);
    // The axis: NaN is ignored, ends closer than MinRange move MinRange apart, upward.
    TScalePropsVert a;
    a.Loading = false;
    a.SetMinRange(0.5);
    a.SetRangeHigh(NAN);
    EXPECT_EQ(a.RangeHigh(), 1.0);
    a.SetRangeHigh(0.25);
    EXPECT_EQ(a.RangeLow(), -0.25);
    EXPECT_EQ(a.RangeHigh(), 0.25);
    a.SetMinRange(2); // a narrower range grows around its middle
    EXPECT_EQ(a.RangeLow(), -1.0);
    EXPECT_EQ(a.RangeHigh(), 1.0);
}

TEST(ScaleSettings, AChartScaleTakesItsAxisThroughTheScaleRules) {
    TRChart c;
    c.Loaded();
    TScaleProps& a = *c.XAxis(1);
    const TScale& s = *c.XScale(1);
    a.SetCaption(QStringLiteral("t / s"));
    a.SetMinTicks(1); // the axis keeps it, its scale limits it
    EXPECT_EQ(a.MinTicks(), 1);
    EXPECT_EQ(s.MinTicks(), 2);
    EXPECT_EQ(s.Caption(), QStringLiteral("t / s"));
    a.SetRangeLow(1);
    a.SetRangeHigh(1000);
    a.SetLabelType(ftDateTime);
    a.Loading = true; // while a layout is read the axis takes what it is given
    a.SetLogarithmic(true);
    EXPECT_TRUE(a.Logarithmic());
    EXPECT_FALSE(s.Logarithmic()); // date labels on a scale are never logarithmic
    a.SetLabelType(ftTime);
    a.SetDecPlaces(7); // the decimals given win over the clock's four
    EXPECT_EQ(s.DecPlaces(), 7);
    EXPECT_EQ(s.RangeLow(), 1.0);
    EXPECT_EQ(s.RangeHigh(), 1000.0);
}
