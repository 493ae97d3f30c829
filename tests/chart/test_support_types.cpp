// The property objects' setter rules and notifications, and the joined-layer table with a
// stand-in for its chart.

#include "chart/BakGndImg.h"
#include "chart/CrossHair.h"
#include "chart/DTLabel.h"
#include "chart/EQRXRChartError.h"
#include "chart/JointLayers.h"
#include "chart/JointLayersHost.h"
#include "chart/ScaleProps.h"
#include "chart/TextLabel.h"

#include <gtest/gtest.h>

#include <QMetaProperty>

#include <string>
#include <vector>

namespace {

template <typename T> int watch(T& object, int& count) {
    object.OnChange = [&count](QObject*) { ++count; };
    return count = 0;
}

struct FakeChart : IJointLayersHost {
    struct Range {
        int layer;
        double xLo, yLo, xHi, yHi;
    };
    std::vector<Range> set;
    void JointAxisRange(int layer, bool xAxis, double& low, double& high) const override {
        low = layer * (xAxis ? 10 : 100);
        high = low + 1;
    }
    void SetRange(int layer, double xLo, double yLo, double xHi, double yHi) override {
        set.push_back({layer, xLo, yLo, xHi, yHi});
    }
};

std::string joinError(TJointLayers& j, bool x, int layer, int controller) {
    try {
        x ? j.SetxControlledBy(layer, controller) : j.SetyControlledBy(layer, controller);
    } catch (const EQRXRChartError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(ScaleProps, RangeRulesKeepAMinimumWidth) {
    TScalePropsHoriz p;
    int n = 0;
    watch(p, n);
    EXPECT_EQ(p.RangeLow(), 0.0);
    EXPECT_EQ(p.RangeHigh(), 1.0);
    EXPECT_EQ(p.MinRange(), 1e-10);
    EXPECT_FALSE(p.Visible());

    p.SetRangeHigh(5.000000000001);
    p.SetRangeLow(5);
    EXPECT_EQ(p.RangeLow(), 5.0);
    EXPECT_EQ(p.RangeHigh(), 5 + 1e-10);
    p.SetRangeLow(0);
    p.SetRangeHigh(5);
    p.SetRangeHigh(1e-11); // meets the low end: the low end moves below it
    EXPECT_EQ(p.RangeHigh(), 1e-11);
    EXPECT_EQ(p.RangeLow(), 1e-11 - 1e-10);
    EXPECT_EQ(n, 5);

    p.SetRangeLow(0);
    p.SetRangeHigh(1);
    n = 0;
    p.SetMinRange(4);
    EXPECT_EQ(p.RangeLow(), -1.5);
    EXPECT_EQ(p.RangeHigh(), 2.5);
    EXPECT_EQ(n, 1);
    p.SetMinRange(2); // wide enough already: stored, nobody told
    p.SetMinRange(1e-100);
    p.SetMinRange(-1);
    EXPECT_EQ(p.MinRange(), 2.0);
    EXPECT_EQ(n, 1);
}

TEST(ScaleProps, LogarithmicNeedsPositiveEndsOnceLoaded) {
    TScalePropsVert p;
    p.Loading = false;
    p.SetLogarithmic(true); // 0..1
    EXPECT_FALSE(p.Logarithmic());
    p.Loading = true;
    p.SetLogarithmic(true);
    EXPECT_TRUE(p.Logarithmic());
    p.Loading = false;
    p.SetRangeHigh(100);
    p.SetRangeLow(0); // a logarithmic axis keeps its low end
    EXPECT_EQ(p.RangeLow(), 0.0);
    p.SetLogarithmic(false);
    p.SetRangeLow(1);
    p.SetLogarithmic(true);
    EXPECT_TRUE(p.Logarithmic());
    p.SetRangeLow(0);
    EXPECT_EQ(p.RangeLow(), 1.0);
    p.SetLabelType(ftDateTime);
    EXPECT_FALSE(p.Logarithmic());
    p.SetLogarithmic(true);
    EXPECT_FALSE(p.Logarithmic());
    p.SetLabelType(ftTime);
    EXPECT_EQ(p.DecPlaces(), 4);
    p.SetDecPlaces(20);
    EXPECT_EQ(p.DecPlaces(), 12);
    p.SetDecPlaces(-7);
    EXPECT_EQ(p.DecPlaces(), -3);
}

TEST(ScaleProps, SidesAndTheirScalePositions) {
    TScalePropsHoriz x;
    TScalePropsVert y;
    EXPECT_EQ(x.ScaleLocation(), slBottom);
    EXPECT_EQ(x.ScaleSide(), sctXT);
    EXPECT_EQ(y.ScaleLocation(), slLeft);
    EXPECT_EQ(y.ScaleSide(), sctYR);
    x.SetScaleLocation(slTop);
    EXPECT_EQ(x.ScaleSide(), sctXB);
    y.SetScaleLocation(slRight);
    EXPECT_EQ(y.ScaleSide(), sctYL);

    x.SetScalePos(12);
    x.SetScaleSide(sctYL);
    EXPECT_EQ(x.ScalePos(), 0);
    x.SetScalePos(3);
    x.SetScaleSide(sctXT);
    EXPECT_EQ(x.ScalePos(), 12);
    x.SetScaleSide(sctYR);
    EXPECT_EQ(x.ScalePos(), 3);

    // The date format is owned and notifies through its owner.
    int n = 0;
    watch(x, n);
    TDTLabel other;
    other.SetOwnerDefaults();
    other.SetYearLength(ylYY);
    x.SetDateFormat(&other);
    EXPECT_EQ(x.DateFormat()->YearLength(), ylYY);
    EXPECT_NE(x.DateFormat(), &other);
    EXPECT_GE(n, 1);
}

TEST(ScaleProps, PublishedPropertiesInOrder) {
    TScalePropsHoriz p;
    const QMetaObject* mo = p.metaObject();
    std::vector<std::string> names;
    for (int i = QObject::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i) {
        names.push_back(mo->property(i).name());
    }
    const std::vector<std::string> expected{
        "Caption",    "CaptionPosX", "CaptionPosY", "CaptionAlignment", "CaptionAnchor",
        "ColorScale", "DateFormat",  "DecPlaces",   "Font",             "Logarithmic",
        "LabelType",  "MinTicks",    "MinRange",    "RangeLow",         "RangeHigh",
        "ShortTicks", "ScaleInscript", "ScalePos",  "UserTickText",     "Visible",
        "ScaleLocation"};
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(p.setProperty("Caption", QStringLiteral("TK_Value")));
    EXPECT_EQ(p.Caption(), QStringLiteral("TK_Value"));
    EXPECT_EQ(p.property("DateFormat").value<TDTLabel*>(), p.DateFormat());
}

TEST(DTLabel, OnlySomeSettersNotifyWithoutAChange) {
    TDTLabel d;
    d.SetOwnerDefaults();
    int n = 0;
    watch(d, n);
    d.SetDateSeparator('-');
    d.SetTimeSeparator(':');
    d.SetYearLength(ylYYYY);
    d.SetDateForTime(dtOnePerDay);
    d.SetMonthName(true);
    EXPECT_EQ(n, 0);
    d.SetTimeFormat(tfHHMMSS);
    d.SetDateOrder(doDDMMYY);
    EXPECT_EQ(n, 2);
    d.SetDateSeparator('/');
    EXPECT_EQ(n, 3);
}

TEST(SupportObjects, DefaultsAndSetterRules) {
    TCrossHair ch;
    ch.SetLayer(0);
    EXPECT_EQ(ch.Layer(), 1);
    ch.SetLayer(17);
    EXPECT_EQ(ch.Layer(), 16);

    TTextLabel tl;
    EXPECT_EQ(tl.PosX(), 100.0);
    EXPECT_EQ(tl.PosY(), 10.0);
    EXPECT_EQ(tl.ColorBkg(), clSilver);
    EXPECT_EQ(tl.ColorShadow(), clGray);
    EXPECT_EQ(tl.VerticalAlignment(), vaBottom);
    EXPECT_EQ(tl.Mode(), tlsimple);
    int n = 0;
    watch(tl, n);
    tl.SetLayer(0);
    tl.SetLayer(17);
    EXPECT_EQ(tl.Layer(), 1);
    EXPECT_EQ(n, 0);
    tl.SetCaption(QStringLiteral("mean\tvalue\nline\x01two"));
    EXPECT_EQ(tl.Caption(), QStringLiteral("mean value\nline two"));
    EXPECT_EQ(tl.Caption().split(QLatin1Char('\n')).size(), 2);
    EXPECT_EQ(n, 1);
    EXPECT_GE(tl.metaObject()->indexOfProperty("Caption"), 0);

    TBakGndImg bg;
    EXPECT_EQ(bg.FillMode(), bfStretch);
    EXPECT_EQ(bg.AreaColor(), 0xDDDDDDu);
    EXPECT_EQ(bg.AreaLeft(), -1.0);
    bg.SetName(QStringLiteral("/usr/share/pics/sky.png"));
    EXPECT_EQ(bg.Name(), QStringLiteral("sky.png"));
    bg.SetName(QStringLiteral("C:\\pics\\sea.bmp"));
    EXPECT_EQ(bg.Name(), QStringLiteral("sea.bmp"));
    bg.SetIncludePath(true);
    bg.SetName(QStringLiteral("pics/sea.bmp"));
    EXPECT_EQ(bg.Name(), QStringLiteral("pics/sea.bmp"));
    bg.SetIncludePath(false);
    EXPECT_EQ(bg.Name(), QStringLiteral("sea.bmp"));
}

TEST(JointLayers, JoinsCopyTheControllingRangeAndRefuseChains) {
    FakeChart chart;
    TJointLayers j(&chart);
    int n = 0;
    watch(j, n);
    for (int layer = 1; layer <= 16; ++layer) {
        EXPECT_EQ(j.xControlledBy(layer), layer);
        EXPECT_EQ(j.yControlledBy(layer), layer);
    }
    EXPECT_EQ(j.property("L07yControlledBy").toInt(), 7);

    j.SetxControlledBy(2, 3);
    ASSERT_EQ(chart.set.size(), 1u);
    // x from layer 3's x axis, y from layer 2's own y axis.
    EXPECT_EQ(chart.set[0].layer, 2);
    EXPECT_EQ(chart.set[0].xLo, 30.0);
    EXPECT_EQ(chart.set[0].yLo, 200.0);
    EXPECT_EQ(n, 1);

    EXPECT_EQ(joinError(j, true, 3, 1), "Layer 3 is joined by other layers (2)");
    j.SetxControlledBy(5, 3);
    EXPECT_EQ(joinError(j, true, 3, 1), "Layer 3 is joined by other layers (2, 5)");
    EXPECT_EQ(joinError(j, true, 4, 2), "Destination layer 2 is already joined");
    EXPECT_EQ(joinError(j, true, 4, 17), "Destination layer 17 is out of range");
    EXPECT_EQ(joinError(j, false, 4, 0), "Destination layer 0 is out of range");
    EXPECT_EQ(joinError(j, false, 0, 4), "Layer 0 is out of range");
    EXPECT_EQ(j.xControlledBy(3), 3);
    EXPECT_EQ(j.xControlledBy(4), 4);

    // Releasing: stored, no range copied, nobody told.
    chart.set.clear();
    n = 0;
    j.SetxControlledBy(2, 2);
    EXPECT_EQ(j.xControlledBy(2), 2);
    EXPECT_TRUE(chart.set.empty());
    EXPECT_EQ(n, 0);

    j.setProperty("L09yControlledBy", 1);
    EXPECT_EQ(j.yControlledBy(9), 1);
    ASSERT_EQ(chart.set.size(), 1u);
    EXPECT_EQ(chart.set[0].xLo, 90.0); // the layer's own x
    EXPECT_EQ(chart.set[0].yLo, 100.0);

    TJointLayers copy(nullptr);
    int sourceNotes = 0;
    j.OnChange = [&sourceNotes](QObject*) { ++sourceNotes; };
    copy.Assign(j);
    EXPECT_EQ(copy.xControlledBy(5), 3);
    EXPECT_EQ(copy.yControlledBy(9), 1);
    EXPECT_EQ(sourceNotes, 1);
}
