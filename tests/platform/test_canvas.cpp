// The pixel rules every drawing part relies on: lines without their end pixel in all eight
// directions, rectangles covering x1..x2-1 and y1..y2-1, polygons through their vertices,
// exclusive-or drawing that undoes itself, and text measured with the font's metrics.

#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <set>
#include <utility>

namespace {

QImage blank(int w = 40, int h = 40) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

TColor at(const QImage& img, int x, int y) { return FromQRgb(img.pixel(x, y)); }

std::set<std::pair<int, int>> inked(const QImage& img) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (at(img, x, y) != clWhite) {
                out.insert({x, y});
            }
        }
    }
    return out;
}

} // namespace

TEST(Canvas, LineToLeavesItsEndPixelInEveryDirection) {
    const int cx = 20, cy = 20;
    for (const auto& [dx, dy] : std::initializer_list<std::pair<int, int>>{
             {8, 0}, {-8, 0}, {0, 8}, {0, -8}, {8, 8}, {-8, -8}, {8, -8}, {-8, 8}}) {
        QImage img = blank();
        {
            Canvas c(img);
            c.SetPenColor(clBlack);
            c.MoveTo(cx, cy);
            c.LineTo(cx + dx, cy + dy);
            EXPECT_EQ(c.PenPos(), QPoint(cx + dx, cy + dy));
        }
        EXPECT_EQ(at(img, cx, cy), clBlack) << dx << "," << dy;
        EXPECT_EQ(at(img, cx + dx, cy + dy), clWhite) << dx << "," << dy;
        // Exactly the 8 pixels from the start up to, not including, the end.
        EXPECT_EQ(inked(img).size(), 8u) << dx << "," << dy;
        const int sx = dx > 0 ? 1 : (dx < 0 ? -1 : 0);
        const int sy = dy > 0 ? 1 : (dy < 0 ? -1 : 0);
        EXPECT_EQ(at(img, cx + 7 * sx, cy + 7 * sy), clBlack) << dx << "," << dy;
    }
}

TEST(Canvas, ConnectedLinesCloseAnOutline) {
    QImage img = blank();
    {
        Canvas c(img);
        c.SetPenColor(clRed);
        c.MoveTo(5, 5);
        c.LineTo(5, 15);
        c.LineTo(15, 15);
        c.LineTo(15, 5);
        c.LineTo(5, 5);
    }
    EXPECT_EQ(inked(img).size(), 40u); // the 11 x 11 ring, every pixel once
    for (const auto& [x, y] : {std::pair{5, 5}, {5, 15}, {15, 15}, {15, 5}, {10, 5}, {5, 10}}) {
        EXPECT_EQ(at(img, x, y), clRed) << x << "," << y;
    }
    EXPECT_EQ(at(img, 10, 10), clWhite);
}

TEST(Canvas, RectangleCoversUpToButNotIncludingTheSecondCorner) {
    QImage img = blank();
    {
        Canvas c(img);
        c.SetPenColor(clBlack);
        c.SetBrushColor(clRed);
        c.Rectangle(2, 3, 12, 9);
        c.Rectangle(20, 20, 21, 21); // 1 x 1
        c.Rectangle(30, 5, 31, 10);  // one pixel wide
        c.Rectangle(25, 25, 25, 30); // empty
    }
    const auto ink = inked(img);
    EXPECT_EQ(ink.size(), 10u * 6u + 1u + 5u);
    EXPECT_EQ(at(img, 2, 3), clBlack);
    EXPECT_EQ(at(img, 11, 8), clBlack);
    EXPECT_EQ(at(img, 12, 8), clWhite);
    EXPECT_EQ(at(img, 11, 9), clWhite);
    EXPECT_EQ(at(img, 5, 5), clRed);
    EXPECT_EQ(at(img, 20, 20), clBlack);
    EXPECT_EQ(at(img, 30, 9), clBlack);

    QImage clear = blank();
    {
        Canvas c(clear);
        c.SetBrushStyle(bsClear);
        c.Rectangle(12, 9, 2, 3); // corners in either order
    }
    EXPECT_EQ(inked(clear).size(), 2u * 10u + 2u * 4u);
    EXPECT_EQ(at(clear, 5, 5), clWhite);
}

TEST(Canvas, PolygonOutlineRunsThroughEveryVertex) {
    QImage img = blank();
    const QPolygon triangle({QPoint(5, 30), QPoint(20, 5), QPoint(35, 30)});
    {
        Canvas c(img);
        c.SetPenColor(clBlue);
        c.SetBrushColor(clYellow);
        c.Polygon(triangle);
    }
    for (const QPoint& p : triangle) {
        EXPECT_EQ(at(img, p.x(), p.y()), clBlue) << p.x() << "," << p.y();
    }
    EXPECT_EQ(at(img, 20, 20), clYellow);
    EXPECT_EQ(at(img, 2, 2), clWhite);
}

TEST(Canvas, ExclusiveOrDrawingUndoesItself) {
    QImage img = blank();
    const QImage before = img.copy();
    {
        Canvas c(img);
        c.SetPenMode(pmXor);
        c.SetPenColor(clWhite);
        c.MoveTo(3, 3);
        c.LineTo(30, 3);
        EXPECT_EQ(c.Pixel(10, 3), clBlack); // white XOR white
        c.MoveTo(3, 3);
        c.LineTo(30, 3);
    }
    for (int x = 0; x < 40; ++x) {
        EXPECT_EQ(at(img, x, 3), FromQRgb(before.pixel(x, 3))) << x;
    }
}

TEST(Canvas, PixelsOutsideTheImageAreIgnored) {
    QImage img = blank(10, 10);
    Canvas c(img);
    c.SetPixel(-1, 0, clRed);
    c.SetPixel(10, 10, clRed);
    c.SetPixel(3, 4, clGreen);
    EXPECT_EQ(c.Pixel(3, 4), clGreen);
    EXPECT_EQ(c.Pixel(-5, 99), clBlack);
    c.MoveTo(-100, 5);
    c.LineTo(100000, 5); // clipped by the image, no crash
    EXPECT_EQ(c.Pixel(9, 5), clBlack);
}

TEST(Canvas, TextIsMeasuredAsAWholeAndDrawnInTheTextColour) {
    QImage img = blank(200, 40);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    {
        Canvas c(img);
        c.SetFont(f);
        const QString text = QStringLiteral("Trimmed mean");
        EXPECT_EQ(c.TextWidth(text), QFontMetrics(f).horizontalAdvance(text));
        EXPECT_EQ(c.TextHeight(text), QFontMetrics(f).height());
        c.SetBrushStyle(bsClear);
        c.SetTextColor(clRed);
        c.SetPenColor(clBlue);
        c.TextOut(4, 4, text);
    }
    bool red = false, blue = false;
    for (const auto& [x, y] : inked(img)) {
        red = red || at(img, x, y) == clRed;
        blue = blue || at(img, x, y) == clBlue;
    }
    EXPECT_TRUE(red);
    EXPECT_FALSE(blue);
}
