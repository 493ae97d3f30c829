// The lesson end to end on the offscreen platform, through real button clicks and pointer
// events: the start state, "More Data", picking and dragging a value, "Reset", the About
// box and its links, and what activation does and does not do.

#include "LessonWindow.h"
#include "chart/DrawItem.h"
#include "chart/RChart.h"
#include "hostlink/KdbDemonClient.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/MessageBox.h"
#include "simulation/AboutBox.h"
#include "simulation/LessonSpeech.h"
#include "simulation/Measloc.h"
#include "simulation/MeasureInfo.h"
#include "widgets/NumLab.h"
#include "widgets/UrlLab.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QScreen>
#include <QTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <memory>
#include <sstream>

namespace {

constexpr TColor clBand = RGBColor(192, 206, 206);

// One window with its About box, in a runtime folder of its own so that the single-instance
// lock of another test program never meets it.
class Lesson : public LessonWindow {
public:
    Lesson() { EXPECT_TRUE(ok); }
    void press(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

int countColor(const QImage& image, TColor color) {
    const QRgb want = ToQColor(color).rgb();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == want ? 1 : 0;
    return n;
}

int blueMarks(const std::vector<TDrawItem>& items) {
    int n = 0;
    for (const auto& item : items)
        n += item.Kind == dkLine && item.Color == clBlue ? 1 : 0;
    return n;
}

} // namespace

TEST(Lesson, StartState) {
    Lesson l;
    TFrmMeasLoc& w = l.w();
    const TSampleModel& m = w.Model();
    EXPECT_EQ(w.LessonStep(), 0);
    EXPECT_EQ(m.SampleCount(), 30);
    EXPECT_EQ(w.Activations(), 1);
    EXPECT_TRUE(w.SBNext->isEnabled());
    EXPECT_TRUE(w.SBAddData->isEnabled());

    // Without a dictionary every key shows as itself.
    EXPECT_EQ(w.MemoHelp->toPlainText(), "MMText1");
    EXPECT_EQ(w.SBExit->text(), "Exit");
    EXPECT_EQ(w.NLabTrMean->LeftText(), "Trimmed Mean");
    EXPECT_EQ(w.windowTitle(), "Measures of Location");

    // 30 red marks from -1 to -2.5, then 26 yellow bars on the classes.
    const auto hist = l.items(w.RChart1);
    ASSERT_EQ(hist.size(), 56u);
    for (int p = 0; p < 30; ++p) {
        const TDrawItem& mark = hist[static_cast<std::size_t>(p)];
        EXPECT_EQ(mark.Kind, dkLine);
        EXPECT_EQ(mark.Color, clRed);
        EXPECT_EQ(mark.X1, m.SampleData(p + 1));
        EXPECT_EQ(mark.Y1, -1.0);
        EXPECT_EQ(mark.Y2, -2.5);
    }
    for (int c = 0; c < 26; ++c) {
        const TDrawItem& bar = hist[static_cast<std::size_t>(30 + c)];
        EXPECT_EQ(bar.Kind, dkBar3D);
        EXPECT_EQ(bar.FillColor, clYellow);
        EXPECT_EQ(bar.X1, c);
        EXPECT_EQ(bar.X2, c + 1);
        EXPECT_EQ(bar.Y2, m.ClassCounts(c));
    }

    // The strip: a band of zero width and a navy line per measure, bottom up, then three
    // separators.
    const auto strip = l.items(w.RChart2);
    ASSERT_EQ(strip.size(), 11u);
    for (std::size_t i = 0; i < MeasureTable.size(); ++i) {
        const TDrawItem& band = strip[2 * i];
        const TDrawItem& line = strip[2 * i + 1];
        EXPECT_EQ(band.Kind, dkRect);
        EXPECT_EQ(band.X1, band.X2);
        EXPECT_EQ(band.Color, clBand);
        EXPECT_EQ(line.Color, clNavy);
        EXPECT_EQ(line.X1, m.Value(MeasureTable[i].Id));
        EXPECT_EQ(line.Y1, 3.0 * static_cast<double>(i));
    }
    for (std::size_t i = 1; i < MeasureTable.size(); ++i) {
        const TDrawItem& separator = strip[2 * MeasureTable.size() + i - 1];
        EXPECT_EQ(separator.Y1, 3.0 * static_cast<double>(i));
        EXPECT_EQ(separator.Y2, 3.0 * static_cast<double>(i));
    }

    // The labels, top to bottom: mode, median, trimmed mean, mean, with the model's values.
    EXPECT_LT(w.NLabMode->y(), w.NLabMedian->y());
    EXPECT_LT(w.NLabMedian->y(), w.NLabTrMean->y());
    EXPECT_LT(w.NLabTrMean->y(), w.NLabMean->y());
    EXPECT_EQ(w.NLabMode->y(), 12);
    EXPECT_EQ(w.NLabMean->y(), 84);
    EXPECT_EQ(w.NLabTrMean->objectName(), "NLabTrMean");
    EXPECT_EQ(w.Speech()->Strip(2)->objectName(), "StripTrimmedMean");
    for (const TMeasureInfo& measure : MeasureTable)
        EXPECT_EQ(w.MeasureLabel(measure.Id)->LeftText(), measure.CaptionKey);
    EXPECT_EQ(w.NLabMode->Value(), m.ModeValue());
    EXPECT_EQ(w.NLabMedian->Value(), m.MedianValue());
    EXPECT_EQ(w.NLabTrMean->Value(), m.TrimmedMeanValue());
    EXPECT_EQ(w.NLabMean->Value(), m.MeanValue());
    EXPECT_EQ(w.NLabMean->Precision(), 2);

    // What the student sees: yellow bars, red marks, navy lines.
    EXPECT_GT(countColor(w.RChart1->WindowImage(), clYellow), 100);
    EXPECT_GT(countColor(w.RChart1->WindowImage(), clRed), 30);
    EXPECT_GT(countColor(w.RChart2->WindowImage(), clNavy), 4 * 20);

    // The two charts share their x mapping, so a value stands above itself.
    int x1 = 0, x2 = 0, y = 0;
    w.RChart1->WorldToPixel(1, 12.5, 0, x1, y);
    w.RChart2->WorldToPixel(1, 12.5, 0, x2, y);
    EXPECT_EQ(x1, x2);
}

TEST(Lesson, MoreDataGrowsToNinetyAndCollapsesTheBands) {
    Lesson l;
    TFrmMeasLoc& w = l.w();
    for (int expected : {50, 70, 90}) {
        ASSERT_TRUE(w.SBAddData->isEnabled());
        l.press(w.SBAddData);
        EXPECT_EQ(w.Model().SampleCount(), expected);
        EXPECT_EQ(w.RChart1->Count(), expected + 26);
        const auto strip = l.items(w.RChart2);
        ASSERT_EQ(strip.size(), 11u);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(strip[2 * i].X1, strip[2 * i].X2);
        EXPECT_EQ(w.NLabMean->Value(), w.Model().MeanValue());
    }
    EXPECT_FALSE(w.SBAddData->isEnabled());
    l.press(w.SBAddData); // a disabled button does nothing
    EXPECT_EQ(w.Model().SampleCount(), 90);
}

TEST(Lesson, PickDragAndPutDown) {
    Lesson l;
    TFrmMeasLoc& w = l.w();
    // In step 0 a click does nothing.
    l.clickAt(w.Model().SampleData(1), -1.0);
    EXPECT_EQ(w.LessonStep(), 0);
    EXPECT_EQ(blueMarks(l.items(w.RChart1)), 0);

    l.press(w.SBNext);
    EXPECT_EQ(w.LessonStep(), 1);
    EXPECT_FALSE(w.SBNext->isEnabled());
    EXPECT_EQ(w.MemoHelp->toPlainText(), "MMText2");

    const double picked = w.Model().SampleData(5);
    l.clickAt(picked, -1.2);
    EXPECT_EQ(w.LessonStep(), 2);
    ASSERT_NE(w.Model().SelectedSample(), 0);
    EXPECT_EQ(w.Model().SampleData(w.Model().SelectedSample()), picked);
    EXPECT_EQ(blueMarks(l.items(w.RChart1)), 1);

    // Moving the pointer moves the value (to where the pointer was a move earlier), the bars,
    // the labels and the navy lines, and the bands only widen. The strip keeps 11 items.
    const double meanBefore = w.Model().MeanValue();
    double lastWidth = 0.0;
    for (int i = 1; i <= 20; ++i) {
        l.moveTo(picked + (20.0 - picked) * i / 20.0, -1.5);
        const TMeasureRange r = w.Model().MeasureRange(msMean);
        EXPECT_GE(r.Max - r.Min, lastWidth);
        lastWidth = r.Max - r.Min;
        EXPECT_EQ(w.RChart2->Count(), 11);
    }
    const std::int32_t selected = w.Model().SelectedSample();
    EXPECT_GT(w.Model().SampleData(selected), 19.0);
    EXPECT_GT(w.Model().MeanValue(), meanBefore);
    EXPECT_EQ(w.NLabMean->Value(), w.Model().MeanValue());
    EXPECT_GT(lastWidth, 0.2);
    EXPECT_GE(w.Model().ClassCounts(19), 1);
    auto strip = l.items(w.RChart2);
    EXPECT_EQ(strip[1].X1, w.Model().MeanValue()); // the mean's navy line moved with it
    EXPECT_EQ(strip[0].X2, w.Model().MeasureRange(msMean).Max);

    // A second click puts it down: red again, step 1, and the bands stay as they are.
    l.clickAt(10.0, -1.5);
    EXPECT_EQ(w.LessonStep(), 1);
    EXPECT_EQ(blueMarks(l.items(w.RChart1)), 0);
    const TMeasureRange frozen = w.Model().MeasureRange(msMean);
    l.moveTo(3.0, -1.5);
    l.moveTo(4.0, -1.6);
    EXPECT_EQ(w.Model().MeasureRange(msMean).Min, frozen.Min);
    EXPECT_EQ(w.Model().MeasureRange(msMean).Max, frozen.Max);
}

TEST(Lesson, ResetWhileDraggingStartsAFreshSample) {
    Lesson l;
    TFrmMeasLoc& w = l.w();
    l.press(w.SBNext);
    l.clickAt(w.Model().SampleData(1), -1.0);
    l.moveTo(15.0, -1.5);
    l.moveTo(16.0, -1.6);
    ASSERT_EQ(w.LessonStep(), 2);
    const double before = w.Model().SampleData(2);
    l.press(w.SBReset);
    EXPECT_EQ(w.LessonStep(), 0);
    EXPECT_EQ(w.Model().SelectedSample(), 0);
    EXPECT_TRUE(w.SBNext->isEnabled());
    EXPECT_EQ(blueMarks(l.items(w.RChart1)), 0);
    EXPECT_NE(w.Model().SampleData(2), before);
    EXPECT_EQ(w.MemoHelp->toPlainText(), "MMText1");
    l.moveTo(5.0, -1.5); // no drag any more
    EXPECT_EQ(w.Model().MeasureRange(msMean).Min, w.Model().MeasureRange(msMean).Max);
}

TEST(Lesson, ClosingTheAboutBoxStartsANewSampleButSwitchingAwayDoesNot) {
    Lesson l;
    TFrmMeasLoc& w = l.w();
    l.press(w.SBAddData);
    const double first = w.Model().SampleData(1);

    // Another application takes the focus and gives it back: the student's work stays.
    QEvent away(QEvent::WindowDeactivate);
    QApplication::sendEvent(&w, &away);
    QEvent back(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &back);
    EXPECT_EQ(w.Activations(), 1);
    EXPECT_EQ(w.Model().SampleCount(), 50);

    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = w.AboutBox()->isVisible();
        QTest::mouseClick(w.AboutBox()->BButOK, Qt::LeftButton);
    });
    l.press(w.SBAbout);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(w.AboutBox()->isVisible());
    EXPECT_EQ(w.Activations(), 2);
    EXPECT_EQ(w.Model().SampleCount(), 30);
    EXPECT_NE(w.Model().SampleData(1), first);
    EXPECT_EQ(w.AboutBox()->LblName->text(), "Centrova");
    EXPECT_EQ(w.AboutBox()->LblVersion->text(), "Version 1.3");
    EXPECT_EQ(w.AboutBox()->windowTitle(), "About"); // its keys were translated
    EXPECT_EQ(w.AboutBox()->BButOK->text(), "OK");
    EXPECT_TRUE(w.AboutBox()->LblDescription->text().startsWith(
        "This program shows the effects of the distribution of data on the measures of location."));
}

