// The chart control: its map from world to pixels, ranges with their special cases, data
// sharing, and the pixels of items, grid, shadow and cross-hairs.

#include "HistogramChart.h"
#include "chart/ChartTransform.h"
#include "chart/EQRXRChartError.h"
#include "chart/RChart.h"
#include "platform/Canvas.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// A chart of the histogram's geometry, loaded and shown, with its window image to read.
std::unique_ptr<TRChart> histogramChart() {
    auto c = HistogramGeometryChart(false);
    c->SetRange(1, 0, -3.5, 25, 20);
    return c;
}

TColor at(const QImage& img, int x, int y) { return FromQRgb(img.pixel(x, y)); }

} // namespace

TEST(ChartTransform, MapsTheRangeOntoTheDataArea) {
    auto c = histogramChart();
    int px = 0, py = 0;
    c->WorldToPixel(1, 0, 20, px, py);
    EXPECT_EQ(px, 50);
    EXPECT_EQ(py, 6);
    c->WorldToPixel(1, 25, -3.5, px, py);
    EXPECT_EQ(px, 470);
    EXPECT_EQ(py, 250);
    double x = 0, y = 0;
    c->PixelToWorld(1, 260, 128, x, y);
    EXPECT_NEAR(x, 12.5, 1e-12);
    EXPECT_NEAR(y, 8.25, 1e-12);
    c->WorldToPixel(0, 1e300, -1e300, px, py); // layer clamped, pixels clamped
    EXPECT_EQ(px, 2147483647);
    EXPECT_EQ(py, 2147483647);
    c->WorldToPixel(1, NAN, 0, px, py);
    EXPECT_EQ(px, 0);
}

TEST(RChart, ItemsRecordTheDrawingState) {
    TRChart c;
    c.SetDataColor(clRed);
    c.SetFillColor(clYellow);
    c.SetClassDefault(7);
    c.SetClassDefault(255); // ignored
    c.SetLineWidth(3);
    c.AddBar3D(1, 2, 3, 4, 10, 200);
    c.AddBar3D(1, 2, 3, 4, 10, -5);
    c.AddRectangle(0, 0, 1, 1);
    TDrawItem it;
    c.GetItem(0, it);
    EXPECT_EQ(it.Kind, dkBar3D);
    EXPECT_EQ(it.Angle, 180);
    EXPECT_EQ(it.Color, clRed);
    EXPECT_EQ(it.FillColor, clYellow);
    EXPECT_EQ(it.ColorClass, 7);
    EXPECT_EQ(it.LineWidth, 3);
    EXPECT_EQ(it.Layer, 1);
    c.GetItem(1, it);
    EXPECT_EQ(it.Angle, 0);
    c.GetItem(-1, it);
    EXPECT_EQ(it.Kind, dkNone);
    c.GetItem(c.Count(), it);
    EXPECT_EQ(it.Kind, dkNone);
    c.ClearDrawing();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.ItemCapacity(), 0);

    // Construction: names, colours and sides of the layers' axes and scales.
    EXPECT_EQ(c.XScale(3)->objectName(), QStringLiteral("RC_FScale_X_3"));
    EXPECT_EQ(c.YScale(16)->objectName(), QStringLiteral("RC_FScale_Y_16"));
    EXPECT_EQ(c.XAxis(2)->ColorScale(), 0x000080u);
    EXPECT_EQ(c.YAxis(16)->ColorScale(), 0xFFFFFFu);
    EXPECT_EQ(c.XAxis(3)->ScaleSide(), sctXT);
    EXPECT_TRUE(c.XAxis(1)->Visible());
    EXPECT_FALSE(c.XAxis(2)->Visible());
    EXPECT_EQ(c.MarginLeft(), 50);
    EXPECT_EQ(c.MarginBottom(), 40);
    EXPECT_EQ(c.property("LRim").toInt(), 50);
    c.setProperty("BRim", 33);
    EXPECT_EQ(c.MarginBottom(), 33);
    EXPECT_EQ(c.CaptionPosY(), -16);
    c.SetGridDx(-4);
    EXPECT_EQ(c.GridDx(), 0.0);
}

