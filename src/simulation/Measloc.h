#pragma once
// TFrmMeasLoc, the lesson's main window: the button bar, the help pane, the histogram with
// its rug of sample marks, the strip chart of the four measures and their ranges, and the
// four numeric labels. It owns the generator, the host-link client and the sample model,
// and every handler ends by redrawing what changed.

#include "simulation/SampleModel.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>

class QTextEdit;
class QToolButton;
class TFrmAbout;
class TkdbDemonClient;
class TLessonKeys;
class TLessonSpeech;
class TNumLab;
class TPanel;
class TRandGen;
class TRChart;

class TFrmMeasLoc : public QWidget {
    Q_OBJECT
public:
    // Builds the layout; then every component's loaded step runs (the host-link client loads
    // the dictionary, translates the window and may end a second instance), then FormCreate.
    explicit TFrmMeasLoc(const QStringList& arguments, QWidget* owner = nullptr);
    ~TFrmMeasLoc() override;

    // The About box, created after this window; FormShow and FormActivate use it.
    void SetAboutBox(TFrmAbout* box) { about = box; }
    TFrmAbout* AboutBox() const { return about; }

    TPanel* Panel1;
    QToolButton* SBExit;
    QToolButton* SBReset;
    QToolButton* SBAddData;
    QToolButton* SBNext;
    QToolButton* SBAbout;
    QTextEdit* MemoHelp;
    TPanel* Panel3;
    // The numeric labels of the measures, also reached through MeasureLabel.
    TNumLab* NLabMode;
    TNumLab* NLabMedian;
    TNumLab* NLabTrMean;
    TNumLab* NLabMean;
    TPanel* Panel4;
    TRChart* RChart2;
    TRChart* RChart1;
    TRandGen* RandGen;
    QPointer<TkdbDemonClient> clidemon;

    // The strip chart: one band per measure, BandHeight high, in the measure table's order
    // from the bottom up; its y runs from 0 to StripTop.
    static constexpr double BandHeight = 3.0;
    static constexpr double StripTop = BandHeight * TSampleModel::MeasureCount;
    // The numeric labels stand in the strip chart's order, top down, LabelPitch pixels apart.
    static constexpr int FirstLabelTop = 12;
    static constexpr int LabelPitch = 24;

    // Texts shown in the help pane, by lesson step (steps 1 and 2 share the second).
    static constexpr std::array<const char*, 2> HelpKeys{"MMText1", "MMText2"};

    std::uint8_t LessonStep() const { return lessonStep; }
    const TSampleModel& Model() const { return model; }
    // The numeric label that shows the measure m.
    TNumLab* MeasureLabel(TMeasure m) const;
    // How many times FormActivate has run: each run started a new sample.
    int Activations() const { return activations; }

    void FormCreate();
    void FormShow();
    void FormActivate();
    void SBExitClick();
    void SBResetClick();
    void SBAddDataClick();
    void SBNextClick();
    void SBAboutClick();
    void RChart1Click();
    void RChart1MouseMove();
    void clidemonParamsChange();

    // The lesson's moves on the histogram, the same for the pointer and the keys: pick the
    // value x (step 1 to 2), move the picked value to x (step 2), put it down (step 2 to 1).
    void PickValue(double x);
    void MovePickedTo(double x);
    void PutDown();
    // Rebuilds both charts from the model and tells a screen reader what they show.
    void UpdateCharts();
    // The dictionary's text for a key, with its <%1%>-style placeholders filled in.
    QString Translate(const QString& key, const QStringList& args = {}) const;
    // Which load of the dictionary Translate reads (0 without one): texts translated before
    // another load may be out of date.
    std::uint64_t DictionaryLoad() const;

    TLessonKeys* Keys() const { return keys; }
    TLessonSpeech* Speech() const { return speech; }

    // The first display places the window, gives the histogram the focus, and runs
    // FormShow and FormActivate before anything is shown.
    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildLayout();
    void arrange();
    void NewRun();
    void MoreData();
    void showMeasures();
    void setHelp(int index);

    TSampleModel model;
    std::array<TNumLab*, TSampleModel::MeasureCount> measureLabels{};
    std::uint8_t lessonStep = 0;
    TFrmAbout* about = nullptr;
    bool shownOnce = false;
    int activations = 0;
    TLessonKeys* keys = nullptr;
    TLessonSpeech* speech = nullptr;
};
