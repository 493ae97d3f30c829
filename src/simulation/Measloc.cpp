#include "simulation/Measloc.h"

#include "chart/RChart.h"
#include "hostlink/KdbDemonClient.h"
#include "numerics/RandGen.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Glyph.h"
#include "simulation/AboutBox.h"
#include "simulation/LessonKeys.h"
#include "simulation/LessonSpeech.h"
#include "simulation/MeasureInfo.h"
#include "widgets/NumLab.h"
#include "widgets/Panel.h"
#include "widgets/UrlLab.h"

#include <QApplication>
#include <QTextEdit>
#include <QScreen>
#include <QToolButton>

namespace {

constexpr TColor clBand = RGBColor(192, 206, 206);
constexpr int ButtonBarHeight = 37;
constexpr int HelpHeight = 73;
constexpr int LabelColumnWidth = 180;
constexpr int StripHeight = 105;
constexpr int AboutRightGap = 666 - 548; // SBAbout keeps this distance to the right edge

QFont layoutFont(const char* family, int pixels, bool bold = false) {
    QFont f{QLatin1String(family)};
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QToolButton* speedButton(QWidget* parent, const char* name, int x, const char* caption,
                         const char* glyph) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(x, 4, 105, 29);
    b->setText(QLatin1String(caption));
    b->setIcon(GlyphIcon(QLatin1String(glyph)));
    b->setIconSize(QSize(20, 20));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFocusPolicy(Qt::NoFocus); // speed buttons never take the focus
    return b;
}

TNumLab* numLab(QWidget* parent, const QString& name, int y, const QString& leftText) {
    auto* l = new TNumLab(parent);
    l->setObjectName(name);
    l->setGeometry(0, y, 177, 22);
    l->SetDisplayType(dtFixP);
    l->SetPrecision(2);
    l->SetAlignment(taCenter);
    l->SetColorScheme(csBWG);
    l->SetColorLabBakG(clSilver);
    l->SetColorLabText(clBlack);
    l->SetColorOutBakG(clBtnFace);
    l->SetColorOutText(clBlack);
    l->SetFrameStyle(fsLowered);
    l->SetLabelWidth(64);
    l->SetLeftSpace(110);
    l->SetLeftTextAlignment(taRightJustify);
    l->SetRightTextAlignment(taLeftJustify);
    l->SetComma(false);
    l->SetForcePlusSign(false);
    l->SetEmpty(false);
    l->SetTransparent(false);
    l->SetOverflowIndicator(QStringLiteral("*********"));
    l->SetStateText(QStringLiteral("undefined"));
    l->SetDTFormat(QStringLiteral("mmm-dd, yyyy"));
    l->SetLeftText(leftText);
    l->SetFont(layoutFont("Arial", 13));
    return l;
}

TRChart* chart(QWidget* parent, const char* name) {
    auto* c = new TRChart(parent);
    c->setObjectName(QLatin1String(name));
    c->SetAllocSize(1000);
    c->SetMarginLeft(50);
    c->SetMarginRight(8);
    c->SetMouseAction(maNone);
    c->SetShadowStyle(ssFlying);
    return c;
}

} // namespace

TFrmMeasLoc::TFrmMeasLoc(const QStringList& arguments, QWidget* owner) : QWidget(owner) {
    buildLayout();
    clidemon = new TkdbDemonClient(this, arguments);
    clidemon->SetAutoTranslate(true);
    clidemon->SetAutoCreateItlFile(false);
    clidemon->SetMultiStart(false);
    clidemon->SetUseQuenlorServer(false);
    clidemon->OnParamsChange = [this](QObject*) { clidemonParamsChange(); };

    // The layout is complete: every component's loaded step, in ownership order.
    RChart2->Loaded();
    RChart1->Loaded();
    clidemon->Loaded();
    keys = new TLessonKeys(*this);
    speech = new TLessonSpeech(*this);
    FormCreate();
}

TFrmMeasLoc::~TFrmMeasLoc() {
    // The keys go while the histogram and the buttons they watch and style still exist.
    delete keys;
    keys = nullptr;
    // The client goes first and on its own: it says goodbye to the host and ends the
    // application, while the charts it might translate still exist.
    delete clidemon.data();
}

