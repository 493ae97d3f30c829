// The lesson from the keyboard on the offscreen platform, through real key events: step 0
// ignores the keys, the choice walks the marks in value order, Space picks exactly as a
// click, the arrows move the picked value exactly as pointer moves to the same values do,
// Escape puts it down; access keys from the dictionary, Ctrl+Q and F1; the focus and its
// cues; and the picked mark drawn over the red ones.

#include "LessonWindow.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "simulation/FocusFrame.h"
#include "simulation/LessonKeys.h"
#include "simulation/MeasureInfo.h"
#include "widgets/NumLab.h"
#include "widgets/Panel.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

int blueMarks(const std::vector<TDrawItem>& items) {
    return static_cast<int>(std::count_if(items.begin(), items.end(), [](const TDrawItem& i) {
        return i.Kind == dkLine && i.Color == clBlue;
    }));
}

// Positions by value, equal values by position: worked out here on its own.
std::vector<std::int32_t> byValue(const TSampleModel& m) {
    std::vector<std::int32_t> order;
    for (std::int32_t p = 1; p <= m.SampleCount(); ++p)
        order.push_back(p);
    std::sort(order.begin(), order.end(), [&m](std::int32_t a, std::int32_t b) {
        return m.SampleData(a) != m.SampleData(b) ? m.SampleData(a) < m.SampleData(b) : a < b;
    });
    return order;
}

// The green block under the chosen mark, if the histogram shows one.
std::optional<double> choiceMarker(const std::vector<TDrawItem>& items) {
    for (const TDrawItem& i : items)
        if (i.Kind == dkRect && i.Color == clGreen)
            return (i.X1 + i.X2) / 2;
    return std::nullopt;
}

// The window shows what the model says: the same values, measures, labels and bands.
void expectShows(TFrmMeasLoc& w, const TSampleModel& ref, const char* where) {
    SCOPED_TRACE(where);
    const TSampleModel& m = w.Model();
    ASSERT_EQ(m.SampleCount(), ref.SampleCount());
    for (std::int32_t p = 1; p <= m.SampleCount(); ++p)
        ASSERT_EQ(m.SampleData(p), ref.SampleData(p)) << "position " << p;
    EXPECT_EQ(m.SelectedSample(), ref.SelectedSample());
    EXPECT_EQ(w.NLabMean->Value(), ref.MeanValue());
    EXPECT_EQ(w.NLabTrMean->Value(), ref.TrimmedMeanValue());
    EXPECT_EQ(w.NLabMedian->Value(), ref.MedianValue());
    EXPECT_EQ(w.NLabMode->Value(), ref.ModeValue());
    std::vector<TDrawItem> strip(static_cast<std::size_t>(w.RChart2->Count()));
    for (int i = 0; i < w.RChart2->Count(); ++i)
        w.RChart2->GetItem(i, strip[static_cast<std::size_t>(i)]);
    ASSERT_EQ(strip.size(), 11u);
    for (std::size_t i = 0; i < MeasureTable.size(); ++i) {
        const TMeasure id = MeasureTable[i].Id;
        EXPECT_EQ(strip[2 * i].X1, ref.MeasureRange(id).Min);
        EXPECT_EQ(strip[2 * i].X2, ref.MeasureRange(id).Max);
        EXPECT_EQ(strip[2 * i + 1].X1, ref.Value(id));
        EXPECT_EQ(w.MeasureLabel(id)->Value(), ref.Value(id));
    }
}

const std::string English = "[Exit]=E&xit|$$\r\n[Reset]=&Reset|$$\r\n[More Data]=&More Data|$$\r\n"
                            "[Next]=&Next|$$\r\n[About]=&About|$$\r\n";
const std::string German = "[Exit]=&Beenden|$$\r\n[Reset]=&Neu|$$\r\n[More Data]=&Mehr Daten|$$\r\n"
                           "[Next]=&Weiter|$$\r\n[About]=&Info|$$\r\n";

} // namespace

