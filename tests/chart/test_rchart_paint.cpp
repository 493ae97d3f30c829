// The chart's pictures in the corners a lesson never reaches: exclusive-or rectangles,
// isometric margins, dotted grids over fills, the axes of the hidden layers, the order of the
// painting events, background images and area fills, hidden layers and classes, far-away
// coordinates, the data-area redraw and repainting a sharing group.

#include "HistogramChart.h"
#include "chart/RChart.h"
#include "platform/Canvas.h"
#include "platform/Cursors.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

TColor at(const QImage& img, int x, int y) { return FromQRgb(img.pixel(x, y)); }

// The histogram's geometry: x 0..42 on pixels 50..470 (10 pixels a unit), y 0..24.4 on
// pixels 250..6; the data area is 421 x 245 pixels.
std::unique_ptr<TRChart> shownChart(bool autoRedraw = true) {
    auto c = HistogramGeometryChart(autoRedraw);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(c.get()));
    c->SetRange(1, 0, 0, 42, 24.4);
    return c;
}

void moveHeld(TRChart& c, int x, int y) {
    QMouseEvent e(QEvent::MouseMove, QPointF(x, y), c.mapToGlobal(QPointF(x, y)), Qt::NoButton,
                  Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&c, &e);
}

void moveFree(TRChart& c, int x, int y) {
    QMouseEvent e(QEvent::MouseMove, QPointF(x, y), c.mapToGlobal(QPointF(x, y)), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&c, &e);
}

// The pixels in which two pictures differ.
std::vector<QPoint> changed(const QImage& a, const QImage& b) {
    std::vector<QPoint> out;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                out.emplace_back(x, y);
            }
        }
    }
    return out;
}

int countColour(const QImage& img, TColor colour, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            n += at(img, x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

} // namespace

TEST(ChartPaint, RubberBandsDrawTheSameRectangleWhicheverWayTheyAreDragged) {
    auto c = shownChart();
    QWindow* window = c->windowHandle();
    c->SetMouseAction(maRubberBand);
    const QImage before = c->WindowImage();

    // Up and to the left, passing through a smaller rectangle first.
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(300, 200));
    moveHeld(*c, 250, 170);
    moveHeld(*c, 150, 100);
    const QImage upLeft = c->WindowImage();
    QTest::mouseRelease(window, Qt::RightButton, {}, QPoint(150, 100)); // cancel: erased
    EXPECT_TRUE(changed(before, c->WindowImage()).empty());

    // Down and to the right between the same two corners.
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(150, 100));
    moveHeld(*c, 300, 200);
    const QImage downRight = c->WindowImage();
    QTest::mouseRelease(window, Qt::RightButton, {}, QPoint(300, 200));
    EXPECT_TRUE(changed(before, c->WindowImage()).empty());

    const std::vector<QPoint> band = changed(before, upLeft);
    EXPECT_EQ(band, changed(before, downRight));
    // The outline of 151 x 101 pixels through both corner pixels, and nothing else.
    EXPECT_EQ(band.size(), static_cast<std::size_t>(2 * 151 + 2 * 101 - 4));
    for (const QPoint corner : {QPoint(150, 100), QPoint(300, 100), QPoint(150, 200),
                                QPoint(300, 200)}) {
        EXPECT_NE(upLeft.pixel(corner), before.pixel(corner)) << corner.x() << "," << corner.y();
    }
    for (const QPoint& p : band) {
        EXPECT_TRUE(p.x() == 150 || p.x() == 300 || p.y() == 100 || p.y() == 200);
    }
}

