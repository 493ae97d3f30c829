// What a screen reader gets in process, through Qt's accessibility interfaces: the buttons'
// names without "&", the labels' names and shown values, the histogram's description, the
// strips' texts; and the strips' tooltips. (The offscreen platform has no accessibility
// bridge, so the value-change announcements are heard by the AT-SPI test under Xvfb.)

#include "LessonWindow.h"

#include "simulation/LessonSpeech.h"
#include "widgets/NumLab.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QHelpEvent>
#include <QToolTip>

namespace {

QString accText(QObject* object, QAccessible::Text t) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
    return a ? a->text(t) : QStringLiteral("<none>");
}

const std::string Dictionary =
    "[Exit]=E&xit|$$\r\n[Mean]=Mittelwert|$$\r\n"
    "[Histogram of <%1%> values; picked value <%2%>]=Histogramm mit <%1%> Werten; gew\xE4hlt <%2%>|$$\r\n";

} // namespace

TEST(LessonSpeech, NamesValuesAndDescriptions) {
    LessonWindow l(1234, Dictionary);
    ASSERT_TRUE(l.ok);
    TFrmMeasLoc& w = l.w();
    const TSampleModel& m = w.Model();
    EXPECT_EQ(accText(w.SBExit, QAccessible::Name), "Exit");
    EXPECT_EQ(accText(w.SBNext, QAccessible::Name), "Next");

    // The labels: the translated measure, the text the box shows, the number.
    EXPECT_EQ(accText(w.NLabMean, QAccessible::Name), "Mittelwert");
    EXPECT_EQ(accText(w.NLabTrMean, QAccessible::Name), "Trimmed Mean");
    for (TNumLab* label : {w.NLabMode, w.NLabMedian, w.NLabTrMean, w.NLabMean}) {
        EXPECT_EQ(accText(label, QAccessible::Value), label->DisplayText());
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(label);
        ASSERT_NE(a->valueInterface(), nullptr);
        EXPECT_EQ(a->valueInterface()->currentValue().toDouble(), label->Value());
        ASSERT_NE(a->textInterface(), nullptr);
        EXPECT_EQ(a->textInterface()->text(0, -1), label->DisplayText());
    }
    EXPECT_EQ(w.NLabMean->DisplayText(), QString::number(m.MeanValue(), 'f', 2));

    // The histogram, before and after a pick (this dictionary translates the latter).
    EXPECT_EQ(accText(w.RChart1, QAccessible::Name), "Histogram");
    EXPECT_EQ(accText(w.RChart1, QAccessible::Description), "Histogram of 30 values");
    w.SBNext->click();
    l.clickAt(m.SampleData(3), -1.0);
    ASSERT_EQ(w.LessonStep(), 2);
    EXPECT_EQ(accText(w.RChart1, QAccessible::Description),
              QString::fromUtf8("Histogramm mit 30 Werten; gewählt ") +
                  QString::number(m.SampleData(m.SelectedSample()), 'f', 2));

    l.moveTo(20.0, -1.5);
    l.moveTo(21.0, -1.6);

    // The strips, top to bottom, and the strip chart's name.
    EXPECT_EQ(accText(w.RChart2, QAccessible::Name), "Strip chart");
    const TMeasureRange r = m.MeasureRange(msMean);
    const QString mean = QStringLiteral("Mittelwert %1, moved between %2 and %3 (width %4)")
                             .arg(QString::number(m.MeanValue(), 'f', 2),
                                  QString::number(r.Min, 'f', 2), QString::number(r.Max, 'f', 2),
                                  QString::number(r.Max - r.Min, 'f', 2));
    EXPECT_EQ(accText(w.Speech()->Strip(3), QAccessible::Name), "Mittelwert");
    EXPECT_EQ(accText(w.Speech()->Strip(3), QAccessible::Description), mean);
    EXPECT_TRUE(accText(w.Speech()->Strip(0), QAccessible::Description).startsWith("Mode "));
    QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(w.RChart2);
    for (int i = 0; i < 4; ++i)
        EXPECT_GE(strip->indexOfChild(QAccessible::queryAccessibleInterface(w.Speech()->Strip(i))), 0);
}

