// How each measure is computed, as its numeric label tells it on hover and to a screen reader,
// in every shipped dictionary, at 30 and at 90 values. The ranks expected in the texts are
// found from the sample itself (which order statistic the median is, which run of ranks the
// trimmed mean averages), so a change of the model's rules that the texts miss fails here.

#include "LessonWindow.h"

#include "simulation/LessonSpeech.h"
#include "simulation/MeasureInfo.h"
#include "widgets/NumLab.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QFile>
#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>
#include <vector>

namespace {

struct TRanksFound {
    int median = 0;
    int first = 0;
    int last = 0;
};

// The ranks the model's median and trimmed mean use, by brute force over the sorted sample.
TRanksFound ranksUsed(const TSampleModel& m) {
    const int n = m.SampleCount();
    std::vector<double> sorted;
    for (int p = 1; p <= n; ++p)
        sorted.push_back(m.SampleData(p));
    std::sort(sorted.begin(), sorted.end());
    // Without ties a value has one rank.
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    TRanksFound r;
    int medians = 0, runs = 0;
    for (int k = 1; k <= n; ++k) {
        if (sorted[static_cast<std::size_t>(k - 1)] == m.MedianValue()) {
            r.median = k;
            ++medians;
        }
    }
    // Every run of ranks whose mean, summed in rank order as the model sums, is the trimmed
    // mean.
    for (int first = 1; first <= n; ++first) {
        double sum = 0.0;
        for (int last = first; last <= n; ++last) {
            sum += sorted[static_cast<std::size_t>(last - 1)];
            if (sum / (last - first + 1) == m.TrimmedMeanValue()) {
                r.first = first;
                r.last = last;
                ++runs;
            }
        }
    }
    EXPECT_EQ(medians, 1);
    EXPECT_EQ(runs, 1);
    return r;
}

QString englishOrdinal(int n) {
    const char* suffix = "th";
    if (n % 100 < 11 || n % 100 > 13) {
        if (n % 10 == 1)
            suffix = "st";
        else if (n % 10 == 2)
            suffix = "nd";
        else if (n % 10 == 3)
            suffix = "rd";
    }
    return QString::number(n) + QLatin1String(suffix);
}

// Each shipped language's definitions, %1... for the numbers, and how it writes a rank.
struct TShippedLanguage {
    const char* file;
    QString mean;    // count
    QString median;  // rank, count
    QString trimmed; // first rank, last rank, count, removed at the bottom, removed at the top
    QString mode;
    QString (*ordinal)(int);
};

std::vector<TShippedLanguage> languages() {
    return {
        {"centrova_en.itl", QStringLiteral("the sum of the %1 values divided by %1"),
         QStringLiteral("the %1 of the %2 values in order (with an even count, the lower of the "
                        "two middle values)"),
         QStringLiteral("the mean of the %1 to the %2 of the %3 values in order: %4 removed at "
                        "the bottom, %5 at the top"),
         QStringLiteral("the middle of the tallest class; of equally tall classes, the one that "
                        "reached that height first"),
         englishOrdinal},
        {"centrova_de.itl", QStringLiteral("die Summe der %1 Werte geteilt durch %1"),
         QString::fromUtf8("der %1 der %2 der Größe nach geordneten Werte (bei gerader Anzahl "
                           "der kleinere der beiden mittleren Werte)"),
         QString::fromUtf8("der Mittelwert vom %1 bis zum %2 der %3 der Größe nach geordneten "
                           "Werte: unten %4 weggelassen, oben %5"),
         QString::fromUtf8("die Mitte der höchsten Klasse; von gleich hohen Klassen die, die "
                           "diese Höhe zuerst erreicht hat"),
         [](int n) { return QString::number(n) + QLatin1Char('.'); }},
        {"centrova_fr.itl", QString::fromUtf8("la somme des %1 valeurs divisée par %1"),
         QString::fromUtf8("la %1 des %2 valeurs rangées par ordre croissant (pour un effectif "
                           "pair, la plus petite des deux valeurs centrales)"),
         QString::fromUtf8("la moyenne de la %1 à la %2 des %3 valeurs rangées par ordre "
                           "croissant : %4 retirées en bas, %5 en haut"),
         QString::fromUtf8("le milieu de la classe la plus haute ; parmi des classes de même "
                           "hauteur, celle qui a atteint cette hauteur la première"),
         [](int n) { return QString::number(n) + QLatin1Char('e'); }},
        {"centrova_es.itl", QStringLiteral("la suma de los %1 valores dividida entre %1"),
         QString::fromUtf8("el valor %1 de los %2 ordenados de menor a mayor (con un número par, "
                           "el menor de los dos valores centrales)"),
         QString::fromUtf8("la media de los valores %1 a %2 de los %3 ordenados de menor a "
                           "mayor: %4 descartados por abajo y %5 por arriba"),
         QString::fromUtf8("el punto medio de la clase más alta; entre clases igual de altas, "
                           "la que alcanzó antes esa altura"),
         [](int n) { return QString::number(n) + QString::fromUtf8(".º"); }},
    };
}

std::string fileBytes(const char* name) {
    QFile f(QStringLiteral(CENTROVA_DATA_DIR "/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll().toStdString();
}

QString hoverText(TNumLab* label) {
    const QPoint at(label->width() / 2, label->height() / 2);
    QHelpEvent hover(QEvent::ToolTip, at, label->mapToGlobal(at));
    QApplication::sendEvent(label, &hover);
    const QString text = QToolTip::isVisible() ? QToolTip::text() : QStringLiteral("<none>");
    QToolTip::hideText();
    return text;
}

QString description(TNumLab* label) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(label);
    return a ? a->text(QAccessible::Description) : QStringLiteral("<none>");
}

// The four labels tell, on hover and as their description, the definitions for the window's
// current sample with the ranks its measures use.
void expectDefinitions(TFrmMeasLoc& w, const TShippedLanguage& lang) {
    const TSampleModel& m = w.Model();
    const int n = m.SampleCount();
    const TRanksFound r = ranksUsed(m);
    const QString count = QString::number(n);
    const QString expected[] = {
        lang.mean.arg(count),
        lang.trimmed.arg(lang.ordinal(r.first), lang.ordinal(r.last), count,
                         QString::number(r.first - 1), QString::number(n - r.last)),
        lang.median.arg(lang.ordinal(r.median), count),
        lang.mode,
    };
    for (const TMeasureInfo& info : MeasureTable) {
        SCOPED_TRACE(info.CaptionKey);
        TNumLab* label = w.MeasureLabel(info.Id);
        const QString& want = expected[static_cast<std::size_t>(info.Id)];
        EXPECT_EQ(hoverText(label), want);
        EXPECT_EQ(description(label), want);
    }
}

} // namespace

TEST(MeasureDefinitions, TheRanksInTheTextsAreTheOnesTheModelUses) {
    LessonWindow l(1234, fileBytes("centrova_en.itl"));
    ASSERT_TRUE(l.ok);
    TFrmMeasLoc& w = l.w();
    TRanksFound r = ranksUsed(w.Model());
    EXPECT_EQ(r.median, 15);
    EXPECT_EQ(r.first, 3);
    EXPECT_EQ(r.last, 27);
    EXPECT_EQ(w.NLabMedian->toolTip(), "the 15th of the 30 values in order (with an even count, "
                                       "the lower of the two middle values)");
    EXPECT_EQ(w.NLabTrMean->toolTip(), "the mean of the 3rd to the 27th of the 30 values in "
                                       "order: 2 removed at the bottom, 3 at the top");
    EXPECT_EQ(w.NLabMean->toolTip(), "the sum of the 30 values divided by 30");
    for (int i = 0; i < 3; ++i)
        w.SBAddDataClick();
    ASSERT_EQ(w.Model().SampleCount(), 90);
    r = ranksUsed(w.Model());
    EXPECT_EQ(r.median, 45);
    EXPECT_EQ(r.first, 9);
    EXPECT_EQ(r.last, 81);
    EXPECT_EQ(w.NLabTrMean->toolTip(), "the mean of the 9th to the 81st of the 90 values in "
                                       "order: 8 removed at the bottom, 9 at the top");
}

TEST(MeasureDefinitions, EveryShippedLanguageAtThirtyAndNinetyValuesAndAfterReset) {
    for (const TShippedLanguage& lang : languages()) {
        SCOPED_TRACE(lang.file);
        LessonWindow l(20261209, fileBytes(lang.file));
        ASSERT_TRUE(l.ok);
        TFrmMeasLoc& w = l.w();
        ASSERT_EQ(w.Model().SampleCount(), 30);
        expectDefinitions(w, lang);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(w.SBAddData, Qt::LeftButton);
        ASSERT_EQ(w.Model().SampleCount(), 90);
        expectDefinitions(w, lang);
        QTest::mouseClick(w.SBReset, Qt::LeftButton);
        ASSERT_EQ(w.Model().SampleCount(), 30);
        expectDefinitions(w, lang);
    }
}

TEST(MeasureDefinitions, OrdinalsFollowTheNumbersEnding) {
    const std::vector<std::pair<int, const char*>> cases{
        {1, "<%1%>st"},  {2, "<%1%>nd"},  {3, "<%1%>rd"},  {4, "<%1%>th"},   {11, "<%1%>th"},
        {12, "<%1%>th"}, {13, "<%1%>th"}, {21, "<%1%>st"}, {22, "<%1%>nd"},  {63, "<%1%>rd"},
        {81, "<%1%>st"}, {111, "<%1%>th"}, {112, "<%1%>th"}, {0, "<%1%>th"}, {-1, "<%1%>th"}};
    for (const auto& [n, key] : cases)
        EXPECT_STREQ(TLessonSpeech::OrdinalKey(n), key) << n;
}
