// The chart keeps its outer area and repaints only where items changed. Whatever property
// changes, the next ShowDrawing must show exactly what a full repaint from the chart's state
// shows, for both redraw modes; a long run of small changes must end in the same picture as
// a full repaint; and a listener to the painting events still gets every event.

#include "HistogramChart.h"
#include "chart/RChart.h"
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<TRChart> lessonLikeChart(bool autoRedraw) {
    auto c = HistogramGeometryChart(autoRedraw);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(c.get()));
    c->SetRange(1, 0, -3.5, 26, 20);
    c->SetGridStyle(gsDotLines);
    c->SetGridColor(clSilver);
    c->XAxis(1)->SetVisible(true);
    c->YAxis(1)->SetVisible(true);
    return c;
}

// The lesson's drawing: a rug of marks and 26 bars, with one mark at `picked`.
void drawItems(TRChart& c, double picked, int tallClass) {
    c.ClearDrawing();
    c.SetDataColor(clRed);
    for (int i = 0; i < 40; ++i) {
        c.AddLine(4 + i * 0.3, -1, 4 + i * 0.3, -2.5);
    }
    c.SetDataColor(clBlue);
    c.AddLine(picked, -1, picked, -2.5);
    c.SetFillColor(clYellow);
    c.SetDataColor(clBlack);
    for (int k = 0; k < 26; ++k) {
        c.AddBar3D(k, 0, k + 1, k == tallClass ? 12 : (k * 7) % 5, 10, 45);
    }
    c.ShowDrawing();
}

// What the window shows now, and what it shows after a full repaint from the state.
std::pair<QImage, QImage> shownAndRebuilt(TRChart& c) {
    const QImage shown = c.WindowImage().copy();
    c.FullRepaint();
    if (c.AutoRedraw()) {
        c.DataAreaRedraw();
    }
    return {shown, c.WindowImage().copy()};
}

using TChange = std::pair<std::string, std::function<void(TRChart&)>>;

std::vector<TChange> propertyChanges() {
    return {
        {"margins", [](TRChart& c) { c.SetMarginLeft(60); }},
        {"shadow width", [](TRChart& c) { c.SetShadowWidth(8); }},
        {"shadow colours", [](TRChart& c) { c.SetShadowColor(clRed); c.SetShadowBakColor(clLime); }},
        {"shadow style", [](TRChart& c) { c.SetShadowStyle(ssBox); }},
        {"window colour", [](TRChart& c) { c.SetWindColor(clAqua); }},
        {"chart colour", [](TRChart& c) { c.SetChartColor(clTeal); }},
        {"frame colour", [](TRChart& c) { c.SetChartFrameColor(clRed); }},
        {"grid", [](TRChart& c) { c.SetGridStyle(gsLines); c.SetGridColor(clGreen); }},
        {"grid steps", [](TRChart& c) { c.SetGridDx(2); c.SetGridDy(3); }},
        {"caption", [](TRChart& c) { c.SetCaption(QStringLiteral("Counts")); }},
        {"caption place", [](TRChart& c) { c.SetCaption(QStringLiteral("N")); c.SetCaptionPosX(-40); }},
        {"font", [](TRChart& c) { QFont f = c.font(); f.setPixelSize(17); c.setFont(f); }},
        {"palette", [](TRChart& c) {
             c.SetCaption(QStringLiteral("N"));
             QPalette p = c.palette();
             p.setColor(QPalette::WindowText, Qt::red);
             c.setPalette(p);
         }},
        {"range", [](TRChart& c) { c.SetRange(1, -2, -3.5, 30, 25); }},
        {"scale settings", [](TRChart& c) { c.XAxis(1)->SetDecPlaces(2); }},
        {"scale visibility", [](TRChart& c) { c.YAxis(1)->SetVisible(false); }},
        {"scale colour", [](TRChart& c) { c.XAxis(1)->SetColorScale(clRed); }},
        {"scale caption", [](TRChart& c) { c.YAxis(1)->SetCaption(QStringLiteral("count")); }},
        {"layer hidden", [](TRChart& c) { c.SetLayerVisible(1, false); }},
        {"class hidden", [](TRChart& c) { c.SetClassVisible(0, false); }},
        {"background area", [](TRChart& c) {
             c.BackGroundImg()->SetAreaColor(clLime);
             c.BackGroundImg()->SetAreaMode(bamVStripe);
             c.BackGroundImg()->SetAreaLeft(3);
             c.BackGroundImg()->SetAreaRight(7);
         }},
        {"cross-hair", [](TRChart& c) { c.CrossHair(1)->SetPosX(10); c.CrossHair(1)->SetMode(chVert); }},
        {"text label", [](TRChart& c) {
             c.TextLabel(1)->SetCaption(QStringLiteral("here"));
             c.TextLabel(1)->SetPosX(10);
             c.TextLabel(1)->SetPosY(10);
             c.TextLabel(1)->SetMode(tlBox);
             c.TextLabel(1)->SetVisible(true);
         }},
        {"size", [](TRChart& c) { c.resize(500, 300); }},
    };
}

} // namespace