TEST(ChartPaint, ZoomDraggingScalesTheRangesAboutTheirCentres) {
    auto c = shownChart();
    int zooms = 0;
    c->OnZoomPan = [&](QObject*) { ++zooms; };
    c->SetMouseAction(maZoomDrag);
    // To the right by half the control's width: x zooms in to half its width.
    moveHeld(*c, 100, 100); // starts the drag
    moveHeld(*c, 339, 100);
    EXPECT_DOUBLE_EQ(c->XAxis(1)->RangeLow(), 10.5);
    EXPECT_DOUBLE_EQ(c->XAxis(1)->RangeHigh(), 31.5);
    EXPECT_DOUBLE_EQ(c->YAxis(1)->RangeLow(), 0);
    EXPECT_DOUBLE_EQ(c->YAxis(1)->RangeHigh(), 24.4);
    EXPECT_EQ(zooms, 1);
    moveFree(*c, 339, 101); // the drag ends
    // Down by half the height: y zooms out to one and a half times its height.
    c->SetRange(1, 0, 0, 42, 24.4);
    moveHeld(*c, 100, 100);
    moveHeld(*c, 100, 245);
    EXPECT_DOUBLE_EQ(c->XAxis(1)->RangeLow(), 0);
    EXPECT_NEAR(c->YAxis(1)->RangeLow(), -6.1, 1e-12);
    EXPECT_NEAR(c->YAxis(1)->RangeHigh(), 30.5, 1e-12);
    moveFree(*c, 100, 246);
    // A move outside the data area while dragging changes nothing.
    c->SetRange(1, 0, 0, 42, 24.4);
    moveHeld(*c, 100, 100);
    moveHeld(*c, 20, 100);
    EXPECT_DOUBLE_EQ(c->XAxis(1)->RangeHigh(), 42);
    moveFree(*c, 20, 101);
    // Isometric: y follows the x factor, whichever way the mouse went vertically.
    c->SetIsometric(true);
    const double height = c->YAxis(1)->RangeHigh() - c->YAxis(1)->RangeLow();
    const double centre = (c->YAxis(1)->RangeHigh() + c->YAxis(1)->RangeLow()) / 2;
    moveHeld(*c, 100, 100);
    moveHeld(*c, 339, 200);
    EXPECT_DOUBLE_EQ(c->XAxis(1)->RangeLow(), 10.5);
    EXPECT_NEAR(c->YAxis(1)->RangeHigh() - c->YAxis(1)->RangeLow(), height / 2, 1e-12);
    EXPECT_NEAR((c->YAxis(1)->RangeHigh() + c->YAxis(1)->RangeLow()) / 2, centre, 1e-12);
}

TEST(ChartPaint, VerticalAndLogarithmicPanning) {
    auto c = shownChart();
    c->SetMouseAction(maPanVert);
    moveHeld(*c, 200, 100);
    moveHeld(*c, 260, 150); // 50 pixels down: the data follows, y shows 5 units higher
    EXPECT_NEAR(c->YAxis(1)->RangeLow(), 5, 1e-12);
    EXPECT_NEAR(c->YAxis(1)->RangeHigh(), 29.4, 1e-12);
    EXPECT_DOUBLE_EQ(c->XAxis(1)->RangeLow(), 0); // vertical only
    EXPECT_DOUBLE_EQ(c->XAxis(1)->RangeHigh(), 42);
    moveFree(*c, 260, 151);

    // A logarithmic x axis 1..1000: a third of the width to the right divides by ten.
    c->SetRange(1, 1, 0, 1000, 24.4);
    c->XAxis(1)->SetLogarithmic(true);
    ASSERT_TRUE(c->XAxis(1)->Logarithmic());
    c->SetMouseAction(maPan);
    moveHeld(*c, 200, 100);
    moveHeld(*c, 340, 100);
    EXPECT_NEAR(c->XAxis(1)->RangeLow(), 0.1, 1e-12);
    EXPECT_NEAR(c->XAxis(1)->RangeHigh(), 100, 1e-10);
    EXPECT_NEAR(c->YAxis(1)->RangeLow(), 0, 1e-12);
}

