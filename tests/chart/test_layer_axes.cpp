// The axes and scales of a chart's layers: a standard layout sets them all and tells the
// chart once, and the chart's scales then show what the axes hold.

#include "chart/ChartTransform.h"
#include "chart/LayerAxes.h"
#include "chart/RChart.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(LayerAxes, ALayoutSetsEveryAxisAndReportsOnceThenAxesReportAgain) {
    QWidget owner;
    TChartGeometry geometry;
    int reports = 0;
    TLayerAxes axes(&owner, geometry, [&](QObject*) { ++reports; }, nullptr);
    axes.ApplyLayout(rcl_X2Both_Y2Both);
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(axes.XAxis(2)->Visible());
    EXPECT_EQ(axes.XAxis(2)->ScaleLocation(), slTop);
    EXPECT_EQ(axes.YAxis(2)->ScaleLocation(), slRight);
    EXPECT_FALSE(axes.XAxis(3)->Visible());
    EXPECT_FALSE(axes.YAxis(16)->Visible());
    // Each axis has its own report back, one per setting.
    axes.XAxis(1)->SetDecPlaces(2);
    axes.YAxis(16)->SetShortTicks(true);
    EXPECT_EQ(reports, 3);
}

TEST(LayerAxes, ALayoutWithoutListenersReportsNothing) {
    QWidget owner;
    TChartGeometry geometry;
    int reports = 0;
    TLayerAxes axes(&owner, geometry, [&](QObject*) { ++reports; }, nullptr);
    axes.Disconnect();
    axes.ApplyLayout(rcl_X1Bottom_Y2Left);
    axes.XAxis(1)->SetVisible(false);
    EXPECT_EQ(reports, 0);
    EXPECT_TRUE(axes.YAxis(2)->Visible());
}

TEST(LayerAxes, AChartsScalesFollowItsLayout) {
    TRChart chart;
    chart.SetStandardLayout(rcl_X1Bottom_Y2Left);
    EXPECT_TRUE(chart.YScale(2)->Settings().Visible());
    EXPECT_EQ(chart.YScale(2)->Settings().CaptionAlignment(), taRightJustify);
    EXPECT_EQ(chart.YScale(1)->Settings().CaptionPosY(), -16);
    chart.SetStandardLayout(rcl_X1Bottom_Y1Left);
    EXPECT_FALSE(chart.YScale(2)->Settings().Visible());
    EXPECT_TRUE(chart.XScale(1)->Settings().Visible());
    EXPECT_EQ(chart.XScale(1)->Settings().CaptionPosY(), 22);
}

} // namespace