TEST(LessonKeys, TheWholeLessonFromTheKeyboard) {
    LessonWindow l(4321, English);
    ASSERT_TRUE(l.ok);
    TFrmMeasLoc& w = l.w();
    EXPECT_EQ(QApplication::focusWidget(), w.RChart1);

    // Step 0: the keys do nothing, as clicks do nothing.
    const auto before = l.items(w.RChart1);
    for (Qt::Key k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Space,
                      Qt::Key_Return, Qt::Key_Escape})
        l.key(k);
    EXPECT_EQ(w.LessonStep(), 0);
    EXPECT_EQ(w.Model().SelectedSample(), 0);
    EXPECT_EQ(l.items(w.RChart1).size(), before.size());

    l.key(Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(LessonWindow::waitFor([&] { return w.LessonStep() == 1; }));
    EXPECT_FALSE(w.SBNext->isEnabled());

    // Step 1: the choice starts at the middle mark in value order and walks the marks.
    const std::vector<std::int32_t> order = byValue(w.Model());
    const std::size_t middle = (order.size() - 1) / 2;
    EXPECT_EQ(w.Keys()->ChosenSample(), order[middle]);
    EXPECT_EQ(choiceMarker(l.items(w.RChart1)), w.Model().SampleData(order[middle]));
    l.key(Qt::Key_Right);
    l.key(Qt::Key_Right);
    EXPECT_EQ(w.Keys()->ChosenSample(), order[middle + 2]);
    l.key(Qt::Key_Left);
    EXPECT_EQ(w.Keys()->ChosenSample(), order[middle + 1]);
    l.key(Qt::Key_Home);
    EXPECT_EQ(w.Keys()->ChosenSample(), order.front());
    l.key(Qt::Key_Left); // stays at the smallest
    EXPECT_EQ(w.Keys()->ChosenSample(), order.front());
    l.key(Qt::Key_End);
    EXPECT_EQ(w.Keys()->ChosenSample(), order.back());
    l.key(Qt::Key_Right); // stays at the largest
    l.key(Qt::Key_Left);
    const std::int32_t chosen = order[order.size() - 2];
    EXPECT_EQ(w.Keys()->ChosenSample(), chosen);
    const double chosenValue = w.Model().SampleData(chosen);
    EXPECT_EQ(choiceMarker(l.items(w.RChart1)), chosenValue);
    // The chosen mark can be told apart from the red ones: green pixels under the rug.
    int gx = 0, gy = 0;
    w.RChart1->WorldToPixel(1, chosenValue, -3.0, gx, gy);
    EXPECT_EQ(w.RChart1->WindowImage().pixel(gx, gy), ToQColor(clGreen).rgb());
    EXPECT_EQ(blueMarks(l.items(w.RChart1)), 0);

    // Space picks it exactly as a click on it: PickSample of its value, step 2, blue.
    TSampleModel ref = w.Model();
    ref.PickSample(chosenValue);
    l.key(Qt::Key_Space);
    EXPECT_EQ(w.LessonStep(), 2);
    EXPECT_EQ(blueMarks(l.items(w.RChart1)), 1);
    EXPECT_FALSE(choiceMarker(l.items(w.RChart1)));
    expectShows(w, ref, "picked");

    // Step 2: every key does what a pointer move to the new value does.
    const std::int32_t p = ref.SelectedSample();
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        std::function<double(double)> to;
    };
    const std::vector<Step> steps{
        {Qt::Key_Right, Qt::NoModifier, [](double v) { return v + 0.1; }},
        {Qt::Key_Right, Qt::NoModifier, [](double v) { return v + 0.1; }},
        {Qt::Key_Right, Qt::ShiftModifier, [](double v) { return v + 1.0; }},
        {Qt::Key_Left, Qt::NoModifier, [](double v) { return v - 0.1; }},
        {Qt::Key_Left, Qt::ShiftModifier, [](double v) { return v - 1.0; }},
        {Qt::Key_End, Qt::NoModifier, [](double) { return 25.0; }},
        {Qt::Key_Right, Qt::ShiftModifier, [](double) { return 25.0; }}, // no further
        {Qt::Key_Home, Qt::NoModifier, [](double) { return 0.0; }},
        {Qt::Key_Left, Qt::NoModifier, [](double) { return 0.0; }},
        {Qt::Key_Right, Qt::ShiftModifier, [](double v) { return v + 1.0; }},
    };
    for (const Step& s : steps) {
        ref.MoveSelected(s.to(ref.SampleData(p)));
        l.key(s.key, s.mods);
        expectShows(w, ref, "moved");
    }
    EXPECT_EQ(w.Model().SampleData(p), 1.0);
    EXPECT_GT(ref.MeasureRange(msMean).Max - ref.MeasureRange(msMean).Min, 0.5);
    EXPECT_EQ(w.NLabMean->Value(), ref.MeanValue());

    // Escape puts it down, as the second click does; the choice stays on it.
    l.key(Qt::Key_Escape);
    ref.ReleaseSelected();
    EXPECT_EQ(w.LessonStep(), 1);
    EXPECT_EQ(blueMarks(l.items(w.RChart1)), 0);
    EXPECT_EQ(w.Keys()->ChosenSample(), p);
    expectShows(w, ref, "put down");
    // Enter picks again, and Enter puts down too.
    l.key(Qt::Key_Return);
    EXPECT_EQ(w.LessonStep(), 2);
    l.key(Qt::Key_Enter);
    EXPECT_EQ(w.LessonStep(), 1);
}

