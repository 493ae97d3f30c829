// The numeric label as a control: setter rules, the width test with the measured font, and
// the pixels of its box, texts and transparent mode.

#include "LabelPictures.h"
#include "platform/Canvas.h"
#include "widgets/NumLab.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTest>

#include <cstdlib>

namespace {

// Text is antialiased: a glyph's ink is any pixel close to the text colour, not only the
// colour itself.
bool anyInk(const QImage& img, QRect r, TColor colour) {
    const QColor want = ToQColor(colour);
    auto close = [&](QRgb p) {
        return std::abs(qRed(p) - want.red()) <= 48 && std::abs(qGreen(p) - want.green()) <= 48 &&
               std::abs(qBlue(p) - want.blue()) <= 48;
    };
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (img.rect().contains(x, y) && close(img.pixel(x, y))) {
                return true;
            }
        }
    }
    return false;
}

// Counts the paint events a widget receives.
struct PaintEvents : QObject {
    explicit PaintEvents(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

} // namespace

TEST(NumLab, DefaultsAndSetterRules) {
    TNumLab n;
    EXPECT_EQ(n.width(), 160);
    EXPECT_EQ(n.height(), 28);
    EXPECT_EQ(n.LeftSpace(), 35);
    EXPECT_EQ(n.LabelWidth(), 80);
    EXPECT_EQ(n.OverflowIndicator(), QStringLiteral("*********"));
    EXPECT_EQ(n.DTFormat(), QStringLiteral("mmm-dd, yyyy"));
    n.SetPrecision(20);
    EXPECT_EQ(n.Precision(), 15);
    n.SetPrecision(-1);
    EXPECT_EQ(n.Precision(), 15);
    n.SetLeftSpace(-5);
    EXPECT_EQ(n.LeftSpace(), 35);
    n.SetLeftSpace(500);
    EXPECT_EQ(n.LeftSpace(), 160);
    n.SetColorScheme(csSystem);
    EXPECT_EQ(n.FrameShadowColor(), clBtnShadow);
    EXPECT_EQ(n.FrameLightColor(), clBtnHighlight);
    EXPECT_EQ(n.FrameDarkColor(), clBlack);
}

TEST(NumLab, RepaintsOnlyOnRealChanges) {
    TNumLab n;
    n.SetFont(LabelTestFont());
    n.show();
    const int before = n.PaintCount();
    n.SetValue(0.0);
    n.SetPrecision(2);
    n.SetLeftText(QString());
    EXPECT_EQ(n.PaintCount(), before);
    n.SetValue(1.25);
    EXPECT_EQ(n.PaintCount(), before + 1);
    n.SetValue(1.25);
    EXPECT_EQ(n.PaintCount(), before + 1);
}

TEST(NumLab, ANewValueIsDrawnOnlyWhenItsTextChanges) {
    TNumLab n;
    n.SetFont(LabelTestFont());
    n.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&n));
    n.SetValue(1.25);
    QCoreApplication::processEvents();
    PaintEvents paints(&n);
    const int renders = n.PaintCount();
    const QImage before = n.WindowImage();

    // 1.2549 shows as 1.25 too: the picture and the window stay as they are.
    n.SetValue(1.2549);
    QCoreApplication::processEvents();
    EXPECT_EQ(n.PaintCount(), renders);
    EXPECT_EQ(paints.count, 0);
    EXPECT_EQ(n.WindowImage(), before);
    EXPECT_EQ(n.Value(), 1.2549);

    n.SetValue(1.2551);
    QCoreApplication::processEvents();
    EXPECT_EQ(n.PaintCount(), renders + 1);
    EXPECT_EQ(paints.count, 1);
    EXPECT_NE(n.WindowImage(), before);

    // A text that OnBeforeDisplay changes counts as what is shown; so does every property.
    n.OnBeforeDisplay = [](QObject*, QString& t) { t += QStringLiteral("!"); };
    n.SetValue(1.2552);
    EXPECT_EQ(n.PaintCount(), renders + 2);
    n.SetColorLabText(clRed);
    EXPECT_EQ(n.PaintCount(), renders + 3);

    // Hidden, nothing is drawn; shown again, the label shows the value set meanwhile.
    n.hide();
    n.SetValue(7.0);
    EXPECT_EQ(n.PaintCount(), renders + 3);
    n.OnBeforeDisplay = nullptr;
    n.show();
    EXPECT_EQ(n.PaintCount(), renders + 4);
    TNumLab reference;
    reference.SetFont(LabelTestFont());
    reference.SetColorLabText(clRed);
    reference.SetValue(7.0);
    reference.show();
    EXPECT_EQ(n.WindowImage(), reference.WindowImage());
}