TEST(RChart, RangesTheirSpecialCasesAndJoinedAxes) {
    TRChart c;
    c.Loaded();
    c.SetRange(1, 0, 0, 0, 10);
    EXPECT_DOUBLE_EQ(c.XAxis(1)->RangeLow(), -5e-11);
    EXPECT_DOUBLE_EQ(c.XAxis(1)->RangeHigh(), 5e-11);
    EXPECT_EQ(c.YAxis(1)->RangeHigh(), 10.0);
    c.SetRange(1, 2, 0, 2 + 1e-12, 20); // too narrow: x stays, y is applied
    EXPECT_DOUBLE_EQ(c.XAxis(1)->RangeHigh(), 5e-11);
    EXPECT_EQ(c.YAxis(1)->RangeHigh(), 20.0);
    c.SetRange(1, 9, 0, 1, 1); // reversed, stored as given
    EXPECT_EQ(c.XAxis(1)->RangeLow(), 9.0);
    EXPECT_EQ(c.XAxis(1)->RangeHigh(), 1.0);
    c.SetRange(0, -1, -2, 3, 4);
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(c.XAxis(n)->RangeLow(), -1.0) << n;
        EXPECT_EQ(c.YAxis(n)->RangeHigh(), 4.0) << n;
    }
    c.XAxis(2)->Loading = true;
    c.SetRange(2, 1, 0, 10, 1);
    c.XAxis(2)->SetLogarithmic(true);
    c.SetRange(2, 0, 0, 100, 1);
    EXPECT_EQ(c.XAxis(2)->RangeLow(), 1.0);
    EXPECT_EQ(c.XAxis(2)->RangeHigh(), 100.0);
    EXPECT_THROW(c.SetRange(17, 0, 0, 1, 1), EQRXRChartError);
    EXPECT_THROW(c.SetRange(-1, 0, 0, 1, 1), EQRXRChartError);

    // Layer 3's x follows layer 1: setting layer 1 moves it, setting it directly does not.
    c.JointLayers()->SetxControlledBy(3, 1);
    c.SetRange(1, 100, 0, 200, 1);
    EXPECT_EQ(c.XAxis(3)->RangeLow(), 100.0);
    c.SetRange(3, 5, 0, 6, 1);
    EXPECT_EQ(c.XAxis(3)->RangeLow(), 100.0);
    // Writing an axis property directly runs the settings handler, which keeps the join.
    c.XAxis(1)->SetRangeHigh(300);
    EXPECT_EQ(c.XAxis(3)->RangeHigh(), 300.0);
}

TEST(RChart, DataSharingRefusalsUseTheirExactTexts) {
    std::vector<QString> messages;
    SetMessageHandler([&](QWidget*, const QString& t) { messages.push_back(t); });
    TRChart owner, a, b, c, d, e;
    owner.SetUseDataOf(&owner);
    for (TRChart* s : {&a, &b, &c, &d}) {
        s->SetUseDataOf(&owner);
    }
    e.SetUseDataOf(&owner);
    owner.SetUseDataOf(&e);
    a.SetUseDataOf(&b); // b shows the owner's list, which a shows already: nothing to do
    SetMessageHandler(nullptr);
    EXPECT_EQ(messages, (std::vector<QString>{
                            QStringLiteral("RChart: Cannot share data with myself"),
                            QStringLiteral("RChart: Max. number of data shares exceeded"),
                            QStringLiteral("RChart: Cannot use foreign data. Other RCharts are "
                                           "using my own data.")}));
    a.AddLine(1, 2, 3, 4);
    EXPECT_EQ(owner.Count(), 1);
    EXPECT_EQ(d.Count(), 1);
    EXPECT_EQ(a.UseDataOf(), &owner);
    d.SetUseDataOf(nullptr);
    EXPECT_EQ(d.Count(), 0);
    e.SetUseDataOf(&owner);
    EXPECT_EQ(e.Count(), 1);
    for (TRChart* s : {&a, &b, &c, &e}) {
        s->SetUseDataOf(nullptr);
    }
}