void TFrmMeasLoc::buildLayout() {
    setObjectName(QStringLiteral("FrmMeasLoc"));
    setWindowTitle(QStringLiteral("TK_Measures of Location"));
    setWindowIcon(ImageIcon(QStringLiteral(":/images/centrova")));
    setMinimumSize(666, 480);
    resize(666, 538);
    setFont(layoutFont("Arial", 13));
    QPalette face = palette();
    face.setColor(QPalette::Window, ToQColor(clBtnFace));
    face.setColor(QPalette::WindowText, ToQColor(clBlack));
    setPalette(face);
    setAutoFillBackground(true);

    Panel1 = new TPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    SBExit = speedButton(Panel1, "SBExit", 4, "TK_Exit", ":/images/exit");
    SBReset = speedButton(Panel1, "SBReset", 112, "TK_Reset", ":/images/reset");
    SBAddData = speedButton(Panel1, "SBAddData", 220, "TK_More Data", ":/images/moredata");
    SBNext = speedButton(Panel1, "SBNext", 328, "TK_Next", ":/images/next");
    SBAbout = speedButton(Panel1, "SBAbout", 548, "TK_About", ":/images/about");
    connect(SBExit, &QToolButton::clicked, this, [this] { SBExitClick(); });
    connect(SBReset, &QToolButton::clicked, this, [this] { SBResetClick(); });
    connect(SBAddData, &QToolButton::clicked, this, [this] { SBAddDataClick(); });
    connect(SBNext, &QToolButton::clicked, this, [this] { SBNextClick(); });
    connect(SBAbout, &QToolButton::clicked, this, [this] { SBAboutClick(); });

    // The help pane reads like a note pinned to the window: nothing to select, type or tab to.
    MemoHelp = new QTextEdit(this);
    MemoHelp->setObjectName(QStringLiteral("MemoHelp"));
    MemoHelp->setReadOnly(true);
    MemoHelp->setTextInteractionFlags(Qt::NoTextInteraction);
    MemoHelp->setContextMenuPolicy(Qt::NoContextMenu);
    MemoHelp->setFocusPolicy(Qt::NoFocus);
    MemoHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoHelp->document()->setDocumentMargin(2);
    MemoHelp->viewport()->setCursor(Qt::ArrowCursor);
    MemoHelp->setFont(layoutFont("MS Sans Serif", 13));
    QPalette info = MemoHelp->palette();
    info.setColor(QPalette::Base, ToQColor(clInfoBk));
    info.setColor(QPalette::Text, ToQColor(clInfoText));
    MemoHelp->setPalette(info);

    Panel3 = new TPanel(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    // One label per measure, the top one first: the strip chart's order seen from the top.
    for (std::size_t i = 0; i < MeasureTable.size(); ++i) {
        const TMeasureInfo& info = MeasureTable.at(MeasureTable.size() - 1 - i);
        measureLabels.at(static_cast<std::size_t>(info.Id)) =
            numLab(Panel3, QStringLiteral("NLab") + QLatin1String(info.ShortName),
                   FirstLabelTop + LabelPitch * static_cast<int>(i),
                   QStringLiteral("TK_") + QLatin1String(info.CaptionKey));
    }
    NLabMode = MeasureLabel(msMode);
    NLabMedian = MeasureLabel(msMedian);
    NLabTrMean = MeasureLabel(msTrimmedMean);
    NLabMean = MeasureLabel(msMean);

    Panel4 = new TPanel(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    RChart2 = chart(Panel4, "RChart2");
    RChart2->SetAutoRedraw(true);
    RChart2->SetMarginTop(4);
    RChart2->SetMarginBottom(1);
    RChart2->SetGridStyle(gsNone);
    RChart2->XAxis(1)->SetVisible(false);
    RChart2->YAxis(1)->SetVisible(false);
    RChart2->SetShadowColor(clGrayText);
    RChart2->SetShadowBakColor(clBtnFace);
    RChart2->setFont(layoutFont("MS Sans Serif", 13, true));
    RChart2->setFocusPolicy(Qt::NoFocus); // the keys work the histogram; the strip only shows

    RChart1 = chart(Panel4, "RChart1");
    RChart1->SetAutoRedraw(false);
    RChart1->SetMarginTop(6);
    RChart1->SetMarginBottom(40);
    RChart1->SetGridStyle(gsDotLines);
    RChart1->SetGridColor(clSilver);
    RChart1->XAxis(1)->SetVisible(true);
    RChart1->XAxis(1)->SetScaleLocation(slBottom);
    RChart1->XAxis(1)->SetDecPlaces(0);
    RChart1->YAxis(1)->SetVisible(true);
    RChart1->YAxis(1)->SetScaleLocation(slLeft);
    RChart1->YAxis(1)->SetDecPlaces(0);
    RChart1->YAxis(1)->SetShortTicks(false);
    RChart1->XAxis(1)->SetFont(layoutFont("MS Sans Serif", 13));
    RChart1->YAxis(1)->SetFont(layoutFont("MS Sans Serif", 13));
    RChart1->SetShadowColor(clGray);
    RChart1->SetShadowBakColor(clSilver);
    RChart1->setFont(layoutFont("Arial", 13));
    RChart1->OnClick = [this](QObject*) { RChart1Click(); };
    RChart1->OnMouseMove = [this](QObject*, Qt::KeyboardModifiers, Qt::MouseButtons, int, int) {
        RChart1MouseMove();
    };

    RandGen = new TRandGen(this);
    RandGen->setObjectName(QStringLiteral("RandGen"));
    RandGen->SetResolution(TSampleModel::Population.Resolution);
    arrange();
}

void TFrmMeasLoc::arrange() {
    // Panels aligned top, top, right and to the rest, as the layout has them.
    const int w = width();
    const int h = height();
    Panel1->setGeometry(0, 0, w, ButtonBarHeight);
    SBAbout->move(std::max(0, w - AboutRightGap), 4);
    MemoHelp->setGeometry(0, ButtonBarHeight, w, HelpHeight);
    const int top = ButtonBarHeight + HelpHeight;
    const int rest = std::max(0, h - top);
    Panel3->setGeometry(std::max(0, w - LabelColumnWidth), top, LabelColumnWidth, rest);
    const int chartsWidth = std::max(0, w - LabelColumnWidth);
    Panel4->setGeometry(0, top, chartsWidth, rest);
    RChart2->setGeometry(0, 0, chartsWidth, StripHeight);
    RChart1->setGeometry(0, StripHeight, chartsWidth, std::max(0, rest - StripHeight));
    if (speech)
        speech->Update(); // the strips follow the strip chart's new size
}

void TFrmMeasLoc::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

void TFrmMeasLoc::setVisible(bool visible) {
    // The first display starts the lesson while the window and its components are still
    // hidden: the charts and labels then draw the first sample once, as they appear, rather
    // than their empty state first and the sample over it.
    const bool first = visible && !shownOnce;
    if (first) {
        shownOnce = true;
        if (const QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - rect().center());
        }
        RChart1->setFocus(); // the keys work the histogram from the start
        FormShow();
        // The first display makes this the program's active window.
        FormActivate();
    }
    QWidget::setVisible(visible);
    // The charts take their sizes as they are shown; the strips that speak for the strip
    // chart's bands follow its size.
    if (first && speech)
        speech->Update();
}

QString TFrmMeasLoc::Translate(const QString& key, const QStringList& args) const {
    if (clidemon)
        return clidemon->Engine().Translate(key, args);
    // As the engine answers a key it lacks: the key itself, placeholders filled in.
    QString text = key;
    for (int j = 0; j < args.size(); ++j)
        text.replace(QStringLiteral("<%%1%>").arg(j + 1), args.at(j));
    return text;
}

std::uint64_t TFrmMeasLoc::DictionaryLoad() const {
    return clidemon ? clidemon->Engine().Dictionary().LoadNumber() : 0;
}

void TFrmMeasLoc::setHelp(int index) {
    const std::size_t at = static_cast<std::size_t>(std::clamp(index, 0, 1));
    QString text = Translate(QLatin1String(HelpKeys.at(at)));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    MemoHelp->setPlainText(text);
}

void TFrmMeasLoc::FormCreate() {
    lessonStep = 0;
    setHelp(0);
    constexpr TPopulation p = TSampleModel::Population;
    RandGen->SetResolution(p.Resolution);
    RandGen->SetLowBorder(p.LowBorder);
    RandGen->SetHighBorder(p.HighBorder);
    RandGen->SetNormalDistribution(p.Mean, p.StandardDeviation);
}

void TFrmMeasLoc::FormShow() {
    if (!about)
        return;
    about->LblName->setText(QStringLiteral("Centrova"));
    about->LblVersion->setText(QStringLiteral("Version 1.3"));
    about->UrlLabHomepage->SetURL(Translate(QStringLiteral("HomePageURL")));
    const QString language = Translate(QStringLiteral("$dlglanguage$")).toLower();
    if (clidemon)
        clidemon->Engine().TranslateComponent(about);
    if (language == QLatin1String("lggerman")) {
        about->LblWebSite->setText(
            QString::fromUtf8("Mehr Informationen finden Sie auf folgenden Webseiten:"));
        about->LblDescription->setText(QString::fromUtf8(
            "Dieses Programm zeigt die Abhängigkeit der univariaten Lagemaße von der Verteilung "
            "der Daten. Es ist eine Simulation des Centrova-Projekts für den Statistikunterricht. "
            "Es ist in C++ mit der Bibliothek Qt 6 geschrieben."));
    } else {
        about->LblWebSite->setText(
            QStringLiteral("More information can be found at the following Web sites:"));
        about->LblDescription->setText(QStringLiteral(
            "This program shows the effects of the distribution of data on the measures of "
            "location. It is a simulation of the Centrova project for teaching statistics. It "
            "is written in C++ with the Qt 6 toolkit."));
    }
}

void TFrmMeasLoc::FormActivate() {
    ++activations;
    if (about && clidemon)
        clidemon->Engine().TranslateComponent(about);
    NewRun();
}

TNumLab* TFrmMeasLoc::MeasureLabel(TMeasure m) const {
    const auto i = static_cast<std::size_t>(m);
    return i < measureLabels.size() ? measureLabels.at(i) : nullptr;
}

void TFrmMeasLoc::showMeasures() {
    for (const TMeasureInfo& info : MeasureTable)
        MeasureLabel(info.Id)->SetValue(model.Value(info.Id));
}

void TFrmMeasLoc::NewRun() {
    lessonStep = 0;
    SBNext->setEnabled(true);
    SBAddData->setEnabled(true);
    setHelp(0);
    if (keys)
        keys->ForgetChoice();

    RChart1->ClearDrawing();
    RChart2->ClearDrawing();
    RChart1->SetDataColor(clBlack);
    RChart1->SetRange(1, 0.0, -3.5, 25.0, 20.0);
    RChart1->SetGridDx(5.0);
    RChart1->SetGridDy(20.0);

    // The model resets the ranges, the counts and the selection, and draws 30 values.
    model.NewRun([this] { return RandGen->RandomValue(); });
    showMeasures();
    RChart2->SetRange(1, 0.0, 0.0, 25.0, StripTop);
    UpdateCharts();
}

void TFrmMeasLoc::MoreData() {
    if (model.SampleCount() + TSampleModel::MoreDataSize > TSampleModel::MaxSampleCount)
        return;
    RChart2->ClearDrawing();
    model.MoreData([this] { return RandGen->RandomValue(); });
    showMeasures();
    if (model.SampleCount() >= 80)
        SBAddData->setEnabled(false);
    UpdateCharts();
}

void TFrmMeasLoc::UpdateCharts() {
    RChart1->ClearDrawing();
    // The picked mark comes last, so that no red mark in its pixel column hides it.
    const std::int32_t picked = model.SelectedSample();
    RChart1->SetDataColor(clRed);
    for (std::int32_t p = 1; p <= model.SampleCount(); ++p) {
        if (p == picked)
            continue;
        const double v = model.SampleData(p);
        RChart1->AddLine(v, -1.0, v, -2.5);
    }
    if (picked >= 1 && picked <= model.SampleCount()) {
        const double v = model.SampleData(picked);
        RChart1->SetDataColor(clBlue);
        RChart1->AddLine(v, -1.0, v, -2.5);
    }
    RChart1->SetFillColor(clYellow);
    RChart1->SetDataColor(clBlack);
    for (std::int32_t c = 0; c < TSampleModel::ClassCount; ++c)
        RChart1->AddBar3D(c, 0.0, c + 1, model.ClassCounts(c), 10, 45);
    if (keys)
        keys->AddChoiceMarker();
    RChart1->ShowDrawing();

    // Every band holds all earlier values of its measure, so a fresh drawing shows what the
    // accumulated one would; starting afresh keeps the strip at a band and a line per measure
    // and the separators through a drag.
    RChart2->ClearDrawing();
    RChart2->SetFillColor(clBand);
    for (std::size_t i = 0; i < MeasureTable.size(); ++i) {
        const double y0 = BandHeight * static_cast<double>(i);
        const double y1 = y0 + BandHeight;
        const TMeasureRange range = model.MeasureRange(MeasureTable.at(i).Id);
        const double value = model.Value(MeasureTable.at(i).Id);
        RChart2->SetDataColor(clBand);
        RChart2->AddRectangle(range.Min, y0, range.Max, y1);
        RChart2->SetDataColor(clNavy);
        RChart2->AddLine(value, y0, value, y1);
    }
    RChart2->SetDataColor(clGray);
    // A separator between each two bands.
    for (std::size_t i = 1; i < MeasureTable.size(); ++i) {
        const double y = BandHeight * static_cast<double>(i);
        RChart2->AddLine(0, y, 25, y);
    }
    RChart2->ShowDrawing();
    if (speech)
        speech->Update();
}

void TFrmMeasLoc::SBNextClick() {
    if (lessonStep == 0) {
        lessonStep = 1;
        setHelp(1);
        if (keys && keys->CuesShown())
            UpdateCharts(); // the chosen mark appears
    }
    if (lessonStep == 1)
        SBNext->setEnabled(false);
}

void TFrmMeasLoc::SBResetClick() {
    lessonStep = 0;
    setHelp(0);
    SBNext->setEnabled(true);
    NewRun();
}

void TFrmMeasLoc::SBAddDataClick() {
    MoreData();
}

void TFrmMeasLoc::SBAboutClick() {
    if (!about)
        return;
    about->exec();
    // Closing the About box gives the main window back its activation.
    FormActivate();
}

void TFrmMeasLoc::SBExitClick() {
    close();
}

void TFrmMeasLoc::RChart1Click() {
    if (lessonStep == 1) {
        double distance = 0.0;
        const int index = RChart1->FindNearestItem(RChart1->MouseWorldX(), RChart1->MouseWorldY(),
                                                   dkLine, 255, distance);
        if (index < 0)
            return;
        TDrawItem item;
        RChart1->GetItem(index, item);
        PickValue(item.X1);
    } else if (lessonStep == 2) {
        PutDown();
    }
}

void TFrmMeasLoc::RChart1MouseMove() {
    if (lessonStep != 2)
        return;
    MovePickedTo(RChart1->MouseWorldX());
}

void TFrmMeasLoc::PickValue(double x) {
    if (lessonStep != 1)
        return;
    model.PickSample(x);
    lessonStep = 2;
    UpdateCharts();
}

void TFrmMeasLoc::MovePickedTo(double x) {
    if (lessonStep != 2)
        return;
    model.MoveSelected(x);
    showMeasures();
    UpdateCharts();
}

void TFrmMeasLoc::PutDown() {
    if (lessonStep != 2)
        return;
    // The keys go on from the value just put down.
    if (keys)
        keys->Choose(model.SelectedSample());
    model.ReleaseSelected();
    lessonStep = 1;
    UpdateCharts();
}

void TFrmMeasLoc::clidemonParamsChange() {
    show();
    raise();
    activateWindow();
}