TEST(Lesson, AboutBoxLinks) {
    // No dictionary: the key's text "HomePage" hides the link and the others move up.
    {
        Lesson l;
        TFrmAbout* about = l.w().AboutBox();
        about->FormShow();
        EXPECT_FALSE(about->UrlLabHomepage->isVisibleTo(about));
        EXPECT_EQ(about->UrlLabQRXSuite->y(), 16);
        EXPECT_EQ(about->UrlLabSimulations->y(), 32);
        EXPECT_EQ(about->UrlLabQRXSuite->x(), 152);
    }
    auto withDictionary = [](const std::string& homePage) {
        Lesson l;
        std::istringstream dictionary("[$dlglanguage$]=lggerman|$$\r\n" + homePage);
        l.w().clidemon->Engine().LoadFromStream(dictionary);
        TFrmAbout* fresh = new TFrmAbout(l.w().window());
        l.w().SetAboutBox(fresh);
        l.w().FormShow(); // fills and translates the box
        fresh->FormShow();
        struct Result {
            bool visible;
            int suite, simulations, home;
            QString caption, website;
        };
        return Result{fresh->UrlLabHomepage->isVisibleTo(fresh), fresh->UrlLabQRXSuite->y(),
                      fresh->UrlLabSimulations->y(), fresh->UrlLabHomepage->y(),
                      fresh->UrlLabHomepage->Caption(), fresh->LblWebSite->text()};
    };
    const auto shown = withDictionary("[HomePage]=Our page|$$\r\n");
    EXPECT_TRUE(shown.visible);
    EXPECT_EQ(shown.caption, "Our page");
    EXPECT_EQ(shown.suite, 8);
    EXPECT_EQ(shown.simulations, 24);
    EXPECT_EQ(shown.home, 40);
    EXPECT_EQ(shown.website, "Mehr Informationen finden Sie auf folgenden Webseiten:");
    const auto empty = withDictionary("[HomePage]=|$$\r\n");
    EXPECT_FALSE(empty.visible);
    EXPECT_EQ(empty.suite, 16);
    EXPECT_EQ(empty.simulations, 32);
}

