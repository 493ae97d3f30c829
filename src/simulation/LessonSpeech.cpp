#include "simulation/LessonSpeech.h"

#include "chart/RChart.h"
#include "simulation/LessonKeys.h"
#include "simulation/Measloc.h"
#include "simulation/MeasureInfo.h"
#include "widgets/NumLab.h"
#include "widgets/NumLabText.h"

#include <QWidget>

namespace {

void setName(QWidget* widget, const QString& text) {
    if (widget->accessibleName() != text)
        widget->setAccessibleName(text);
}

void setDescription(QWidget* widget, const QString& text) {
    if (widget->accessibleDescription() != text)
        widget->setAccessibleDescription(text);
}

// The measure of the strip that stands index strips from the top.
const TMeasureInfo& topDown(std::size_t index) {
    return MeasureTable.at(MeasureTable.size() - 1 - index);
}

} // namespace

TLessonSpeech::TLessonSpeech(TFrmMeasLoc& window) : QObject(&window), w(window) {
    setObjectName(QStringLiteral("LessonSpeech"));
    for (std::size_t i = 0; i < strips.size(); ++i) {
        // A strip paints nothing: the chart below it shows through unchanged.
        auto* strip = new QWidget(w.RChart2);
        // Named after the measure's caption key without its spaces: StripTrimmedMean.
        strip->setObjectName(QStringLiteral("Strip")
                             + QString::fromLatin1(topDown(i).CaptionKey).remove(QLatin1Char(' ')));
        strip->setFocusPolicy(Qt::NoFocus);
        strips.at(i) = strip;
    }
}

const char* TLessonSpeech::OrdinalKey(std::int32_t number) {
    const std::int32_t lastTwo = number % 100;
    if (lastTwo < 0 || (lastTwo >= 11 && lastTwo <= 13))
        return OrdinalKeys.at(3);
    switch (lastTwo % 10) {
    case 1:
        return OrdinalKeys.at(0);
    case 2:
        return OrdinalKeys.at(1);
    case 3:
        return OrdinalKeys.at(2);
    default:
        return OrdinalKeys.at(3);
    }
}

QString TLessonSpeech::Definition(TMeasure measure) const {
    const TMeasureInfo& info = MeasureInfo(measure);
    QStringList args;
    for (const TDefinitionNumber& n : info.DefinitionNumbers(w.Model().SampleCount())) {
        const QString digits = QString::number(n.Number);
        args << (n.Ordinal ? w.Translate(QLatin1String(OrdinalKey(n.Number)), {digits}) : digits);
    }
    return w.Translate(QLatin1String(info.DefinitionKey), args);
}

QString TLessonSpeech::Number(double value) {
    TNumLabFormat f;
    f.Value = value;
    f.DisplayType = dtFixP;
    f.Precision = 2;
    return QString::fromStdString(NumLabValueText(f).value_or("*"));
}

const QString& TLessonSpeech::translated(TSpokenText& spoken, const char* key,
                                         const QStringList& args) {
    const std::uint64_t dictionary = w.DictionaryLoad();
    if (spoken.key != key || spoken.args != args || spoken.dictionary != dictionary) {
        spoken.text = w.Translate(QLatin1String(key), args);
        spoken.key = key;
        spoken.args = args;
        spoken.dictionary = dictionary;
    }
    return spoken.text;
}

void TLessonSpeech::Update() {
    const TSampleModel& m = w.Model();
    const QString count = QString::number(m.SampleCount());
    setName(w.RChart1, translated(histogramName, HistogramName));
    if (w.LessonStep() == 2 && m.SelectedSample() >= 1) {
        setDescription(w.RChart1, translated(histogramText, HistogramPickedText,
                                             {count, Number(m.SampleData(m.SelectedSample()))}));
    } else if (w.LessonStep() == 1 && w.Keys() && w.Keys()->CuesShown() && w.Keys()->ChosenSample() >= 1) {
        setDescription(w.RChart1,
                       translated(histogramText, HistogramChosenText,
                                  {count, Number(m.SampleData(w.Keys()->ChosenSample()))}));
    } else {
        setDescription(w.RChart1, translated(histogramText, HistogramText, {count}));
    }

    setName(w.RChart2, translated(stripChartName, StripChartName));
    // Top to bottom, as the labels stand: the topmost band first.
    for (std::size_t i = 0; i < strips.size(); ++i) {
        const TMeasure measure = topDown(i).Id;
        const TNumLab* label = w.MeasureLabel(measure);
        const TMeasureRange r = m.MeasureRange(measure);
        QWidget* strip = strips.at(i);
        // A move changes one or two measures; the other strips keep their texts.
        const TStripFigures figures{label->LeftText(), m.Value(measure), r.Min, r.Max,
                                    w.DictionaryLoad()};
        if (stripFigures.at(i) != figures) {
            stripFigures.at(i) = figures;
            const QString& text = translated(stripTexts.at(i), StripText,
                                             {figures.name, Number(figures.value), Number(r.Min),
                                              Number(r.Max), Number(r.Max - r.Min)});
            setName(strip, figures.name);
            setDescription(strip, text);
            if (strip->toolTip() != text)
                strip->setToolTip(text);
        }
        const double yTop =
            TFrmMeasLoc::StripTop - TFrmMeasLoc::BandHeight * static_cast<double>(i);
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        w.RChart2->WorldToPixel(1, 0.0, yTop, x0, y0);
        w.RChart2->WorldToPixel(1, 25.0, yTop - TFrmMeasLoc::BandHeight, x1, y1);
        const QRect place(QPoint(std::min(x0, x1), std::min(y0, y1)),
                          QPoint(std::max(x0, x1), std::max(y0, y1)));
        if (strip->geometry() != place)
            strip->setGeometry(place);
    }

    // The labels say how their measures are computed; the ranks change with the sample size.
    if (m.SampleCount() == definedForCount && w.DictionaryLoad() == definedForDictionary)
        return;
    definedForCount = m.SampleCount();
    definedForDictionary = w.DictionaryLoad();
    for (const TMeasureInfo& info : MeasureTable) {
        TNumLab* label = w.MeasureLabel(info.Id);
        const QString text = Definition(info.Id);
        setDescription(label, text);
        if (label->toolTip() != text)
            label->setToolTip(text);
    }
}