TEST(RChart, ItemPixels) {
    auto c = histogramChart();
    c->SetChartFrameColor(clBlack);
    c->SetDataColor(clRed);
    c->AddLine(10, 10, 10.001, 10.001); // one pixel
    c->SetDataColor(clBlue);
    c->SetFillColor(clYellow);
    c->AddRectangle(2, 2, 2, 2); // one pixel
    c->AddBar3D(5, 0, 6, 5, 10, 45);
    c->AddBar3D(15, 0, 16, 5, 10, 135);
    c->AddBar3D(20, 0, 21, 5, 10, 0);
    c->AddBar3D(22, 0, 23, 5, 10, 90);
    c->ShowDrawing();
    const QImage& img = c->WindowImage();
    int px = 0, py = 0;
    c->WorldToPixel(1, 10, 10, px, py);
    EXPECT_EQ(at(img, px, py), clRed);
    EXPECT_EQ(at(img, px + 1, py), clWhite);
    EXPECT_EQ(at(img, px, py - 1), clWhite);

    c->WorldToPixel(1, 2, 2, px, py);
    EXPECT_EQ(at(img, px, py), clBlue); // the 1 x 1 rectangle
    EXPECT_EQ(at(img, px + 1, py), clWhite);

    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    c->WorldToPixel(1, 5, 5, x1, y1);
    c->WorldToPixel(1, 6, 0, x2, y2);
    EXPECT_EQ(at(img, x1, y1), clBlue);        // the front's corners and outline
    EXPECT_EQ(at(img, x2, y2), clBlue);
    EXPECT_EQ(at(img, (x1 + x2) / 2, (y1 + y2) / 2), clYellow);
    EXPECT_EQ(at(img, x2 + 3, (y1 + y2) / 2), clYellow); // side face on the right at 45
    EXPECT_EQ(at(img, x1 + 8, y1 - 3), clYellow);        // top face above
    c->WorldToPixel(1, 15, 5, x1, y1);
    c->WorldToPixel(1, 16, 0, x2, y2);
    EXPECT_EQ(at(img, x1 - 3, (y1 + y2) / 2), clYellow); // at 135 the side is on the left
    EXPECT_EQ(at(img, x2 + 3, (y1 + y2) / 2), clWhite);
    c->WorldToPixel(1, 20, 5, x1, y1);
    c->WorldToPixel(1, 21, 0, x2, y2);
    EXPECT_EQ(at(img, x2 + 5, (y1 + y2) / 2), clYellow); // at 0 a band on the right
    EXPECT_EQ(at(img, x1 + 2, y1 - 2), clWhite);         // and no top face
    c->WorldToPixel(1, 22, 5, x1, y1);
    c->WorldToPixel(1, 23, 0, x2, y2);
    EXPECT_EQ(at(img, (x1 + x2) / 2, y1 - 5), clYellow); // at 90 a band on top
    EXPECT_EQ(at(img, x2 + 2, (y1 + y2) / 2), clWhite);
}