TEST(ChartPaint, CursorsOfTheMouseActions) {
    auto c = shownChart();
    c->SetMouseCursorFixed(false);
    auto cursorAfterMove = [&](TMouseActMode mode, int x) {
        c->SetMouseAction(mode);
        moveFree(*c, x, 100);
        const QCursor* cur = QGuiApplication::overrideCursor();
        return cur == nullptr ? QCursor() : *cur;
    };
    // Cursors 2 to 4 are the registered images of their numbers.
    const std::vector<std::pair<TMouseActMode, int>> numbered{
        {maZoomWind, 2}, {maZoomDrag, 3}, {maZoomWindPos, 4}};
    int x = 100;
    std::vector<qint64> images;
    for (const auto& [mode, number] : numbered) {
        const QCursor shown = cursorAfterMove(mode, ++x);
        EXPECT_EQ(shown.shape(), Qt::BitmapCursor) << number;
        images.push_back(shown.pixmap().cacheKey());
        EXPECT_EQ(std::count(images.begin(), images.end(), images.back()), 1) << number;
        EXPECT_EQ(shown.pixmap().cacheKey(), ApplicationCursor(number).pixmap().cacheKey())
            << number;
    }
    EXPECT_EQ(cursorAfterMove(maRubberBand, ++x).shape(), Qt::ArrowCursor);
    EXPECT_EQ(cursorAfterMove(maDragCrossH, ++x).shape(), Qt::ArrowCursor);
    EXPECT_EQ(cursorAfterMove(maNone, ++x).shape(), Qt::CrossCursor);
    // The zoom and rotation modes leave whatever cursor there is.
    for (TMouseActMode mode : {maZoom, maRotate, maRotAndZoom, maRotXOnly, maRotZOnly}) {
        EXPECT_EQ(cursorAfterMove(mode, ++x).shape(), Qt::CrossCursor) << mode;
    }
    // Outside the data area it is the arrow whatever the mode.
    EXPECT_EQ(cursorAfterMove(maZoomDrag, 10).shape(), Qt::ArrowCursor);
}

TEST(ChartPaint, MarginsKeepAnIsometricChartIsometricOnEveryLayer) {
    auto c = shownChart();
    c->SetRange(0, 0, 0, 42, 24.4);
    c->SetIsometric(true);
    // 42 wide over 421 pixels: 245 pixels are 24.44 high.
    EXPECT_NEAR(c->YAxis(1)->RangeHigh() - c->YAxis(1)->RangeLow(), 42.0 * 245 / 421, 1e-9);
    c->SetMarginTop(60);
    for (int n : {1, 2, 16}) {
        const double height = c->YAxis(n)->RangeHigh() - c->YAxis(n)->RangeLow();
        EXPECT_NEAR(height, 42.0 * 191 / 421, 1e-9) << n; // 19.05
        EXPECT_NEAR((c->YAxis(n)->RangeHigh() + c->YAxis(n)->RangeLow()) / 2, 12.2, 1e-9) << n;
    }
    c->SetMarginLeft(71); // 400 pixels wide
    EXPECT_NEAR(c->YAxis(3)->RangeHigh() - c->YAxis(3)->RangeLow(), 42.0 * 191 / 400, 1e-9);
    // Off, a margin leaves the ranges alone.
    c->SetIsometric(false);
    const double kept = c->YAxis(1)->RangeHigh();
    c->SetMarginTop(20);
    EXPECT_EQ(c->YAxis(1)->RangeHigh(), kept);
}

TEST(ChartPaint, DottedGridGapsAreInTheChartColourOverAnAreaFill) {
    auto c = shownChart();
    c->BackGroundImg()->SetAreaMode(bamRect);
    c->BackGroundImg()->SetAreaColor(clYellow);
    c->BackGroundImg()->SetAreaLeft(-100);
    c->BackGroundImg()->SetAreaRight(100);
    c->BackGroundImg()->SetAreaTop(100);
    c->BackGroundImg()->SetAreaBottom(-100);
    c->SetGridColor(clRed);
    c->SetGridDx(10);
    c->SetGridDy(10);
    c->SetGridStyle(gsDotLines);
    c->ShowDrawing();
    const QImage& img = c->WindowImage();
    EXPECT_EQ(at(img, 75, 75), clYellow); // the fill is there
    int px = 0, py = 0;
    c->WorldToPixel(1, 20, 0, px, py); // a vertical grid line
    const QRect column(px, 20, 1, 200);
    EXPECT_GE(countColour(img, clRed, column), 90);
    EXPECT_EQ(countColour(img, clRed, column) + countColour(img, clWhite, column), 200);
    c->WorldToPixel(1, 0, 10, px, py); // a horizontal one
    const QRect row(60, py, 400, 1);
    EXPECT_EQ(countColour(img, clRed, row) + countColour(img, clWhite, row), 400);
    // Solid lines have no gaps to fill.
    c->SetGridStyle(gsLines);
    EXPECT_EQ(countColour(c->WindowImage(), clRed, row), 400);
}