TEST(NumLab, OverflowByMeasuredWidthButNotInStateNotation) {
    TNumLab n;
    n.SetFont(LabelTestFont());
    const QFontMetrics fm(LabelTestFont());
    n.SetValue(123456789.0);
    // Wide enough for the text exactly: LabelWidth - 6 is the room.
    n.SetLabelWidth(fm.horizontalAdvance(QStringLiteral("123456789.00")) + 6);
    EXPECT_EQ(n.DisplayText(), QStringLiteral("123456789.00"));
    n.SetLabelWidth(n.LabelWidth() - 1);
    EXPECT_EQ(n.DisplayText(), QStringLiteral("*********"));
    // The same text in a larger font no longer fits; back in the test font it does.
    n.SetLabelWidth(n.LabelWidth() + 1);
    QFont larger = LabelTestFont();
    larger.setPixelSize(20);
    n.SetFont(larger);
    EXPECT_EQ(n.DisplayText(), QStringLiteral("*********"));
    n.SetFont(LabelTestFont());
    EXPECT_EQ(n.DisplayText(), QStringLiteral("123456789.00"));
    n.SetDisplayType(dtState);
    n.SetStateText(QStringLiteral("a state text far wider than the box"));
    EXPECT_EQ(n.DisplayText(), n.StateText());
    n.SetDisplayType(dtFixP);
    n.OnBeforeDisplay = [](QObject*, QString& t) { t = QStringLiteral("x") + t.left(2); };
    EXPECT_EQ(n.DisplayText(), QStringLiteral("x12"));
    n.SetEmpty(true);
    EXPECT_EQ(n.DisplayText(), QString());
}

TEST(NumLab, LoweredBoxAndTextsInTheirPlaces) {
    TNumLab n;
    n.SetFont(LabelTestFont());
    n.SetLeftText(QStringLiteral("Mean"));
    n.SetRightText(QStringLiteral("kg"));
    n.SetColorOutBakG(clWhite);
    n.SetColorLabBakG(clYellow);
    n.SetValue(8.21);
    n.show();
    const QImage& img = n.WindowImage();
    const int l = 35, b = 80, h = 28;
    EXPECT_EQ(PixelAt(img, l, 10), clGray);           // outline in the shadow colour
    EXPECT_EQ(PixelAt(img, l + 1, 10), clBlack);      // c1: dark inner left
    EXPECT_EQ(PixelAt(img, 50, 1), clBlack);          // and inner top
    EXPECT_EQ(PixelAt(img, 50, h - 1), clWhite);      // c2: light bottom
    EXPECT_EQ(PixelAt(img, l + b + 2, 10), clWhite);  // and right
    EXPECT_EQ(PixelAt(img, l + b + 3, 10), clWhite);  // outside: the background
    EXPECT_EQ(PixelAt(img, l + 4, 4), clYellow);      // inside the box
    // The left text ends 5 pixels before the box; the right text starts 7 after it.
    EXPECT_TRUE(anyInk(img, QRect(0, 0, l - 4, h), clBlack));
    EXPECT_FALSE(anyInk(img, QRect(l - 4, 2, 3, h - 4), clBlack));
    EXPECT_TRUE(anyInk(img, QRect(l + b + 7, 0, 20, h), clBlack));
    EXPECT_TRUE(anyInk(img, QRect(l + 3, 2, b - 4, h - 5), clBlack)); // the number

    n.SetFrameStyle(fsRaised);
    EXPECT_EQ(PixelAt(n.WindowImage(), l + 1, 10), clWhite);
    EXPECT_EQ(PixelAt(n.WindowImage(), 50, h - 1), clBlack);
    n.SetFrameStyle(fsSimple);
    EXPECT_EQ(PixelAt(n.WindowImage(), l, h - 1), clGray); // one full-height outline
    EXPECT_EQ(PixelAt(n.WindowImage(), l + b + 1, 10), clGray);
}

