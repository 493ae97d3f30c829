// The direct writes under Canvas against Qt's own aliased drawing: for many lines, dotted
// grid lines, rectangles, bar faces and shadows, partly outside the image and clipped, the
// pixels must be the same. At a device pixel ratio of 2 a shape is the ratio-1 shape with
// every pixel a 2 x 2 square, and at 1.5 the squares meet without gaps.

#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

using TDraw = std::function<void(Canvas&)>;

QImage drawn(const TDraw& draw, Canvas::TPath path, qreal ratio = 1, int w = 48, int h = 40) {
    QImage img(static_cast<int>(w * ratio), static_cast<int>(h * ratio), QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    img.fill(QColor(10, 200, 30));
    {
        Canvas c(img, path);
        c.SetPenColor(clBlack);
        c.SetBrushColor(clYellow);
        draw(c);
    }
    return img;
}

// The first differing pixel, for the failure message; empty when the pictures agree.
std::string firstDifference(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return "at " + std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return {};
}

void expectSameAsQt(const TDraw& draw, const std::string& what) {
    const QImage direct = drawn(draw, Canvas::TPath::Direct);
    const QImage qt = drawn(draw, Canvas::TPath::QtOnly);
    EXPECT_EQ(firstDifference(direct, qt), "") << what;
}

bool isInk(const QImage& img, int x, int y) { return img.pixel(x, y) == qRgb(0, 0, 0); }

// A bar's top and side faces and its front, as the chart draws a 3-D bar.
void bar(Canvas& c, int x1, int y1, int x2, int y2, int gx, int gy) {
    c.Polygon(QPolygon({QPoint(x1, y1), QPoint(x1 + gx, y1 + gy), QPoint(x2 + gx, y1 + gy),
                        QPoint(x2, y1)}));
    c.Polygon(QPolygon({QPoint(x2 + gx, y1 + gy), QPoint(x2, y1), QPoint(x2, y2),
                        QPoint(x2 + gx, y2 + gy)}));
    c.Rectangle(x1, y1, x2 + 1, y2 + 1);
}

} // namespace

TEST(PixelRaster, LinesAndDotsAreQtsPixels) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coord(-6, 54);
    std::uniform_int_distribution<int> length(0, 30);
    for (int i = 0; i < 400; ++i) {
        const int x = coord(random), y = coord(random), n = length(random);
        const int dir = i % 8;
        const int dx = dir == 0 ? n : dir == 1 ? -n : dir == 4 || dir == 6 ? n : dir == 5 || dir == 7 ? -n : 0;
        const int dy = dir == 2 ? n : dir == 3 ? -n : dir == 4 || dir == 5 ? n : dir == 6 || dir == 7 ? -n : 0;
        for (TPenStyle style : {psSolid, psDot}) {
            expectSameAsQt(
                [&](Canvas& c) {
                    c.SetPenStyle(style);
                    c.MoveTo(x, y);
                    c.LineTo(x + dx, y + dy);
                    c.LineTo(x + dx + 3, y + dy);
                },
                "line " + std::to_string(x) + "," + std::to_string(y) + " by " +
                    std::to_string(dx) + "," + std::to_string(dy) + " style " +
                    std::to_string(style));
        }
    }
}

TEST(PixelRaster, ClippedShapesArePartsOfTheWholePicture) {
    // What a chart relies on when it paints again only where items changed.
    const TDraw grid = [](Canvas& c) {
        c.SetPenStyle(psDot);
        for (int k = 1; k < 40; k += 7) {
            c.MoveTo(k, 1);
            c.LineTo(k, 38);
            c.MoveTo(46, k);
            c.LineTo(1, k);
        }
        c.SetPenStyle(psSolid);
        bar(c, 10, 20, 18, 33, 7, -7);
        c.Rectangle(30, 10, 44, 30);
    };
    const QImage whole = drawn(grid, Canvas::TPath::QtOnly);
    for (const QRect& clip : {QRect(3, 4, 9, 11), QRect(14, 13, 20, 21), QRect(0, 0, 48, 2)}) {
        QImage part = whole.copy();
        part.fill(Qt::white);
        {
            Canvas c(part);
            c.SetPenColor(clBlack);
            c.SetBrushColor(FromQRgb(qRgb(10, 200, 30)));
            c.SetClipRect(clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1);
            c.SetBrushStyle(bsSolid);
            c.SetPenStyle(psClear);
            c.Rectangle(0, 0, 48, 40); // the background, as drawn() lays it
            c.SetBrushColor(clYellow);
            c.SetPenStyle(psSolid);
            grid(c);
        }
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 48; ++x) {
                const QRgb want = clip.contains(x, y) ? whole.pixel(x, y) : qRgb(255, 255, 255);
                ASSERT_EQ(part.pixel(x, y), want) << x << "," << y;
            }
        }
    }
}

