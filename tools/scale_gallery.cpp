// Renders a sheet of stand-alone axis scales (both orientations, linear and logarithmic,
// each frame style) into one PNG, to look at what the scale control draws.
// Usage: scale_gallery OUT.png [dates]   (dates: date scales over an hour, a week, a year
// and a century instead)

#include "chart/Scale.h"
#include "platform/Canvas.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QLocale>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct Sample {
    TScaleType type;
    int w, h;
    double low, high;
    bool log;
    TFrameStyle frame;
    const char* caption;
    TFigType labels = ftNum;
};

} // namespace

int main(int argc, char** argv) {
    const bool dates = argc == 3 && std::strcmp(argv[2], "dates") == 0;
    if (argc != 2 && !dates) {
        std::fprintf(stderr, "usage: scale_gallery OUT.png [dates]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const double d0 = 45000; // 15 March 2023
    const Sample dateSamples[] = {
        {sctXB, 300, 60, d0 + 0.5, d0 + 0.5 + 1.0 / 24, false, fsLowered, "an hour", ftDateTime},
        {sctXT, 300, 60, d0, d0 + 7, false, fsLowered, "a week", ftDateTime},
        {sctXB, 300, 60, d0, d0 + 365, false, fsLowered, "a year", ftDateTime},
        {sctXT, 300, 60, 0, 36525, false, fsLowered, "a century", ftDateTime},
        {sctXB, 300, 60, 0, 7200, false, fsLowered, "ftTime 2 h", ftTime},
        {sctXT, 300, 60, d0 + 1, d0, false, fsLowered, "reversed", ftDateTime},
    };
    const Sample dateUpright[] = {
        {sctYL, 80, 300, d0, d0 + 2, false, fsLowered, "2 days", ftDateTime},
        {sctYR, 80, 300, d0, d0 + 365, false, fsLowered, "year", ftDateTime},
        {sctYL, 80, 300, 0, 36525, false, fsLowered, "century", ftDateTime},
    };
    const Sample numberSamples[] = {
        {sctXB, 300, 60, 0, 100, false, fsLowered, "sctXB 0..100"},
        {sctXT, 300, 60, 0, 1, false, fsRaised, "sctXT 0..1"},
        {sctXB, 300, 60, 100, 0, false, fsEmbossed, "reversed"},
        {sctXT, 300, 60, 0, 2000000, false, fsEngraved, "scientific"},
        {sctXB, 300, 60, 1, 1000, true, fsSimple, "log 1..1000"},
        {sctXT, 300, 60, 0.01, 100, true, fsNone, "log 0.01..100"},
    };
    const Sample numberUpright[] = {
        {sctYL, 80, 300, 0, 20, false, fsLowered, "YL"},
        {sctYR, 80, 300, -5, 5, false, fsRaised, "YR"},
        {sctYL, 80, 300, 1, 10000, true, fsEngraved, "log"},
    };
    QImage sheet(320 + 3 * 90, 6 * 70 + 10, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    auto canvas = std::make_unique<Canvas>(sheet);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    auto place = [&](const Sample& s, int x, int y) {
        TScale scale;
        scale.resize(s.w, s.h);
        scale.SetFont(font);
        scale.SetScaleType(s.type);
        scale.SetRangeLow(s.low);
        scale.SetRangeHigh(s.high);
        scale.SetFrameStyle(s.frame);
        scale.SetLabelType(s.labels);
        scale.SetCaption(QString::fromLatin1(s.caption));
        scale.SetCaptionAnchor(uaSclCenter);
        if (s.type == sctYL || s.type == sctYR) {
            scale.SetMarginLeft(s.type == sctYL ? 10 : 60);
            scale.SetMarginRight(s.type == sctYL ? 60 : 10);
        } else {
            scale.SetMarginTop(s.type == sctXT ? 10 : 40);
            scale.SetMarginBottom(s.type == sctXT ? 40 : 10);
            scale.SetCaptionPosY(s.type == sctXT ? 24 : -36);
        }
        scale.Loaded();
        if (s.log) {
            scale.SetLogarithmic(true);
            scale.SetMinTicks(10);
        }
        scale.SetPaintTarget(canvas.get(), x, y);
        scale.ForcePaint();
    };
    int y = 5;
    for (const Sample& s : dates ? dateSamples : numberSamples) {
        place(s, 5, y);
        y += 70;
    }
    int x = 320;
    for (const Sample& s : dates ? dateUpright : numberUpright) {
        place(s, x, 5);
        x += 90;
    }
    canvas.reset(); // finish painting before the sheet is written
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "scale_gallery: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