TEST(ChartCaches, EveryPropertyGroupShowsAfterTheNextDrawing) {
    for (bool autoRedraw : {false, true}) {
        for (const auto& [name, change] : propertyChanges()) {
            auto c = lessonLikeChart(autoRedraw);
            drawItems(*c, 8.0, 8);
            drawItems(*c, 8.1, 8); // the caches are in use now
            change(*c);
            drawItems(*c, 8.2, 8);
            const auto [shown, rebuilt] = shownAndRebuilt(*c);
            if (autoRedraw) {
                // The data-area redraw leaves the margins as they are; a font or palette
                // change shows there at the next full repaint, as it always has.
                const QRect area(c->MarginLeft(), c->MarginTop(),
                                 c->width() - c->MarginLeft() - c->MarginRight() - c->ShadowWidth(),
                                 c->height() - c->MarginTop() - c->MarginBottom() - c->ShadowWidth());
                EXPECT_TRUE(shown.copy(area) == rebuilt.copy(area)) << name << " (data-area redraw)";
            } else {
                EXPECT_TRUE(shown == rebuilt) << name;
            }
        }
    }
}

TEST(ChartCaches, ALongDragEndsInTheFullRepaintsPicture) {
    for (bool autoRedraw : {false, true}) {
        auto c = lessonLikeChart(autoRedraw);
        int changedParts = 0;
        for (int step = 0; step < 300; ++step) {
            const QImage before = c->WindowImage().copy();
            // The picked mark wanders across classes, so bars grow and shrink as it goes.
            drawItems(*c, 2 + (step % 150) * 0.15, (step / 7) % 26);
            changedParts += before != c->WindowImage();
            if (step % 50 == 49) {
                const auto [shown, rebuilt] = shownAndRebuilt(*c);
                ASSERT_TRUE(shown == rebuilt) << "step " << step;
            }
        }
        EXPECT_GT(changedParts, 250);
    }
}

TEST(ChartCaches, ADrawingThatChangesNothingCopiesNothing) {
    auto c = lessonLikeChart(false);
    drawItems(*c, 8.0, 8);
    drawItems(*c, 8.0, 8);
    QCoreApplication::sendPostedEvents();
    int paints = 0;
    struct Counter : QObject {
        int& n;
        explicit Counter(int& count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override {
            n += e->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    c->installEventFilter(&counter);
    drawItems(*c, 8.0, 8);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(paints, 0);
    drawItems(*c, 8.3, 8);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(paints, 1);
    c->removeEventFilter(&counter);
}

TEST(ChartCaches, TheFirstDisplaySharesThePictureAndTheNextDrawingSeparatesThem) {
    auto c = lessonLikeChart(false);
    drawItems(*c, 8.0, 8);
    c->resize(420, 260); // the window's image of the new size is the control's picture
    EXPECT_EQ(c->WindowImage().constBits(), c->ControlBitmap().constBits());
    const QImage first = c->WindowImage().copy();

    drawItems(*c, 12.0, 3);
    EXPECT_NE(c->WindowImage().constBits(), c->ControlBitmap().constBits());
    EXPECT_TRUE(c->WindowImage() == c->ControlBitmap());
    EXPECT_TRUE(c->WindowImage() != first);
    const auto [shown, rebuilt] = shownAndRebuilt(*c);
    EXPECT_TRUE(shown == rebuilt);
}

TEST(ChartCaches, ListenersGetEveryPaintingEventAtEveryDrawing) {
    auto c = lessonLikeChart(false);
    drawItems(*c, 8.0, 8);
    std::vector<std::string> order;
    c->OnScalesRendered = [&](QObject*, Canvas&, int, int) { order.emplace_back("scales"); };
    c->OnBeforeRenderData = [&](QObject*, Canvas&, int, int) { order.emplace_back("before"); };
    c->OnDataRendered = [&](QObject*, Canvas&, int, int) { order.emplace_back("data"); };
    drawItems(*c, 8.1, 8);
    drawItems(*c, 8.1, 8);
    EXPECT_EQ(order, (std::vector<std::string>{"scales", "before", "data", "scales", "before",
                                               "data"}));
    // A listener that draws on the data area sees its drawing in the window.
    c->OnDataRendered = [&](QObject*, Canvas& canvas, int, int) {
        canvas.SetPixel(100, 100, clFuchsia);
    };
    drawItems(*c, 8.2, 8);
    EXPECT_EQ(FromQRgb(c->WindowImage().pixel(150, 106)), clFuchsia);
    // Without listeners the caches come back and the picture stays the full repaint's.
    c->OnScalesRendered = nullptr;
    c->OnBeforeRenderData = nullptr;
    c->OnDataRendered = nullptr;
    drawItems(*c, 8.3, 8);
    drawItems(*c, 8.4, 8);
    const auto [shown, rebuilt] = shownAndRebuilt(*c);
    EXPECT_TRUE(shown == rebuilt);
}