TEST(ChartPaint, TheAxesOfTheUnpublishedLayersStandOnAlternatingSides) {
    auto check = [](TRChart& c, const std::string& when) {
        for (int n = 5; n <= 16; ++n) {
            const bool odd = n % 2 == 1;
            const TScalePropsHoriz& x = *c.XAxis(n);
            const TScalePropsVert& y = *c.YAxis(n);
            EXPECT_EQ(x.ScaleSide(), odd ? sctXT : sctXB) << when << n;
            EXPECT_EQ(y.ScaleSide(), odd ? sctYR : sctYL) << when << n;
            EXPECT_EQ(x.ScaleLocation(), odd ? slBottom : slTop) << when << n;
            EXPECT_EQ(y.ScaleLocation(), odd ? slLeft : slRight) << when << n;
            EXPECT_EQ(x.ScalePos(), (n - 1) / 2 * 30) << when << n;
            EXPECT_EQ(y.ScalePos(), (n - 1) / 2 * 50) << when << n;
            EXPECT_FALSE(x.Visible()) << when << n;
            EXPECT_FALSE(y.Visible()) << when << n;
            EXPECT_EQ(c.XScale(n)->ScaleType(), x.ScaleSide()) << when << n;
        }
    };
    TRChart c;
    check(c, "built, layer ");
    // Layer 7's x scale below the data area, 90 pixels out: its top margin places it.
    EXPECT_EQ(c.XScale(7)->MarginTop(), 90 + c.height() - c.MarginBottom());
    for (TrcLayout layout : {rcl_X2Both_Y2Both, rcl_X1Bottom_Y4Left, rcl_X1Bottom_Y1Left}) {
        c.SetStandardLayout(layout);
        check(c, "after a layout, layer ");
    }
    // The presets still place the published axes.
    c.SetStandardLayout(rcl_X1Bottom_Y2Left);
    EXPECT_TRUE(c.YAxis(2)->Visible());
    EXPECT_EQ(c.YAxis(2)->ScalePos(), 50);
    EXPECT_EQ(c.YAxis(2)->ScaleLocation(), slLeft);
}

TEST(ChartPaint, PaintingEventsComeInOrderAndTicksAreReportedByTheChart) {
    auto c = shownChart(false);
    c->SetDataColor(clRed);
    c->AddLine(10, 10, 30, 10);
    std::vector<std::string> order;
    int ticks = 0;
    QObject* tickSender = nullptr;
    std::vector<TScaleType> sides;
    c->OnScaleTickDrawn = [&](QObject* sender, Canvas&, TScaleType side, double, int, int) {
        ++ticks;
        tickSender = sender;
        if (order.empty() || order.back() != "tick") {
            order.emplace_back("tick");
        }
        if (sides.empty() || sides.back() != side) {
            sides.push_back(side);
        }
    };
    c->OnScalesRendered = [&](QObject*, Canvas&, int, int) { order.emplace_back("scales"); };
    int top = 0, left = 0;
    c->OnBeforeRenderData = [&](QObject*, Canvas&, int t, int l) {
        order.emplace_back("before");
        top = t;
        left = l;
    };
    TColor atLine = clBlack;
    c->OnDataRendered = [&](QObject*, Canvas& canvas, int, int) {
        order.emplace_back("data");
        int px = 0, py = 0;
        c->WorldToPixel(1, 20, 10, px, py);
        atLine = canvas.Pixel(px - 50, py - 6); // the items are there already
        canvas.SetPixel(0, 100, clLime);        // where the frame is drawn afterwards
    };
    c->ShowDrawing(); // AutoRedraw off: a full repaint
    EXPECT_EQ(order, (std::vector<std::string>{"tick", "scales", "before", "data"}));
    EXPECT_GT(ticks, 4);
    EXPECT_EQ(tickSender, c.get());
    EXPECT_EQ(sides, (std::vector<TScaleType>{sctXT, sctYR})); // x scales first, then y
    EXPECT_EQ(top, 6);
    EXPECT_EQ(left, 50);
    EXPECT_EQ(atLine, clRed);
    EXPECT_EQ(at(c->WindowImage(), 50, 106), clBlack); // the frame covers it

    // The data-area redraw draws no scales.
    order.clear();
    c->SetAutoRedraw(true);
    c->ShowDrawing();
    EXPECT_EQ(order, (std::vector<std::string>{"before", "data"}));
}

