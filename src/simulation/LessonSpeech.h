#pragma once
// What the lesson tells a screen reader and the pointer's tooltips: the charts' names, the
// histogram's description (sample size, the chosen or the picked value), one strip per
// measure over the strip chart whose tooltip and accessible description give the measure's
// value and the range it has covered, and on each numeric label how its measure is computed
// for the current sample size. Every text comes from the dictionary.

#include "simulation/SampleModel.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

class QWidget;
class TFrmMeasLoc;

class TLessonSpeech : public QObject {
    Q_OBJECT
public:
    // The dictionary keys these texts use; <%1%> and so on are filled in.
    static constexpr const char* HistogramName = "Histogram";
    static constexpr const char* HistogramText = "Histogram of <%1%> values";
    static constexpr const char* HistogramChosenText = "Histogram of <%1%> values; chosen value <%2%>";
    static constexpr const char* HistogramPickedText = "Histogram of <%1%> values; picked value <%2%>";
    static constexpr const char* StripChartName = "Strip chart";
    // Name, value, lowest, highest, width.
    static constexpr const char* StripText = "<%1%> <%2%>, moved between <%3%> and <%4%> (width <%5%>)";
    // Ordinals, chosen by the number's ending as English writes them (1st, 2nd, 3rd, 4th, 11th,
    // 21st); a language with one form for all gives all four the same text.
    static constexpr std::array<const char*, 4> OrdinalKeys{"<%1%>st", "<%1%>nd", "<%1%>rd",
                                                            "<%1%>th"};
    static constexpr std::array<const char*, 6> DictionaryKeys{
        HistogramName, HistogramText, HistogramChosenText, HistogramPickedText, StripChartName,
        StripText};
    // The definitions' keys are in the measure table (MeasureInfo.h).

    explicit TLessonSpeech(TFrmMeasLoc& window);

    // After every redraw of the charts: names, descriptions, tooltips, strip places.
    void Update();

    // The strips over the strip chart, top to bottom (mode, median, trimmed mean, mean): the
    // measure table's order from its end.
    QWidget* Strip(int index) const { return strips.at(static_cast<std::size_t>(index)); }
    // A value as the texts write it: two decimals, a point.
    static QString Number(double value);
    // The key of the ordinal of a whole number (one of OrdinalKeys).
    static const char* OrdinalKey(std::int32_t number);
    // How the measure is computed from the current sample: its numeric label's tooltip and
    // accessible description.
    QString Definition(TMeasure measure) const;

private:
    // A translated text with what it was made of: the key, the arguments and the dictionary's
    // load. A pointer move sets the same texts again and again; only a change is translated.
    struct TSpokenText {
        const char* key = nullptr;
        QStringList args;
        std::uint64_t dictionary = 0;
        QString text;
    };
    // What a strip's text says, compared before its numbers are written.
    struct TStripFigures {
        QString name;
        double value = 0;
        double min = 0;
        double max = 0;
        std::uint64_t dictionary = 0;
        bool operator==(const TStripFigures&) const = default;
    };
    // The text of `key` with `args`, translated again only when one of them or the
    // dictionary has changed since `spoken` was made.
    const QString& translated(TSpokenText& spoken, const char* key, const QStringList& args = {});

    TFrmMeasLoc& w;
    std::array<QWidget*, TSampleModel::MeasureCount> strips{};
    TSpokenText histogramName;
    TSpokenText histogramText;
    TSpokenText stripChartName;
    std::array<TSpokenText, TSampleModel::MeasureCount> stripTexts{};
    // What each strip's texts were last written of; none before the first time.
    std::array<std::optional<TStripFigures>, TSampleModel::MeasureCount> stripFigures{};
    // The sample size and dictionary the labels' definitions were last written for: they
    // depend on nothing else, so a pointer move, which keeps the size, leaves them alone.
    std::int32_t definedForCount = 0;
    std::uint64_t definedForDictionary = 0;
};
