// The chart on a screen of twice the density (a scale factor of 2): its pictures have the
// device's resolution, every line keeps its place and is two device pixels thick, and the
// scales' text is rasterised at the device's resolution, not enlarged from single pixels.

#include "HistogramChart.h"
#include "chart/RChart.h"
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

TColor at(const QImage& img, int x, int y) { return FromQRgb(img.pixel(x, y)); }

} // namespace

TEST(ChartAtScaleTwo, LinesAreTwoDevicePixelsInPlaceAndTextHasTheDevicesResolution) {
    auto c = HistogramGeometryChart(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(c.get()));
    ASSERT_EQ(c->devicePixelRatioF(), 2.0);
    c->SetRange(1, 0, -3.5, 26, 20);
    c->XAxis(1)->SetVisible(true);
    c->YAxis(1)->SetVisible(true);
    c->SetDataColor(clRed);
    c->AddLine(10, -1, 10, -2.5);
    c->SetDataColor(clBlack);
    c->SetFillColor(clYellow);
    c->AddBar3D(5, 0, 6, 5, 10, 45);
    c->ShowDrawing();
    const QImage& img = c->WindowImage();
    ASSERT_EQ(img.size(), c->size() * 2);

    // The data area's left frame line at logical x = 50: device columns 100 and 101.
    const int row = 2 * 150;
    EXPECT_EQ(at(img, 100, row), clBlack);
    EXPECT_EQ(at(img, 101, row), clBlack);
    EXPECT_NE(at(img, 99, row), clBlack);
    EXPECT_NE(at(img, 102, row), clBlack);

    // A mark of the rug, one logical pixel wide: two device columns, whole rows.
    int px = 0, py = 0;
    c->WorldToPixel(1, 10, -1.5, px, py);
    for (int dy : {0, 1}) {
        EXPECT_EQ(at(img, 2 * px, 2 * py + dy), clRed);
        EXPECT_EQ(at(img, 2 * px + 1, 2 * py + dy), clRed);
        EXPECT_NE(at(img, 2 * px - 1, 2 * py + dy), clRed);
        EXPECT_NE(at(img, 2 * px + 2, 2 * py + dy), clRed);
    }

    // The bar's front: outline two device pixels thick, face inside, no gap between.
    int bx = 0, by = 0, tx = 0, ty = 0;
    c->WorldToPixel(1, 5, 0, bx, by);
    c->WorldToPixel(1, 6, 5, tx, ty);
    const int mid = by + ty; // twice the logical middle row
    EXPECT_EQ(at(img, 2 * bx, mid), clBlack);
    EXPECT_EQ(at(img, 2 * bx + 1, mid), clBlack);
    EXPECT_EQ(at(img, 2 * bx + 2, mid), clYellow);

    // The y scale's labels left of the frame: glyphs drawn at the device's resolution have
    // edges inside 2 x 2 blocks and shades between ink and paper; an enlarged picture has
    // neither.
    int edges = 0, shades = 0;
    for (int y = 2 * 6; y < 2 * 250; y += 2) {
        for (int x = 0; x < 2 * 40; x += 2) {
            const QRgb p = img.pixel(x, y);
            edges += p != img.pixel(x + 1, y) || p != img.pixel(x, y + 1) ||
                     p != img.pixel(x + 1, y + 1);
            shades += qGray(p) > 20 && qGray(p) < 170;
        }
    }
    EXPECT_GT(edges, 20);
    EXPECT_GT(shades, 20);
}
