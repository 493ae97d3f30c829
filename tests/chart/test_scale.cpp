// The scale control: its setter rules, the transform, what it paints and where, embedding in
// another surface, and copying one scale onto another.

#include "chart/Scale.h"
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLocale>
#include <QTest>

#include <chrono>
#include <vector>

namespace {

// A loaded, opaque scale of the given size with painting allowed.
std::unique_ptr<TScale> makeScale(int w, int h, TScaleType type = sctXB) {
    auto s = std::make_unique<TScale>();
    s->resize(w, h);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    s->SetFont(f);
    s->SetScaleType(type);
    s->Loaded();
    s->SetPaintSuspended(false);
    return s;
}

TColor at(const QImage& img, int x, int y) { return FromQRgb(img.pixel(x, y)); }

struct TickSeen {
    double value;
    int x, y;
};

} // namespace

TEST(Scale, DefaultsAndSetterRules) {
    TScale s;
    EXPECT_EQ(s.width(), 400);
    EXPECT_EQ(s.height(), 400);
    EXPECT_EQ(s.RangeHigh(), 100.0);
    EXPECT_EQ(s.MarginLeft(), 20);
    EXPECT_EQ(s.CaptionPosX(), 4);
    EXPECT_EQ(s.FrameStyle(), fsLowered);
    EXPECT_EQ(s.ColorBackGnd(), clBtnFace);
    EXPECT_TRUE(s.PaintSuspended());
    EXPECT_TRUE(s.Loading);

    s.SetRangeLow(0);
    s.SetRangeHigh(5);
    s.SetRangeLow(5); // meets the high end: the high end moves above
    EXPECT_EQ(s.RangeLow(), 5.0);
    EXPECT_EQ(s.RangeHigh(), 6.0);
    s.SetRangeHigh(5); // and the other way round: the scale then runs downward
    EXPECT_EQ(s.RangeLow(), 6.0);
    EXPECT_EQ(s.RangeHigh(), 5.0);

    s.SetMinTicks(0);
    EXPECT_EQ(s.MinTicks(), 0);
    s.SetMinTicks(1);
    EXPECT_EQ(s.MinTicks(), 2);
    s.SetMinTicks(50);
    EXPECT_EQ(s.MinTicks(), 10);
    s.SetDecPlaces(-9);
    EXPECT_EQ(s.DecPlaces(), -3);
    s.SetMarginTop(-4);
    EXPECT_EQ(s.MarginTop(), 0);

    // Logarithmic is taken without checks while loading, refused afterwards.
    s.SetRangeLow(0);
    s.SetRangeHigh(10);
    s.SetLogarithmic(true);
    EXPECT_TRUE(s.Logarithmic());
    s.SetLogarithmic(false);
    s.Loaded();
    s.SetLogarithmic(true);
    EXPECT_FALSE(s.Logarithmic());
    s.SetRangeLow(1);
    s.SetLogarithmic(true);
    EXPECT_TRUE(s.Logarithmic());
    s.SetLabelType(ftDateTime);
    EXPECT_FALSE(s.Logarithmic());
    s.SetLabelType(ftTime);
    EXPECT_EQ(s.DecPlaces(), 4);

    s.SetColorScheme(csSystem);
    EXPECT_EQ(s.ShadowColor(), clBtnShadow);
    s.SetColorScheme(csBWG);
    EXPECT_EQ(s.ShadowColor(), clGray);
    EXPECT_EQ(s.HighlightColor(), clWhite);
}

TEST(Scale, TransformMapsTheRangeOntoTheMargins) {
    auto s = makeScale(221, 60);
    EXPECT_EQ(s->ValueToPixel(0), 20);
    EXPECT_EQ(s->ValueToPixel(100), 200); // width - right margin - 1
    EXPECT_EQ(s->ValueToPixel(50), 110);
    EXPECT_EQ(s->ValueToPixel(1e300), 2147483647);
    EXPECT_EQ(s->ValueToPixel(-1e300), -2147483647);
    EXPECT_EQ(s->ValueToPixel(NAN), 0);

    auto v = makeScale(60, 221, sctYL);
    EXPECT_EQ(v->ValueToPixel(100), 20); // values grow upward
    EXPECT_EQ(v->ValueToPixel(0), 200);

    auto l = makeScale(221, 60);
    l->SetRangeLow(1);
    l->SetRangeHigh(1000);
    l->SetLogarithmic(true);
    EXPECT_EQ(l->ValueToPixel(1), 20);
    EXPECT_EQ(l->ValueToPixel(10), 80);
    EXPECT_EQ(l->ValueToPixel(1000), 200);
    EXPECT_EQ(l->ValueToPixel(0), 0);

    auto tight = makeScale(30, 60); // no room between the margins
    EXPECT_EQ(tight->Factor(), 0.0);
    EXPECT_EQ(tight->ValueToPixel(42), 15);
}