TEST(PixelRaster, RectanglesPixelsAndClipsAreQtsPixels) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coord(0, 39);
    for (int i = 0; i < 300; ++i) {
        const int x1 = coord(random), y1 = coord(random), x2 = coord(random), y2 = coord(random);
        const bool clipped = i % 3 == 0;
        for (int mode = 0; mode < 3; ++mode) {
            expectSameAsQt(
                [&](Canvas& c) {
                    if (clipped) {
                        c.SetClipRect(8, 6, 30, 25);
                    }
                    c.SetPenStyle(mode == 2 ? psClear : psSolid);
                    c.SetBrushStyle(mode == 1 ? bsClear : bsSolid);
                    c.Rectangle(x1, y1, x2, y2);
                    c.SetPixel(x1, y2, clRed);
                    c.SetBrushStyle(bsSolid);
                    c.TextOut(x2, y1, QString());
                },
                "rectangle " + std::to_string(x1) + "," + std::to_string(y1) + "," +
                    std::to_string(x2) + "," + std::to_string(y2) + " mode " +
                    std::to_string(mode) + (clipped ? " clipped" : ""));
        }
    }
}

TEST(PixelRaster, ARectangleOutOfTheImageKeepsItsOutline) {
    // Qt's aliased outline loses the corner pixel at the bottom right when the rectangle
    // runs out of the image at the left or top; the whole outline is drawn here.
    const QImage img = drawn([](Canvas& c) { c.Rectangle(-2, 3, 4, 8); }, Canvas::TPath::Direct);
    for (int x = 0; x <= 3; ++x) {
        EXPECT_TRUE(isInk(img, x, 3) && isInk(img, x, 7)) << x;
    }
    for (int y = 3; y <= 7; ++y) {
        EXPECT_TRUE(isInk(img, 3, y)) << y;
    }
    EXPECT_EQ(img.pixel(1, 5), qRgb(255, 255, 0));
}

TEST(PixelRaster, BarFacesAndShadowsAreQtsPixels) {
    // Every bar width and height the histogram can show in a small box, both slants, and
    // bars of no height; then a shadow's two faces.
    for (int w = 0; w <= 9; ++w) {
        for (int h = 0; h <= 9; ++h) {
            for (const auto& [gx, gy] : {std::pair{7, -7}, std::pair{-7, -7}, std::pair{0, -5}}) {
                expectSameAsQt([&](Canvas& c) { bar(c, 12, 20, 12 + w, 20 + h, gx, gy); },
                               "bar " + std::to_string(w) + "x" + std::to_string(h) + " slant " +
                                   std::to_string(gx));
            }
        }
    }
    for (int sw = 1; sw <= 6; ++sw) {
        const int w = 40, h = 34, e = sw - 1;
        expectSameAsQt(
            [&](Canvas& c) {
                c.Polygon(QPolygon({QPoint(e, h - sw), QPoint(sw - 1, h - 1), QPoint(w - 1, h - 1),
                                    QPoint(w - sw, h - sw)}));
                c.Polygon(QPolygon({QPoint(w - sw, h - sw), QPoint(w - 1, h - 1),
                                    QPoint(w - 1, sw - 1), QPoint(w - sw, e)}));
            },
            "shadow " + std::to_string(sw));
    }
    // A bar that runs out of the image on every side.
    expectSameAsQt([&](Canvas& c) { bar(c, -20, 5, 60, 70, 7, -7); }, "large bar");
}

TEST(PixelRaster, ShapesCoverWholeDevicePixelsAtRatioTwo) {
    const TDraw shapes = [](Canvas& c) {
        bar(c, 10, 20, 18, 33, 7, -7);
        c.SetPenStyle(psDot);
        c.MoveTo(2, 36);
        c.LineTo(45, 36);
        c.SetPenStyle(psSolid);
        c.MoveTo(30, 2);
        c.LineTo(30, 30);
        c.Rectangle(34, 4, 44, 12);
    };
    const QImage one = drawn(shapes, Canvas::TPath::Direct);
    const QImage two = drawn(shapes, Canvas::TPath::Direct, 2);
    EXPECT_EQ(firstDifference(two, one.scaled(one.size() * 2)), "");
    // At 1.5 every device pixel belongs to exactly one logical pixel: the picture is the
    // ratio-1 picture sampled at each device pixel's logical pixel, without gaps or tears.
    const QImage half = drawn(shapes, Canvas::TPath::Direct, 1.5);
    int wrong = 0;
    for (int y = 0; y < half.height(); ++y) {
        for (int x = 0; x < half.width(); ++x) {
            // Device pixel d belongs to logical pixel v when ceil(1.5v - 0.5) <= d.
            const int lx = static_cast<int>((x + 0.5) / 1.5);
            const int ly = static_cast<int>((y + 0.5) / 1.5);
            wrong += half.pixel(x, y) != one.pixel(std::min(lx, 47), std::min(ly, 39));
        }
    }
    EXPECT_EQ(wrong, 0);
}