TEST(ChartPaint, TheDataAreaRedrawLeavesTheMarginsAsTheyWere) {
    auto c = shownChart(false);
    c->SetCaption(QStringLiteral("Caption"));
    c->ShowDrawing();
    const QImage withCaption = c->WindowImage();
    c->SetCaption(QString()); // AutoRedraw off: not shown yet
    c->CrossHair(1)->SetColor(clBlue);
    c->CrossHair(1)->SetPosX(30);
    c->CrossHair(1)->SetMode(chVert);
    c->SetAutoRedraw(true);
    c->SetDataColor(clRed);
    c->AddLine(0, 10, 42, 10);
    c->ShowDrawing();
    const QImage& img = c->WindowImage();
    int px = 0, py = 0;
    c->WorldToPixel(1, 20, 10, px, py);
    EXPECT_EQ(at(img, px, py), clRed); // the data area is new
    // The cross-hair is drawn into the data area at its place in the control.
    int cx = 0, cy = 0;
    c->WorldToPixel(1, 30, 0, cx, cy);
    EXPECT_EQ(at(img, cx, 100), clBlue);
    EXPECT_EQ(at(img, cx, 7), clBlue);
    EXPECT_EQ(at(img, cx, 6), clBlack); // not over the frame
    EXPECT_EQ(at(img, cx, 250), clBlack);
    EXPECT_NE(at(img, cx - 50, 100), clBlue);
    // Outside the data area nothing changed: the caption is still there.
    for (const QPoint& p : changed(withCaption, img)) {
        ASSERT_TRUE(p.x() >= 50 && p.x() <= 470 && p.y() >= 6 && p.y() <= 250)
            << p.x() << "," << p.y();
    }
    EXPECT_EQ(c->ControlBitmap().pixel(px, py), withCaption.pixel(px, py));
    // A full repaint rebuilds everything from the state: the caption goes.
    c->FullRepaint();
    EXPECT_FALSE(changed(withCaption, c->WindowImage()).empty());
    EXPECT_EQ(at(c->ControlBitmap(), px, py), clRed);
}