TEST(LessonSpeech, HoveringAStripShowsItsFigures) {
    LessonWindow l(8);
    ASSERT_TRUE(l.ok);
    TFrmMeasLoc& w = l.w();
    // The pointer over the strip chart at the median's height (y 6..9) finds its strip.
    int px = 0, py = 0;
    w.RChart2->WorldToPixel(1, 10.0, 7.5, px, py);
    QWidget* under = w.RChart2->childAt(px, py);
    ASSERT_EQ(under, w.Speech()->Strip(1));
    const QPoint local = under->mapFrom(w.RChart2, QPoint(px, py));
    QHelpEvent hover(QEvent::ToolTip, local, under->mapToGlobal(local));
    QApplication::sendEvent(under, &hover);
    const TSampleModel& m = w.Model();
    const QString median = QString::number(m.MedianValue(), 'f', 2);
    const QString expected = QStringLiteral("Median %1, moved between %1 and %1 (width 0.00)").arg(median);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), expected);
    EXPECT_EQ(accText(under, QAccessible::Description), expected);
    QToolTip::hideText();
    // The strips follow the chart's size.
    w.resize(900, 700);
    w.RChart2->WorldToPixel(1, 10.0, 1.5, px, py);
    EXPECT_EQ(w.RChart2->childAt(px, py), w.Speech()->Strip(3));
}

TEST(LessonSpeech, TextsStayCurrentThroughADragAndANewDictionary) {
    LessonWindow l(1234);
    ASSERT_TRUE(l.ok);
    TFrmMeasLoc& w = l.w();
    const TSampleModel& m = w.Model();
    auto number = [](double v) { return QString::number(v, 'f', 2); };
    // Every strip's texts and the histogram's, as they must read now.
    auto expectCurrent = [&](const QString& pattern, const QString& picked) {
        for (int i = 0; i < 4; ++i) {
            const TMeasure measure = MeasureTable.at(MeasureTable.size() - 1 - i).Id;
            const TMeasureRange r = m.MeasureRange(measure);
            const QString text =
                QString(pattern).arg(w.MeasureLabel(measure)->LeftText(), number(m.Value(measure)),
                                     number(r.Min), number(r.Max), number(r.Max - r.Min));
            EXPECT_EQ(accText(w.Speech()->Strip(i), QAccessible::Description), text) << i;
            EXPECT_EQ(w.Speech()->Strip(i)->toolTip(), text) << i;
        }
        EXPECT_EQ(
            accText(w.RChart1, QAccessible::Description),
            QString(picked).arg(m.SampleCount()).arg(number(m.SampleData(m.SelectedSample()))));
    };
    const QString english = QStringLiteral("%1 %2, moved between %3 and %4 (width %5)");
    const QString pickedEnglish = QStringLiteral("Histogram of %1 values; picked value %2");
    w.SBNext->click();
    l.clickAt(m.SampleData(3), -1.0);
    ASSERT_EQ(w.LessonStep(), 2);
    // Small moves change some figures and leave others: each text must follow its own.
    for (const double x : {20.0, 20.1, 20.3, 24.5, 24.6, 3.0}) {
        l.moveTo(x, -1.5);
        expectCurrent(english, pickedEnglish);
    }

    // Another dictionary: the same figures read in its words at the next move.
    std::istringstream german("[Strip chart]=Streifen|$$\r\n"
                              "[<%1%> <%2%>, moved between <%3%> and <%4%> (width <%5%>)]="
                              "<%1%> <%2%>, zwischen <%3%> und <%4%> (Breite <%5%>)|$$\r\n"
                              "[Histogram of <%1%> values; picked value <%2%>]="
                              "<%1%> Werte; <%2%> gew\xE4hlt|$$\r\n");
    w.clidemon->Engine().LoadFromStream(german);
    l.moveTo(10.0, -1.5);
    EXPECT_EQ(accText(w.RChart2, QAccessible::Name), "Streifen");
    expectCurrent(QStringLiteral("%1 %2, zwischen %3 und %4 (Breite %5)"),
                  QString::fromUtf8("%1 Werte; %2 gewählt"));
}