TEST(Scale, PaintsTicksAwayFromTheBaseLineAndFillsTheTickList) {
    auto s = makeScale(221, 60, sctXB);
    s->SetFrameStyle(fsNone);
    std::vector<TickSeen> seen;
    std::string order;
    s->OnBeforeScaleRendered = [&](QObject*, Canvas&) { order += "before,"; };
    s->OnAfterScaleRendered = [&](QObject*, Canvas&) { order += "after"; };
    s->OnScaleTickDrawn = [&](QObject*, Canvas&, TScaleType type, double v, int x, int y) {
        EXPECT_EQ(type, sctXB);
        seen.push_back({v, x, y});
    };
    s->ForcePaint();
    const QImage& img = s->WindowImage();
    const int b = 60 - 20 - 1;
    // Base line from the left margin, long tick at 0 pointing up 7 pixels, short ones 4.
    EXPECT_EQ(at(img, 20, b), clBlack);
    EXPECT_EQ(at(img, 100, b), clBlack);
    EXPECT_EQ(at(img, 20, b - 6), clBlack);
    EXPECT_EQ(at(img, 20, b - 7), ColorToRGB(clBtnFace));
    EXPECT_EQ(at(img, 20, b + 1), ColorToRGB(clBtnFace));
    const int short5 = s->ValueToPixel(5);
    EXPECT_EQ(at(img, short5, b - 3), clBlack);
    EXPECT_EQ(at(img, short5, b - 4), ColorToRGB(clBtnFace));

    EXPECT_EQ(s->NumTicks(), 21);
    EXPECT_EQ(s->TickValue(1), 0.0);
    EXPECT_EQ(s->TickValue(21), 100.0);
    EXPECT_EQ(s->TickValue(22), 0.0);
    EXPECT_EQ(s->TickValue(0), 0.0);
    EXPECT_EQ(order, "before,after");
    ASSERT_EQ(seen.size(), 21u + 6u);
    EXPECT_EQ(seen.back().value, 100.0);
    EXPECT_EQ(seen.back().x, 200);
    EXPECT_EQ(seen.back().y, b);

    // An upright scale with its base line at the left points its ticks to the right.
    auto v = makeScale(60, 221, sctYL);
    v->SetFrameStyle(fsNone);
    v->ForcePaint();
    EXPECT_EQ(at(v->WindowImage(), 20 + 5, 200), clBlack);
    EXPECT_EQ(at(v->WindowImage(), 20 + 6, 200), ColorToRGB(clBtnFace));
    EXPECT_EQ(at(v->WindowImage(), 19, 200), ColorToRGB(clBtnFace));
}

