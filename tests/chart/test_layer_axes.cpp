// The axes and scales of a chart's layers: a standard layout sets them all and tells the
// chart once, and the chart's scales then show what the axes hold. A scale is made when it is
// first needed, and is then what it would have been had it been there from the start.

#include "HistogramChart.h"
#include "chart/ChartTransform.h"
#include "chart/LayerAxes.h"
#include "chart/RChart.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"

#include <QMetaProperty>
#include <QWidget>

#include <functional>
#include <string>
#include <utility>
#include <vector>

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

// The margin a scale of this side does not use: across from its base line.
const char* unusedMargin(TScaleType side) {
    switch (side) {
    case sctXB:
        return "MarginTop";
    case sctXT:
        return "MarginBottom";
    case sctYL:
        return "MarginRight";
    case sctYR:
        break;
    }
    return "MarginLeft";
}

// Every published property of two scales, as text where they differ. The margin across from
// the base line is left out: a scale kept from the start may hold one from a side it had
// before, which it no longer uses.
std::string differences(const TScale& a, const TScale& b) {
    std::string out;
    const QMetaObject* m = a.metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < m->propertyCount(); ++i) {
        const QMetaProperty p = m->property(i);
        if (p.metaType().flags().testFlag(QMetaType::PointerToQObject)) {
            continue; // each scale's own object
        }
        if (a.ScaleType() == b.ScaleType() && qstrcmp(p.name(), unusedMargin(a.ScaleType())) == 0) {
            continue;
        }
        if (p.read(&a) != p.read(&b)) {
            out += std::string(p.name()) + "=" + p.read(&a).toString().toStdString() + "/" +
                   p.read(&b).toString().toStdString() + " ";
        }
    }
    if (a.size() != b.size() || a.font() != b.font() || a.isVisible() != b.isVisible()) {
        out += "size/font/visibility ";
    }
    return out;
}

TEST(LayerAxes, AScaleMadeWhenFirstNeededIsTheOneKeptInStepFromTheStart) {
    // `eager` has all its scales made at once; `lazy` makes them as they are needed.
    auto eager = HistogramGeometryChart(false);
    auto lazy = HistogramGeometryChart(false);
    for (int n = 1; n <= MaxLayers; ++n) {
        eager->XScale(n);
        eager->YScale(n);
    }
    const auto made = [](const TRChart& c) { return c.findChildren<TScale*>().size(); };
    EXPECT_EQ(made(*eager), 2 * MaxLayers);
    EXPECT_EQ(made(*lazy), 2); // the shown axes' scales

    using TStep = std::pair<const char*, std::function<void(TRChart&)>>;
    const std::vector<TStep> steps = {
        {"hidden axes change", [](TRChart& c) { c.YAxis(3)->SetRangeHigh(50); c.XAxis(5)->SetDecPlaces(2); }},
        {"margins and shadow", [](TRChart& c) { c.SetMarginLeft(70); c.SetShadowWidth(6); }},
        {"background", [](TRChart& c) { c.SetWindColor(clAqua); }},
        {"size", [](TRChart& c) { c.resize(520, 320); }},
        {"four y axes", [](TRChart& c) { c.SetStandardLayout(rcl_X1Bottom_Y4Left); }},
        {"axes on both sides", [](TRChart& c) { c.SetStandardLayout(rcl_X2Both_Y2Both); }},
        {"a far layer shown", [](TRChart& c) {
             c.XAxis(6)->SetVisible(true);
             c.XAxis(6)->SetCaption(QStringLiteral("six"));
         }},
        {"isometric", [](TRChart& c) { c.SetIsometric(true); }},
        {"grid", [](TRChart& c) { c.SetGridStyle(gsLines); }},
    };
    for (const auto& [name, step] : steps) {
        step(*eager);
        step(*lazy);
        eager->FullRepaint();
        lazy->FullRepaint();
        EXPECT_TRUE(eager->ControlBitmap() == lazy->ControlBitmap()) << name;
    }
    EXPECT_LT(made(*lazy), 2 * MaxLayers);
    for (int n = 1; n <= MaxLayers; ++n) {
        EXPECT_EQ(differences(*eager->XScale(n), *lazy->XScale(n)), "") << "x scale " << n;
        EXPECT_EQ(differences(*eager->YScale(n), *lazy->YScale(n)), "") << "y scale " << n;
    }
}

} // namespace
