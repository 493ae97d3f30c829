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
    TNumLab* NLabMode;
    TNumLab* NLabMedian;
    TNumLab* NLabTrMean;
    TNumLab* NLabMean;
    TPanel* Panel4;
    TRChart* RChart2;
    TRChart* RChart1;
    TRandGen* RandGen;
    QPointer<TkdbDemonClient> clidemon;

    // Texts shown in the help pane, by lesson step (steps 1 and 2 share the second).
    static constexpr std::array<const char*, 2> HelpKeys{"MMText1", "MMText2"};

    std::uint8_t LessonStep() const { return lessonStep; }
    const TSampleModel& Model() const { return model; }
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

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildLayout();
    void arrange();
    void NewRun();
    void MoreData();
    void UpdateCharts();
    void showMeasures();
    void setHelp(int index);
    QString translate(const QString& key) const;

    TSampleModel model;
    std::uint8_t lessonStep = 0;
    TFrmAbout* about = nullptr;
    bool shownOnce = false;
    int activations = 0;
};
