// The numeric label on a screen of twice the density (a scale factor of 2): its picture has
// the device's resolution, its lines are two device pixels thick and in their logical places,
// its text is rasterised at that resolution, and the transparent mode still combines by AND.

#include "LabelPictures.h"
#include "platform/Canvas.h"
#include "widgets/NumLab.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

// The 2 x 2 blocks of device pixels, each one logical pixel, within the logical rectangle r
// that are not of one colour: a picture drawn at one pixel per logical pixel and enlarged has
// none.
int finerBlocks(const QImage& img, QRect r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = img.pixel(2 * x, 2 * y);
            n += img.pixel(2 * x + 1, 2 * y) != p || img.pixel(2 * x, 2 * y + 1) != p ||
                 img.pixel(2 * x + 1, 2 * y + 1) != p;
        }
    }
    return n;
}

} // namespace

TEST(NumLabAtScaleTwo, PictureHasTheDeviceResolution) {
    TNumLab n;
    ASSERT_EQ(n.devicePixelRatioF(), 2.0);
    n.SetFont(LabelTestFont());
    n.show();
    EXPECT_EQ(n.WindowImage().devicePixelRatio(), 2.0);
    EXPECT_EQ(n.WindowImage().size(), QSize(320, 56));
    n.resize(161, 29);
    EXPECT_EQ(n.WindowImage().size(), QSize(322, 58));
}

TEST(NumLabAtScaleTwo, FrameLinesAreTwoDevicePixelsThickInTheirPlaces) {
    TNumLab n;
    n.SetFont(LabelTestFont());
    n.SetColorOutBakG(clSilver);
    n.SetColorLabBakG(clYellow);
    n.show();
    const QImage& img = n.WindowImage();
    const int l = 35, b = 80, h = 28;
    // Across the middle row (logical y 10): background, outline, dark inner left line, the
    // box; the box, outline, light right line, background.
    const int y = 2 * 10;
    EXPECT_EQ(PixelAt(img, 2 * l - 1, y), clSilver);
    EXPECT_EQ(PixelAt(img, 2 * l, y), clGray);
    EXPECT_EQ(PixelAt(img, 2 * l + 1, y), clGray);
    EXPECT_EQ(PixelAt(img, 2 * l + 2, y), clBlack);
    EXPECT_EQ(PixelAt(img, 2 * l + 3, y), clBlack);
    EXPECT_EQ(PixelAt(img, 2 * l + 4, y), clYellow);
    EXPECT_EQ(PixelAt(img, 2 * (l + b + 1) - 1, y), clYellow);
    EXPECT_EQ(PixelAt(img, 2 * (l + b + 1), y), clGray);
    EXPECT_EQ(PixelAt(img, 2 * (l + b + 1) + 1, y), clGray);
    EXPECT_EQ(PixelAt(img, 2 * (l + b + 2), y), clWhite);
    EXPECT_EQ(PixelAt(img, 2 * (l + b + 2) + 1, y), clWhite);
    EXPECT_EQ(PixelAt(img, 2 * (l + b + 3), y), clSilver);
    // Down a column left of the number (logical x 40): outline, dark top line, the box; the
    // box, outline, light bottom line.
    const int x = 2 * 40;
    EXPECT_EQ(PixelAt(img, x, 0), clGray);
    EXPECT_EQ(PixelAt(img, x, 1), clGray);
    EXPECT_EQ(PixelAt(img, x, 2), clBlack);
    EXPECT_EQ(PixelAt(img, x, 3), clBlack);
    EXPECT_EQ(PixelAt(img, x, 4), clYellow);
    EXPECT_EQ(PixelAt(img, x, 2 * (h - 2) - 1), clYellow);
    EXPECT_EQ(PixelAt(img, x, 2 * (h - 2)), clGray);
    EXPECT_EQ(PixelAt(img, x, 2 * (h - 2) + 1), clGray);
    EXPECT_EQ(PixelAt(img, x, 2 * (h - 1)), clWhite);
    EXPECT_EQ(PixelAt(img, x, 2 * (h - 1) + 1), clWhite);
    // Lines and fills cover whole logical pixels.
    EXPECT_EQ(finerBlocks(img, QRect(0, 0, l + 4, h)), 0);
}

TEST(NumLabAtScaleTwo, TextIsDrawnAtTheDeviceResolution) {
    TNumLab n;
    n.SetFont(LabelTestFont());
    n.SetLeftText(QStringLiteral("Mean"));
    n.SetValue(8.21);
    n.show();
    const QImage& img = n.WindowImage();
    // Glyph edges fall inside logical pixels: an enlarged picture would have none.
    EXPECT_GT(finerBlocks(img, QRect(38, 2, 76, 23)), 10); // the number
    EXPECT_GT(finerBlocks(img, QRect(0, 0, 30, 28)), 10);  // the left text
}

TEST(NumLabAtScaleTwo, TransparentCombinesWithTheParentByAnd) {
    QWidget parent;
    parent.resize(200, 40);
    parent.setAutoFillBackground(true);
    QPalette pal;
    pal.setColor(QPalette::Window, QColor(0, 0, 255));
    parent.setPalette(pal);
    auto* n = new TNumLab(&parent);
    n->SetFont(LabelTestFont());
    n->SetTransparent(true);
    parent.show();
    const QImage shot = parent.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(400, 80));
    EXPECT_EQ(FromQRgb(shot.pixel(5, 5)), clBlue);
    EXPECT_EQ(FromQRgb(shot.pixel(2 * (37 + 3), 8)), ColorToRGB(clBtnFace));
}
