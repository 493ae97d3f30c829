// The chart under the mouse, driven by real mouse events on the offscreen platform: world
// positions, the order of the move callbacks, double clicks, rectangles, panning, limits
// and dragging a cross-hair.

#include "HistogramChart.h"
#include "chart/RChart.h"
#include "platform/Cursors.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {

// The histogram's geometry: x 0..25 on pixels 50..470, y 0..24.4 on 250..6 (10 pixels a unit).
struct Fixture {
    std::unique_ptr<TRChart> chart = HistogramGeometryChart(true);
    QWindow* window = nullptr;

    Fixture() {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(chart.get()));
        chart->SetRange(1, 0, 0, 42, 24.4);
        window = chart->windowHandle();
    }
    void move(int x, int y, Qt::MouseButtons held = Qt::NoButton) {
        if (held == Qt::NoButton) {
            QTest::mouseMove(window, QPoint(x, y));
            return;
        }
        // A move with a button held, as the window system delivers it.
        QMouseEvent e(QEvent::MouseMove, QPointF(x, y), chart->mapToGlobal(QPointF(x, y)),
                      Qt::NoButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(chart.get(), &e);
    }
    void press(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(window, b, {}, QPoint(x, y));
    }
    void release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(window, b, {}, QPoint(x, y));
    }
};

} // namespace

TEST(ChartMouse, WorldPositionsOnlyInsideTheDataAreaAndInOrder) {
    Fixture f;
    std::vector<std::pair<double, double>> inChart;
    std::vector<double> seenByMove;
    std::vector<bool> insideFlags;
    f.chart->OnMouseMoveInChart = [&](QObject*, bool inside, Qt::KeyboardModifiers, double x,
                                      double y) {
        insideFlags.push_back(inside);
        inChart.emplace_back(x, y);
    };
    f.chart->OnMouseMove = [&](QObject*, Qt::KeyboardModifiers, Qt::MouseButtons, int, int) {
        seenByMove.push_back(f.chart->MouseWorldX());
    };
    f.move(150, 100);
    EXPECT_NEAR(f.chart->MouseWorldX(), 10.0, 1e-9);
    f.move(250, 120);
    ASSERT_EQ(seenByMove.size(), 2u);
    EXPECT_NEAR(seenByMove[1], 10.0, 1e-9); // the handler sees the previous position
    EXPECT_NEAR(inChart.back().first, 20.0, 1e-9);
    f.move(20, 120); // in the margin
    EXPECT_NEAR(f.chart->MouseWorldX(), 20.0, 1e-9);
    EXPECT_FALSE(insideFlags.back());
    EXPECT_NEAR(inChart.back().first, -3.0, 1e-9);
    f.move(470, 250); // on the frame: inside
    EXPECT_TRUE(insideFlags.back());
    EXPECT_NEAR(f.chart->MouseWorldX(), 42.0, 1e-9);
    // With MouseCursorFixed the application cursor is the arrow after every move.
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    f.chart->SetMouseCursorFixed(false);
    f.chart->SetMouseAction(maPan);
    f.move(200, 200);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BitmapCursor);
    f.chart->SetMouseAction(maNone);
    f.move(201, 200);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
}

TEST(ChartMouse, ADoubleClickSwallowsTheNextPress) {
    Fixture f;
    int downs = 0, ups = 0, doubles = 0, clicks = 0;
    f.chart->OnMouseDown = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++downs; };
    f.chart->OnMouseUp = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++ups; };
    f.chart->OnDblClick = [&](QObject*) { ++doubles; };
    f.chart->OnClick = [&](QObject*) { ++clicks; };
    QTest::mouseDClick(f.window, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(downs, 1); // the second press went to the double click
    EXPECT_GE(ups, 1);
    EXPECT_GE(clicks, 1);
}