TEST(RChart, TheHistogramGridShadowsAndCrossHairs) {
    auto c = histogramChart();
    c->SetGridStyle(gsDotLines);
    c->SetGridColor(clRed);
    c->SetGridDx(5);
    c->SetGridDy(20);
    c->ShowDrawing();
    const QImage& img = c->WindowImage();
    int px = 0, py = 0;
    auto redPixels = [&](int x0, int y0, int dx, int dy, int n) {
        int red = 0;
        for (int i = 0; i < n; ++i) {
            red += at(img, x0 + i * dx, y0 + i * dy) == clRed ? 1 : 0;
        }
        return red;
    };
    for (double x : {5.0, 10.0, 15.0, 20.0}) {
        c->WorldToPixel(1, x, 10, px, py);
        const int red = redPixels(px, 20, 0, 1, 100);
        EXPECT_GE(red, 40) << x; // dotted: every other pixel
        EXPECT_LE(red, 60) << x;
    }
    c->WorldToPixel(1, 12.5, 0, px, py);
    EXPECT_GE(redPixels(60, py, 1, 0, 100), 40); // one horizontal line at 0
    c->WorldToPixel(1, 12.5, 10, px, py);
    EXPECT_EQ(redPixels(60, py, 1, 0, 100), 0);

    // gsPoints stops at 1000 intersections.
    c->SetGridStyle(gsPoints);
    c->SetRange(1, 0.1, -3.4, 25, 20); // no grid value on the frame, which is drawn last
    c->SetGridDx(0.25);
    c->SetGridDy(0.25);
    c->ShowDrawing();
    int points = 0;
    const QImage& dots = c->WindowImage();
    for (int y = 0; y < dots.height(); ++y) {
        for (int x = 0; x < dots.width(); ++x) {
            points += at(dots, x, y) == clRed ? 1 : 0;
        }
    }
    EXPECT_EQ(points, 1000);

    // Shadows: the band at the right and bottom; flying starts SW - 1 in from the corner.
    c->SetGridStyle(gsNone);
    c->SetShadowWidth(8);
    c->SetShadowColor(clGreen);
    c->SetShadowBakColor(clYellow);
    c->ShowDrawing();
    EXPECT_EQ(at(c->WindowImage(), 477, 2), clYellow);
    EXPECT_EQ(at(c->WindowImage(), 477, 100), clGreen);
    EXPECT_EQ(at(c->WindowImage(), 100, 287), clGreen);
    c->SetShadowStyle(ssBox);
    c->ShowDrawing();
    EXPECT_EQ(at(c->WindowImage(), 470, 0), clBlack); // the face's outline

    // A caption at the chart's bottom ignores the shadow.
    c->SetCaption(QStringLiteral("Histogram"));
    c->SetCaptionAnchorVert(cavChartBottom);
    c->SetCaptionAnchorHoriz(cahChartLeft);
    c->SetCaptionAlignment(taLeftJustify);
    c->SetCaptionPosY(2);
    // The caption is written in the colour of the chart's font, not in the frame colour.
    QPalette blueText = c->palette();
    blueText.setColor(QPalette::WindowText, ToQColor(clBlue));
    c->setPalette(blueText);
    c->SetChartFrameColor(clRed);
    c->ShowDrawing();
    bool captionInk = false;
    bool frameInk = false;
    for (int y = 290 - 40 + 2; y < 290 - 40 + 14; ++y) {
        for (int x = 50; x < 120; ++x) {
            captionInk = captionInk || at(c->WindowImage(), x, y) == clBlue;
            frameInk = frameInk || at(c->WindowImage(), x, y) == clRed;
        }
    }
    EXPECT_TRUE(captionInk);
    EXPECT_FALSE(frameInk);
}

TEST(RChart, CrossHairsKeepClearOfTheFrame) {
    auto c = histogramChart();
    TCrossHair* ch = c->CrossHair(1);
    ch->SetColor(clRed);
    ch->SetMode(chHoriz);
    ch->SetPosY(20); // exactly on the top frame line: not drawn
    c->ShowDrawing();
    EXPECT_NE(at(c->WindowImage(), 200, 6), clRed);
    ch->SetPosY(10);
    c->ShowDrawing();
    int px = 0, py = 0;
    c->WorldToPixel(1, 0, 10, px, py);
    EXPECT_EQ(at(c->WindowImage(), 200, py), clRed);
    EXPECT_NE(at(c->WindowImage(), 50, py), clRed); // starts inside the frame
    ch->SetLineWid(5);
    c->WorldToPixel(1, 0, 19.8, px, py);
    ch->SetPosY(19.8); // within half its width of the frame
    c->ShowDrawing();
    EXPECT_NE(at(c->WindowImage(), 200, py), clRed);
}