TEST(NumLab, DisabledTextsAreEngravedAndTheNumberGrey) {
    TNumLab n;
    n.SetFont(LabelTestFont());
    n.SetLeftText(QStringLiteral("Mean"));
    n.SetColorOutBakG(clSilver);
    n.show();
    n.SetEnabled(false);
    const QImage& img = n.WindowImage();
    EXPECT_FALSE(anyInk(img, QRect(0, 0, 34, 28), clBlack));
    EXPECT_TRUE(anyInk(img, QRect(0, 0, 34, 28), clGray));
    EXPECT_TRUE(anyInk(img, QRect(0, 0, 34, 28), clWhite));
    EXPECT_TRUE(anyInk(img, QRect(38, 2, 76, 23), clGray));
}

TEST(NumLab, TransparentCombinesWithTheParentByAnd) {
    QWidget parent;
    parent.resize(200, 40);
    parent.setAutoFillBackground(true);
    QPalette pal;
    pal.setColor(QPalette::Window, QColor(0, 0, 255)); // blue behind the label
    parent.setPalette(pal);
    auto* n = new TNumLab(&parent);
    n->SetFont(LabelTestFont());
    n->SetLeftText(QStringLiteral("Mean"));
    n->SetTransparent(true);
    parent.show();
    const QImage shot = parent.grab().toImage();
    // Outside the box the white background lets the blue through; the text stays dark.
    EXPECT_EQ(FromQRgb(shot.pixel(2, 2)), clBlue);
    EXPECT_TRUE(anyInk(shot.convertToFormat(QImage::Format_RGB32), QRect(0, 0, 34, 28), clBlack));
    // The box was filled with its colour before the AND, so it does not turn blue.
    EXPECT_EQ(FromQRgb(shot.pixel(37 + 3, 4)), ColorToRGB(clBtnFace));
}

TEST(NumLab, PointerZonesAndAssign) {
    TNumLab n;
    n.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&n));
    QTest::mouseMove(&n, QPoint(10, 10));
    EXPECT_EQ(n.PointerZone(), 0);
    QTest::mouseMove(&n, QPoint(35 + 80, 11));
    EXPECT_EQ(n.PointerZone(), 1);
    QTest::mouseMove(&n, QPoint(35 + 81, 12));
    EXPECT_EQ(n.PointerZone(), 2);

    TNumLab source;
    source.SetValue(3.5);
    source.SetLeftText(QStringLiteral("Median"));
    source.SetComma(true);
    source.SetDTFormat(QStringLiteral("yyyy"));
    source.SetColorScheme(csSystem);
    source.SetDisplayType(dtExp);
    n.Assign(source);
    EXPECT_EQ(n.Value(), 3.5);
    EXPECT_EQ(n.LeftText(), QStringLiteral("Median"));
    EXPECT_EQ(n.DisplayType(), dtExp);
    EXPECT_EQ(n.FrameShadowColor(), clBtnShadow);
    EXPECT_FALSE(n.Comma());
    EXPECT_EQ(n.DTFormat(), QStringLiteral("mmm-dd, yyyy"));
}