TEST(ChartMouse, RubberBandsAndZoomWindows) {
    Fixture f;
    int bands = 0, zooms = 0;
    double lo = 0, hi = 0;
    f.chart->OnRubberBand = [&](QObject*, int, double loX, double, double hiX, double) {
        ++bands;
        lo = loX;
        hi = hiX;
    };
    f.chart->OnZoomPan = [&](QObject*) { ++zooms; };
    f.chart->SetMouseAction(maRubberBand);
    f.press(150, 100);
    f.release(150, 100); // zero width: nothing
    EXPECT_EQ(bands, 0);
    EXPECT_EQ(zooms, 0);
    f.press(250, 100);
    f.move(150, 150, Qt::LeftButton);
    f.release(150, 150);
    EXPECT_EQ(bands, 1);
    EXPECT_NEAR(lo, 10, 1e-9); // ordered along the axis
    EXPECT_NEAR(hi, 20, 1e-9);

    f.chart->SetMouseAction(maZoomWind);
    f.press(250, 100);
    f.move(150, 150, Qt::LeftButton);
    f.release(150, 150);
    EXPECT_NEAR(f.chart->XAxis(1)->RangeLow(), 20, 1e-9); // drawn right to left: reversed
    EXPECT_NEAR(f.chart->XAxis(1)->RangeHigh(), 10, 1e-9);

    f.chart->SetRange(1, 0, 0, 42, 24.4);
    f.chart->SetMouseAction(maZoomWindPos);
    f.press(250, 100);
    f.move(150, 150, Qt::LeftButton);
    f.release(150, 150);
    EXPECT_NEAR(f.chart->XAxis(1)->RangeLow(), 10, 1e-9); // the axis keeps its direction
    EXPECT_NEAR(f.chart->XAxis(1)->RangeHigh(), 20, 1e-9);

    f.chart->SetRange(1, 0, 0, 42, 24.4);
    f.press(250, 100);
    f.move(150, 150, Qt::LeftButton);
    f.release(150, 150, Qt::RightButton); // the right button cancels
    EXPECT_NEAR(f.chart->XAxis(1)->RangeHigh(), 42, 1e-9);
}

TEST(ChartMouse, PanningMovesTheRangeWithThePointerWithinTheLimits) {
    Fixture f;
    int pans = 0;
    f.chart->OnZoomPan = [&](QObject*) { ++pans; };
    f.chart->SetMouseAction(maPanHoriz);
    f.move(200, 100, Qt::LeftButton); // starts the drag
    f.move(250, 100, Qt::LeftButton); // 50 pixels right: 5 units
    EXPECT_NEAR(f.chart->XAxis(1)->RangeLow(), -5, 1e-9);
    EXPECT_NEAR(f.chart->XAxis(1)->RangeHigh(), 37, 1e-9);
    EXPECT_NEAR(f.chart->YAxis(1)->RangeLow(), 0, 1e-9); // horizontal only
    EXPECT_EQ(pans, 1);
    f.move(251, 100); // no button: the drag ends
    f.chart->SetZoomLimits(-2, -100, 100, 100);
    f.move(200, 100, Qt::LeftButton);
    f.move(300, 100, Qt::LeftButton); // 10 more units left, stopped at -2 keeping the width
    EXPECT_NEAR(f.chart->XAxis(1)->RangeLow(), -2, 1e-9);
    EXPECT_NEAR(f.chart->XAxis(1)->RangeHigh(), 40, 1e-9);
}

TEST(ChartMouse, DraggingMovesTheNearestCrossHair) {
    Fixture f;
    f.chart->CrossHair(1)->SetMode(chVert);
    f.chart->CrossHair(1)->SetPosX(5);
    f.chart->CrossHair(2)->SetMode(chVert);
    f.chart->CrossHair(2)->SetLayer(1); // cross-hair n starts on layer n
    f.chart->CrossHair(2)->SetPosX(30);
    TCrossHair* moved = nullptr;
    f.chart->OnCrossHairMove = [&](QObject*, TCrossHair* ch) { moved = ch; };
    f.chart->SetMouseAction(maDragCrossH);
    f.move(340, 100, Qt::LeftButton); // near x = 29
    f.move(360, 110, Qt::LeftButton);
    EXPECT_EQ(moved, f.chart->CrossHair(2));
    EXPECT_NEAR(f.chart->CrossHair(2)->PosX(), 31, 1e-9);
    EXPECT_NEAR(f.chart->CrossHair(1)->PosX(), 5, 1e-9);
}
