// Renders the lesson's histogram set-up (x 0..25, y -3.5..20, a dotted silver grid, 26
// yellow 3-D bars and red marks under the zero line) into a PNG, to look at the chart.
// Usage: chart_gallery OUT.png

#include "chart/RChart.h"
#include "numerics/TabulatedDistribution.h"
#include "numerics/Uniform.h"
#include "simulation/LessonScript.h"
#include "simulation/SampleModel.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: chart_gallery OUT.png\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);

    TRChart chart;
    chart.setFont(font);
    chart.resize(478, 290);
    chart.SetMarginLeft(50);
    chart.SetMarginRight(8);
    chart.SetMarginTop(6);
    chart.SetMarginBottom(40);
    chart.SetGridStyle(gsDotLines);
    chart.SetGridColor(clSilver);
    chart.SetAutoRedraw(false);
    chart.XAxis(1)->SetFont(font);
    chart.YAxis(1)->SetFont(font);
    chart.Loaded();
    chart.show();

    UniformSeed = 1234;
    TTabulatedDistribution generator;
    TLessonScript::ConfigurePopulation(generator);
    TSampleModel model;
    model.NewRun([&] { return generator.RandomValue(); });

    chart.ClearDrawing();
    chart.SetDataColor(clBlack);
    chart.SetRange(1, 0.0, -3.5, 25.0, 20.0);
    chart.SetGridDx(5.0);
    chart.SetGridDy(20.0);
    for (int p = 1; p <= model.SampleCount(); ++p) {
        chart.SetDataColor(p == 3 ? clBlue : clRed);
        chart.AddLine(model.SampleData(p), -1.0, model.SampleData(p), -2.5);
    }
    chart.SetDataColor(clBlack);
    chart.SetFillColor(clYellow);
    for (int c = 0; c < 26; ++c) {
        chart.AddBar3D(c, 0, c + 1, model.ClassCounts(c), 10, 45);
    }
    chart.ShowDrawing();
    if (!chart.WindowImage().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "chart_gallery: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