TEST(AboutBox, LinksAreBlueAndTurnRedUnderThePointer) {
    TFrmAbout about;
    for (TUrlLab* link : {about.UrlLabQRXSuite, about.UrlLabSimulations, about.UrlLabHomepage}) {
        EXPECT_TRUE(link->font().bold());
        EXPECT_FALSE(link->font().underline());
        EXPECT_EQ(link->FontColor(), ToQColor(clBlue));
        EXPECT_TRUE(link->FontActive().bold());
        EXPECT_TRUE(link->FontActive().underline());
        EXPECT_EQ(link->FontActiveColor(), ToQColor(clRed));
    }
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(about.UrlLabQRXSuite, &enter);
    EXPECT_EQ(about.UrlLabQRXSuite->FontColor(), ToQColor(clRed));
    EXPECT_TRUE(about.UrlLabQRXSuite->font().underline());
    QCoreApplication::sendEvent(about.UrlLabQRXSuite, &leave);
    EXPECT_EQ(about.UrlLabQRXSuite->FontColor(), ToQColor(clBlue));
}

TEST(AboutBox, StandsInTheMiddleOfTheScreenNotOfTheMainWindow) {
    QWidget main;
    main.setGeometry(10, 20, 300, 200); // far from the middle of the screen
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    auto* about = new TFrmAbout(&main);
    about->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    const QRect screen = main.screen()->geometry();
    const QRect box = about->frameGeometry();
    EXPECT_EQ(box.x(), screen.x() + (screen.width() - box.width()) / 2);
    EXPECT_EQ(box.y(), screen.y() + (screen.height() - box.height()) / 2);
    about->close();
    // Shown again after the main window moved, it is still in the middle.
    main.move(200, 150);
    about->show();
    EXPECT_EQ(about->frameGeometry().x(), box.x());
    about->close();
}