TEST(ChartPaint, BackgroundImagesAndTheirFillModes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // 10 x 10: red with blue 2 x 2 pixels at the top left and green ones at the bottom right.
    QImage tile(10, 10, QImage::Format_RGB32);
    tile.fill(Qt::red);
    for (int i : {0, 1}) {
        for (int j : {0, 1}) {
            tile.setPixel(i, j, qRgb(0, 0, 255));
            tile.setPixel(8 + i, 8 + j, qRgb(0, 255, 0));
        }
    }
    const QString path = dir.filePath(QStringLiteral("tile.png"));
    ASSERT_TRUE(tile.save(path));

    auto c = shownChart();
    TBakGndImg& bg = *c->BackGroundImg();
    bg.SetAreaMode(bamRect); // never drawn over an image
    bg.SetAreaColor(clYellow);
    bg.SetAreaLeft(10);
    bg.SetAreaRight(30);
    bg.SetAreaTop(20);
    bg.SetAreaBottom(5);
    EXPECT_EQ(at(c->WindowImage(), 200, 100), clYellow); // the fill, without an image
    bg.SetIncludePath(true);
    bg.SetFillMode(bfSimple);
    bg.SetName(path);
    const QImage& img = c->WindowImage();
    EXPECT_EQ(at(img, 50, 6), clBlack); // the frame is drawn over the image
    EXPECT_EQ(at(img, 51, 7), clBlue);  // the image at its own size from the corner
    EXPECT_EQ(at(img, 55, 10), clRed);
    EXPECT_EQ(at(img, 59, 15), clLime);
    EXPECT_EQ(at(img, 65, 20), clWhite); // beyond the image: the chart colour
    EXPECT_EQ(countColour(img, clYellow, QRect(50, 6, 421, 245)), 0);

    bg.SetFillMode(bfTile);
    EXPECT_EQ(at(c->WindowImage(), 50 + 31, 6 + 21), clBlue); // copies every 10 pixels
    EXPECT_EQ(at(c->WindowImage(), 50 + 409, 6 + 239), clLime);
    EXPECT_EQ(at(c->WindowImage(), 50 + 415, 6 + 243), clRed); // the last, cut copy
    EXPECT_EQ(countColour(c->WindowImage(), clWhite, QRect(51, 7, 419, 243)), 0);

    bg.SetFillMode(bfStretch); // 42 pixels for each pixel of the image across
    EXPECT_EQ(at(c->WindowImage(), 50 + 20, 6 + 12), clBlue);
    EXPECT_EQ(at(c->WindowImage(), 50 + 200, 6 + 120), clRed);
    EXPECT_EQ(at(c->WindowImage(), 50 + 410, 6 + 236), clLime);

    // A file that does not load: the plain background with its area fill, and the name
    // is dropped so that it is not tried again.
    const QString broken = dir.filePath(QStringLiteral("broken.png"));
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    bg.SetName(broken);
    EXPECT_TRUE(bg.Name().isEmpty());
    c->FullRepaint();
    EXPECT_EQ(at(c->WindowImage(), 200, 100), clYellow);
    EXPECT_EQ(at(c->WindowImage(), 50, 100), clBlack); // the frame
}

TEST(ChartPaint, AreaFillsCoverTheirPartOfTheDataArea) {
    auto c = shownChart();
    TBakGndImg& bg = *c->BackGroundImg();
    bg.SetAreaColor(clYellow);
    bg.SetAreaLeft(10);   // pixel 150
    bg.SetAreaRight(20);  // pixel 250
    bg.SetAreaTop(20);    // pixel 50
    bg.SetAreaBottom(10); // pixel 150
    struct Case {
        TBGAreaMode mode;
        std::vector<QPoint> filled, clear;
    };
    const std::vector<Case> cases{
        {bamNone, {}, {{100, 100}, {200, 100}}},
        {bamLeft, {{60, 30}, {149, 240}}, {{151, 100}}},
        {bamRight, {{251, 30}, {460, 240}}, {{249, 100}}},
        {bamTop, {{60, 10}, {460, 49}}, {{100, 51}}},
        {bamBottom, {{60, 151}, {460, 240}}, {{100, 149}}},
        {bamVStripe, {{150, 10}, {249, 240}}, {{148, 100}, {251, 100}}},
        {bamHStripe, {{60, 50}, {460, 149}}, {{100, 48}, {100, 151}}},
        {bamRect, {{150, 50}, {249, 149}}, {{148, 100}, {200, 151}, {251, 100}}},
    };
    for (const Case& k : cases) {
        bg.SetAreaMode(k.mode);
        for (const QPoint& p : k.filled) {
            EXPECT_EQ(at(c->WindowImage(), p.x(), p.y()), clYellow)
                << k.mode << " at " << p.x() << "," << p.y();
        }
        for (const QPoint& p : k.clear) {
            EXPECT_EQ(at(c->WindowImage(), p.x(), p.y()), clWhite)
                << k.mode << " at " << p.x() << "," << p.y();
        }
    }
    // An area far beyond the range is cut at the data area, not wrapped.
    bg.SetAreaRight(1e15);
    bg.SetAreaMode(bamVStripe);
    EXPECT_EQ(at(c->WindowImage(), 460, 100), clYellow);
    EXPECT_EQ(at(c->WindowImage(), 140, 100), clWhite);
}