TEST(LessonKeys, MouseAndKeyboardMix) {
    LessonWindow l(99);
    ASSERT_TRUE(l.ok);
    TFrmMeasLoc& w = l.w();
    w.SBNext->click();
    // Picked with the mouse, moved with the keys.
    const double v = w.Model().SampleData(7);
    l.clickAt(v, -1.0);
    ASSERT_EQ(w.LessonStep(), 2);
    const std::int32_t p = w.Model().SelectedSample();
    TSampleModel ref = w.Model();
    ref.MoveSelected(ref.SampleData(p) + 1.0);
    l.key(Qt::Key_Right, Qt::ShiftModifier);
    expectShows(w, ref, "mouse pick, key move");
    // Put down with the mouse, picked with the keys, moved with the mouse.
    l.clickAt(3.0, -1.5);
    ASSERT_EQ(w.LessonStep(), 1);
    l.key(Qt::Key_Space);
    ASSERT_EQ(w.LessonStep(), 2);
    EXPECT_EQ(w.Model().SelectedSample(), p); // the choice went on from the value put down
    l.moveTo(12.0, -1.5);
    l.moveTo(14.0, -1.6);
    EXPECT_NEAR(w.Model().SampleData(p), 12.0, 0.1);
    l.key(Qt::Key_Escape);
    EXPECT_EQ(w.LessonStep(), 1);
}

TEST(LessonKeys, AccessKeysFromTheDictionary) {
    struct Case {
        std::string dictionary;
        Qt::Key exit, reset, more, next, about;
    };
    for (const Case& c : {Case{English, Qt::Key_X, Qt::Key_R, Qt::Key_M, Qt::Key_N, Qt::Key_A},
                          Case{German, Qt::Key_B, Qt::Key_N, Qt::Key_M, Qt::Key_W, Qt::Key_I}}) {
        LessonWindow l(5, c.dictionary);
        ASSERT_TRUE(l.ok);
        TFrmMeasLoc& w = l.w();
        EXPECT_FALSE(w.SBExit->text().isEmpty());
        l.key(c.more, Qt::AltModifier);
        EXPECT_TRUE(LessonWindow::waitFor([&] { return w.Model().SampleCount() == 50; }));
        l.key(c.next, Qt::AltModifier);
        EXPECT_TRUE(LessonWindow::waitFor([&] { return w.LessonStep() == 1; }));
        l.key(c.reset, Qt::AltModifier);
        EXPECT_TRUE(LessonWindow::waitFor([&] { return w.LessonStep() == 0; }));
        EXPECT_EQ(w.Model().SampleCount(), 30);
        const auto closed = l.closeAboutWhenShown();
        l.key(c.about, Qt::AltModifier);
        EXPECT_TRUE(LessonWindow::waitFor([&] { return *closed && w.Activations() == 2; }));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        l.key(c.exit, Qt::AltModifier);
        EXPECT_TRUE(LessonWindow::waitFor([&] { return !w.isVisible(); }));
    }
}