TEST(Lesson, TheStripLooksAsIfNothingWereCleared) {
    // Drawn the long way, appending 11 items per movement, the strip shows what the window's
    // strip shows after clearing each time.
    Lesson l;
    TFrmMeasLoc& w = l.w();
    TRChart accumulated;
    accumulated.resize(w.RChart2->size());
    accumulated.SetMarginLeft(w.RChart2->MarginLeft());
    accumulated.SetMarginRight(w.RChart2->MarginRight());
    accumulated.SetMarginTop(w.RChart2->MarginTop());
    accumulated.SetMarginBottom(w.RChart2->MarginBottom());
    accumulated.SetAllocSize(1000);
    accumulated.SetGridStyle(gsNone);
    accumulated.XAxis(1)->SetVisible(false);
    accumulated.YAxis(1)->SetVisible(false);
    accumulated.SetShadowStyle(ssFlying);
    accumulated.SetShadowColor(clGrayText);
    accumulated.SetShadowBakColor(clBtnFace);
    accumulated.SetAutoRedraw(true);
    accumulated.Loaded();
    accumulated.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&accumulated));
    accumulated.SetRange(1, 0, 0, 25, 12);
    auto append = [&] {
        const TSampleModel& m = w.Model();
        accumulated.SetFillColor(clBand);
        for (std::size_t i = 0; i < MeasureTable.size(); ++i) {
            const TMeasure id = MeasureTable[i].Id;
            const double y0 = 3.0 * static_cast<double>(i);
            accumulated.SetDataColor(clBand);
            accumulated.AddRectangle(m.MeasureRange(id).Min, y0, m.MeasureRange(id).Max, y0 + 3);
            accumulated.SetDataColor(clNavy);
            accumulated.AddLine(m.Value(id), y0, m.Value(id), y0 + 3);
        }
        accumulated.SetDataColor(clGray);
        accumulated.AddLine(0, 3, 25, 3);
        accumulated.AddLine(0, 6, 25, 6);
        accumulated.AddLine(0, 9, 25, 9);
        accumulated.ShowDrawing();
    };
    append();
    l.press(w.SBNext);
    l.clickAt(w.Model().SampleData(3), -1.0);
    append();
    for (int i = 1; i <= 30; ++i) {
        l.moveTo(1.0 + 0.7 * i, -1.5);
        append();
    }
    EXPECT_EQ(accumulated.Count(), 32 * 11);
    EXPECT_EQ(w.RChart2->Count(), 11);
    EXPECT_EQ(accumulated.WindowImage(), w.RChart2->WindowImage());
}

namespace {
class Throwing : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("the handler failed");
        return QObject::event(e);
    }
};
} // namespace

TEST(Application, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    std::vector<QString> shown;
    SetMessageHandler([&](QWidget*, const QString& text) { shown.push_back(text); });
    Throwing target;
    QEvent user(QEvent::User);
    EXPECT_FALSE(QApplication::sendEvent(&target, &user));
    QApplication::postEvent(&target, new QEvent(QEvent::User));
    QApplication::processEvents();
    SetMessageHandler(nullptr);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "the handler failed");
    // The fonts of the layouts resolve to installed ones.
    EXPECT_EQ(QFont::substitute("MS Sans Serif").toLower(), "liberation sans");
}