TEST(ChartPaint, HiddenLayersAndClassesAreNotDrawn) {
    auto c = shownChart(false);
    c->SetRange(2, 0, 0, 42, 24.4);
    c->SetDataColor(clRed);
    c->AddLine(0, 20, 42, 20); // layer 1, class 0
    c->SetClassDefault(3);
    c->SetDataColor(clBlue);
    c->AddLine(0, 10, 42, 10); // layer 1, class 3
    int y20 = 0, y10 = 0, px = 0;
    c->WorldToPixel(1, 20, 20, px, y20);
    c->WorldToPixel(1, 20, 10, px, y10);
    c->ShowDrawing();
    EXPECT_EQ(at(c->WindowImage(), px, y20), clRed);
    EXPECT_EQ(at(c->WindowImage(), px, y10), clBlue);
    c->SetClassVisible(3, false);
    c->ShowDrawing();
    EXPECT_EQ(at(c->WindowImage(), px, y20), clRed);
    EXPECT_EQ(at(c->WindowImage(), px, y10), clWhite);
    c->SetClassVisible(3, true);
    c->SetLayerVisible(1, false);
    c->ShowDrawing();
    EXPECT_EQ(at(c->WindowImage(), px, y20), clWhite);
    EXPECT_EQ(at(c->WindowImage(), px, y10), clWhite);
    EXPECT_FALSE(c->LayerVisible(1));
    EXPECT_TRUE(c->LayerVisible(2));
    EXPECT_FALSE(c->LayerVisible(17));
    EXPECT_FALSE(c->ClassVisible(256));
}

TEST(ChartPaint, CoordinatesFarOutsideTheRangeAreCutNotWrapped) {
    auto c = shownChart(false);
    c->SetDataColor(clRed);
    c->AddLine(-1e12, 10, 1e12, 10);     // beyond 32-bit pixels
    c->AddLine(21, -1e300, 21, 1e300);   // beyond everything
    c->SetDataColor(clBlue);
    c->SetFillColor(clLime);
    c->AddRectangle(30, -1e9, 1e9, 5);   // a rectangle reaching far right and down
    c->ShowDrawing();
    const QImage& img = c->WindowImage();
    int px = 0, py = 0;
    c->WorldToPixel(1, 0, 10, px, py);
    EXPECT_EQ(countColour(img, clRed, QRect(51, py, 419, 1)), 419); // across the whole area
    c->WorldToPixel(1, 21, 0, px, py);
    EXPECT_GE(countColour(img, clRed, QRect(px, 7, 1, 243)), 240);
    c->WorldToPixel(1, 35, 2, px, py);
    EXPECT_EQ(at(img, px, py), clLime);
    EXPECT_EQ(at(img, 469, 249), clLime);
    c->WorldToPixel(1, 20, 2, px, py);
    EXPECT_EQ(at(img, px, py), clWhite); // left of the rectangle: nothing wrapped round
    c->WorldToPixel(1, 35, 8, px, py);
    EXPECT_EQ(at(img, px, py), clWhite); // above it
}

TEST(ChartPaint, ShowDrawingRepaintsTheWholeSharingGroupTheCallerIncluded) {
    auto owner = shownChart();
    auto sharer = shownChart();
    auto other = shownChart();
    sharer->SetUseDataOf(owner.get());
    other->SetUseDataOf(owner.get());
    int ownerFull = 0, sharerFull = 0, otherFull = 0;
    owner->OnScalesRendered = [&](QObject*, Canvas&, int, int) { ++ownerFull; };
    sharer->OnScalesRendered = [&](QObject*, Canvas&, int, int) { ++sharerFull; };
    other->OnScalesRendered = [&](QObject*, Canvas&, int, int) { ++otherFull; };
    sharer->SetDataColor(clRed);
    sharer->AddLine(0, 10, 42, 10);
    sharer->ShowDrawing();
    EXPECT_EQ(ownerFull, 1);
    EXPECT_EQ(sharerFull, 1); // the caller too
    EXPECT_EQ(otherFull, 1);
    int px = 0, py = 0;
    owner->WorldToPixel(1, 20, 10, px, py);
    for (TRChart* c : {owner.get(), sharer.get(), other.get()}) {
        EXPECT_EQ(at(c->WindowImage(), px, py), clRed);
    }
    // The owner calling: the same group, itself included.
    owner->ShowDrawing();
    EXPECT_EQ(ownerFull, 2);
    EXPECT_EQ(sharerFull, 2);
    EXPECT_EQ(otherFull, 2);
    // A chart without partners redraws only its data area.
    auto alone = shownChart();
    int aloneFull = 0;
    alone->OnScalesRendered = [&](QObject*, Canvas&, int, int) { ++aloneFull; };
    alone->ShowDrawing();
    EXPECT_EQ(aloneFull, 0);
    sharer->SetUseDataOf(nullptr);
    other->SetUseDataOf(nullptr);
}