TEST(LessonKeys, NoAmpersandNoAccessKeyButCtrlQAndF1) {
    LessonWindow l(5, "[Next]=Next|$$\r\n");
    ASSERT_TRUE(l.ok);
    TFrmMeasLoc& w = l.w();
    l.key(Qt::Key_N, Qt::AltModifier);
    QTest::qWait(200); // longer than a button's animated click
    EXPECT_EQ(w.LessonStep(), 0);
    const auto closed = l.closeAboutWhenShown();
    l.key(Qt::Key_F1);
    EXPECT_TRUE(*closed);
    EXPECT_EQ(w.Activations(), 2);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    l.key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w.isVisible());
}

TEST(LessonKeys, CuesWaitForTheKeyboard) {
    // An "&" in a caption draws nothing until the keyboard is used, and the focus frame and
    // the chosen mark wait too: the window looks as it always did.
    LessonWindow plain(77);
    LessonWindow marked(77, English);
    ASSERT_TRUE(plain.ok && marked.ok);
    EXPECT_EQ(marked.w().SBExit->text(), "E&xit");
    EXPECT_EQ(QApplication::focusWidget(), marked.w().RChart1);
    EXPECT_EQ(marked.w().RChart1->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(marked.w().RChart2->focusPolicy(), Qt::NoFocus);
    const QImage plainPicture = plain.w().grab().toImage();
    EXPECT_EQ(marked.w().grab().toImage(), plainPicture);
    auto* frame = marked.w().RChart1->findChild<TFocusFrame*>();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->isVisible());

    marked.w().SBNext->click();
    plain.w().SBNext->click();
    EXPECT_FALSE(choiceMarker(marked.items(marked.w().RChart1)));
    EXPECT_EQ(marked.w().grab().toImage(), plain.w().grab().toImage());

    // The first key shows the cues: underlines, the frame, the chosen mark.
    marked.key(Qt::Key_Shift);
    EXPECT_TRUE(marked.w().Keys()->CuesShown());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(choiceMarker(marked.items(marked.w().RChart1)));
    const QImage bar = marked.w().Panel1->grab().toImage();
    EXPECT_NE(bar, plain.w().Panel1->grab().toImage());
}

TEST(LessonKeys, ThePickedMarkIsDrawnOverTheRedOnes) {
    // With this seed the values at positions 5, 6 and 20 fall on one pixel column.
    LessonWindow l(1234);
    ASSERT_TRUE(l.ok);
    TFrmMeasLoc& w = l.w();
    int x5 = 0, x6 = 0, x20 = 0, y = 0;
    w.RChart1->WorldToPixel(1, w.Model().SampleData(5), -1.75, x5, y);
    w.RChart1->WorldToPixel(1, w.Model().SampleData(6), -1.75, x6, y);
    w.RChart1->WorldToPixel(1, w.Model().SampleData(20), -1.75, x20, y);
    ASSERT_EQ(x5, x6);
    ASSERT_EQ(x5, x20);
    EXPECT_EQ(w.RChart1->mapTo(&w, QPoint(x5, y)).x(), 196);
    const QImage start = w.RChart1->WindowImage();
    EXPECT_EQ(start.pixel(x5, y), ToQColor(clRed).rgb());

    w.SBNext->click();
    l.clickAt(w.Model().SampleData(5), -1.0);
    ASSERT_EQ(w.LessonStep(), 2);
    EXPECT_EQ(w.RChart1->WindowImage().pixel(x5, y), ToQColor(clBlue).rgb());
    // Only the marks' column changed.
    const QImage picked = w.RChart1->WindowImage();
    for (int py = 0; py < picked.height(); ++py)
        for (int px = 0; px < picked.width(); ++px) {
            if (px != x5) {
                ASSERT_EQ(picked.pixel(px, py), start.pixel(px, py)) << px << "," << py;
            }
        }

    // Put down, the column is red again and the picture is the start's.
    l.clickAt(w.Model().SampleData(5), -1.0);
    EXPECT_EQ(w.RChart1->WindowImage(), start);
}