TEST(RChart, StandardLayoutsPlaceMarginsAndAxes) {
    TRChart c;
    c.SetStandardLayout(rcl_X1Bottom_Y2Left);
    EXPECT_EQ(c.MarginLeft(), 100);
    EXPECT_EQ(c.MarginTop(), 24);
    EXPECT_TRUE(c.YAxis(2)->Visible());
    EXPECT_EQ(c.YAxis(2)->ScalePos(), 50);
    EXPECT_FALSE(c.YAxis(3)->Visible());
    c.SetStandardLayout(rcl_X2Both_Y2Both);
    EXPECT_EQ(c.MarginTop(), 48);
    EXPECT_EQ(c.CaptionPosY(), -46);
    EXPECT_EQ(c.CaptionAlignment(), taCenter);
    EXPECT_EQ(c.XAxis(2)->ScaleLocation(), slTop);
    EXPECT_EQ(c.YAxis(2)->ScaleLocation(), slRight);
    EXPECT_FALSE(c.XAxis(5)->Visible());
    c.SetStandardLayout(rcl_X1Bottom_Y1Left);
    EXPECT_EQ(c.XAxis(1)->CaptionPosY(), 22);
    EXPECT_EQ(c.YAxis(1)->CaptionAlignment(), taLeftJustify);
    EXPECT_EQ(c.YAxis(2)->CaptionAlignment(), taRightJustify);
    EXPECT_FALSE(c.YAxis(2)->Visible());
}

TEST(RChart, RectanglesCoverBothCornersAndLabelsAreDrawn) {
    auto c = histogramChart();
    c->SetRange(1, 0, 0, 25, 20);
    c->SetDataColor(clBlue);
    c->SetFillColor(clYellow);
    c->AddRectangle(10, 10, 11, 11);
    TTextLabel* label = c->TextLabel(1);
    label->SetMode(tlBox);
    label->SetVisible(true);
    label->SetCaption(QStringLiteral("Mean"));
    label->SetColorBkg(clYellow);
    label->SetColorBorder(clRed);
    label->SetPosX(5);
    label->SetPosY(15);
    c->ShowDrawing();
    const QImage& img = c->WindowImage();
    int ax = 0, ay = 0, bx = 0, by = 0;
    c->WorldToPixel(1, 10, 10, ax, ay);
    c->WorldToPixel(1, 11, 11, bx, by);
    EXPECT_EQ(at(img, ax, ay), clBlue);
    EXPECT_EQ(at(img, bx, by), clBlue);
    EXPECT_EQ(at(img, (ax + bx) / 2, (ay + by) / 2), clYellow);
    EXPECT_EQ(at(img, bx + 1, by), clWhite);
    int lx = 0, ly = 0;
    c->WorldToPixel(1, 5, 15, lx, ly);
    bool box = false; // the box above its anchor (vaBottom), beside or between the letters
    for (int x = lx - 40; x < lx + 40; ++x) {
        box = box || at(img, x, ly - 4) == clYellow;
    }
    EXPECT_TRUE(box);
    bool border = false;
    for (int x = lx - 40; x < lx + 40; ++x) {
        border = border || at(img, x, ly + 1) == clRed;
    }
    EXPECT_TRUE(border);
}

TEST(RChart, IsometricKeepsTheYCentreAndMatchesTheXScale) {
    auto c = histogramChart(); // data area 420 x 244 pixels
    c->SetRange(1, 0, 0, 42, 10);
    c->SetIsometric(true);
    const double half = 42.0 * 245 / 421 / 2;
    EXPECT_NEAR(c->YAxis(1)->RangeLow(), 5 - half, 1e-9);
    EXPECT_NEAR(c->YAxis(1)->RangeHigh(), 5 + half, 1e-9);
    c->SetRange(1, 0, 100, 21, 100); // equal y bounds first widen, then the rule applies
    EXPECT_NEAR(c->YAxis(1)->RangeHigh() - c->YAxis(1)->RangeLow(), 21.0 * 245 / 421, 1e-9);
}