TEST(ChartPaint, LeavingADataSharingGroup) {
    std::vector<QString> messages;
    SetMessageHandler([&](QWidget*, const QString& t) { messages.push_back(t); });
    TRChart owner, a, b;
    a.SetUseDataOf(&owner);
    b.SetUseDataOf(&owner);
    // The owner cannot let go of its sharers by clearing its own link.
    owner.SetUseDataOf(nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              QStringLiteral("RChart: Cannot use foreign data. Other RCharts are using my own data."));
    owner.AddLine(0, 0, 1, 1);
    EXPECT_EQ(a.Count(), 1);
    EXPECT_EQ(b.Count(), 1);
    // A sharer that leaves shows a list of its own; the others keep sharing.
    a.SetUseDataOf(nullptr);
    EXPECT_EQ(a.UseDataOf(), nullptr);
    owner.AddLine(0, 0, 2, 2);
    EXPECT_EQ(b.Count(), 2);
    EXPECT_EQ(a.Count(), 0);
    a.AddLine(5, 5, 6, 6);
    EXPECT_EQ(owner.Count(), 2);
    // Its place is free again: four sharers fit.
    TRChart c, d, e;
    for (TRChart* s : {&a, &c, &d}) {
        s->SetUseDataOf(&owner);
    }
    EXPECT_EQ(messages.size(), 1u);
    e.SetUseDataOf(&owner);
    EXPECT_EQ(messages.size(), 2u);
    // Clearing the link of a chart that shares nothing does nothing.
    e.SetUseDataOf(nullptr);
    EXPECT_EQ(messages.size(), 2u);
    SetMessageHandler(nullptr);
    for (TRChart* s : {&a, &b, &c, &d}) {
        s->SetUseDataOf(nullptr);
    }
}

TEST(ChartPaint, AJoinGivesTheJoinedLayerItsControllersRange) {
    TRChart c;
    c.Loaded();
    c.SetRange(1, 0, 0, 10, 10);
    c.SetRange(2, 100, 5, 200, 6);
    c.SetRange(3, 300, 7, 400, 8);
    c.JointLayers()->SetxControlledBy(2, 1);
    EXPECT_EQ(c.XAxis(2)->RangeLow(), 0.0); // right away
    EXPECT_EQ(c.XAxis(2)->RangeHigh(), 10.0);
    EXPECT_EQ(c.YAxis(2)->RangeLow(), 5.0); // its own y stays
    EXPECT_EQ(c.YAxis(2)->RangeHigh(), 6.0);
    c.JointLayers()->SetyControlledBy(3, 1);
    EXPECT_EQ(c.XAxis(3)->RangeLow(), 300.0);
    EXPECT_EQ(c.YAxis(3)->RangeHigh(), 10.0);
    // After the join a direct range still cannot move the joined axis.
    c.SetRange(2, 50, 1, 60, 2);
    EXPECT_EQ(c.XAxis(2)->RangeLow(), 0.0);
    EXPECT_EQ(c.YAxis(2)->RangeLow(), 1.0);
    // The scale control shows the new range too.
    EXPECT_EQ(c.XScale(2)->RangeHigh(), 10.0);
    // Released, the layer keeps the range until it is set again.
    c.JointLayers()->SetxControlledBy(2, 2);
    c.SetRange(2, 50, 1, 60, 2);
    EXPECT_EQ(c.XAxis(2)->RangeLow(), 50.0);
}