TEST(Scale, LabelsStayOnTheControlAndFramesAreDrawn) {
    auto s = makeScale(221, 60, sctXT);
    s->SetRangeLow(-1000000);
    s->SetRangeHigh(1000000);
    s->SetDecPlaces(2); // wide labels: the first would start left of the control
    s->SetFrameStyle(fsRaised);
    s->ForcePaint();
    const QImage& img = s->WindowImage();
    const TColor face = ColorToRGB(clBtnFace);
    // Outside the frame's two pixels, label ink starts at pixel 2 at the earliest and ends
    // before width - 2.
    int leftmost = 1000, rightmost = -1;
    const int b = 20;
    for (int y = b + 7; y < 58; ++y) {
        for (int x = 2; x < 219; ++x) {
            if (at(img, x, y) != face) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    EXPECT_GE(leftmost, 2);
    EXPECT_LT(leftmost, 6);
    EXPECT_LE(rightmost, 218);
    EXPECT_EQ(at(img, 0, 30), clWhite); // raised: highlight outside left
    EXPECT_EQ(at(img, 220, 30), clBlack);
}

TEST(Scale, PaintsIntoAnotherSurfaceAtItsOffset) {
    auto s = makeScale(221, 60, sctXB);
    s->SetEmbedded(true);
    s->SetTransparent(true);
    QImage chart(221, 200, QImage::Format_RGB32);
    chart.fill(Qt::white);
    {
        Canvas c(chart);
        s->SetPaintTarget(&c, 0, 100);
        s->ForcePaint();
        s->SetPaintTarget(nullptr, 0, 0);
    }
    const int b = 100 + 60 - 20 - 1;
    EXPECT_EQ(at(chart, 20, b), clBlack);
    EXPECT_EQ(at(chart, 20, b - 6), clBlack);
    EXPECT_EQ(at(chart, 110, 50), clWhite); // nothing but the scale is painted
    EXPECT_EQ(at(chart, 0, b), clWhite);    // transparent: no frame, no background
}

TEST(Scale, CaptionAnchorsAndHugeRangesPaintPromptly) {
    auto s = makeScale(221, 80, sctXT);
    s->SetFrameStyle(fsNone);
    s->SetShowBaseLine(false);
    s->SetMinTicks(0);
    s->SetRangeLow(0);
    s->SetRangeHigh(1e12);
    s->SetLabelType(ftNoFigs);
    s->SetCaption(QStringLiteral("Values"));
    s->SetCaptionAnchor(uaSclBotRgt);
    s->SetCaptionAlignment(taRightJustify);
    s->SetCaptionPosY(30);
    const auto start = std::chrono::steady_clock::now();
    s->ForcePaint();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_LE(s->NumTicks(), TickListCapacity);
    const QImage& img = s->WindowImage();
    // Right-justified at width - right margin + CaptionPosX (4): text ends before 205.
    const int h = QFontMetrics(s->Font()).height();
    int rightmost = -1;
    for (int y = 20 + 30; y < 20 + 30 + h; ++y) {
        for (int x = 0; x < 221; ++x) {
            if (at(img, x, y) != ColorToRGB(clBtnFace)) {
                rightmost = std::max(rightmost, x);
            }
        }
    }
    EXPECT_GE(rightmost, 190);
    EXPECT_LT(rightmost, 205);
}

TEST(Scale, AssignCopiesSettingsAndTransform) {
    auto a = makeScale(221, 60, sctYR);
    a->SetRangeLow(-5);
    a->SetRangeHigh(5);
    a->SetUserTickText(QStringLiteral("a|b"));
    a->SetScaleInscript(QStringLiteral("& kg"));
    a->SetCaption(QStringLiteral("Mass"));
    a->DateFormat()->SetYearLength(ylYY);
    a->ForcePaint();
    TScale b;
    b.Assign(*a);
    EXPECT_EQ(b.RangeLow(), -5.0);
    EXPECT_EQ(b.ScaleType(), sctYR);
    EXPECT_EQ(b.Factor(), a->Factor());
    EXPECT_EQ(b.Offset(), a->Offset());
    EXPECT_EQ(b.NumTicks(), a->NumTicks());
    EXPECT_EQ(b.TickValue(2), a->TickValue(2));
    EXPECT_EQ(b.UserTickText(), QStringLiteral("a|b"));
    EXPECT_EQ(b.Caption(), QStringLiteral("Mass"));
    EXPECT_EQ(b.DateFormat()->YearLength(), ylYY);
    EXPECT_FALSE(b.PaintSuspended());
}

TEST(Scale, ATransparentScaleOnAWindowPaintsOncePerRequest) {
    QWidget window;
    window.resize(300, 100);
    auto* s = new TScale(&window);
    s->resize(300, 60);
    s->SetTransparent(true);
    s->Loaded();
    int paints = 0;
    s->OnBeforeScaleRendered = [&](QObject*, Canvas&) { ++paints; };
    window.show();
    QTest::qWait(100);
    const int settled = paints;
    EXPECT_GE(settled, 1);
    QTest::qWait(100);
    EXPECT_EQ(paints, settled); // no paint asks for the next one
}

TEST(DateScale, PaintsTheMessageAndDateLines) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TScale s;
    s.resize(400, 80);
    s.SetScaleType(sctXT);
    s.SetLabelType(ftDateTime);
    s.SetRangeLow(45000);
    s.SetRangeHigh(45002);
    s.Loaded();
    s.SetPaintSuspended(false);
    s.ForcePaint();
    EXPECT_GT(s.NumTicks(), 10);
    s.SetRangeLow(45003); // reversed: the message instead of ticks
    s.ForcePaint();
    EXPECT_EQ(s.NumTicks(), 0);
}
