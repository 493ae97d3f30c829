// Renders the lesson as a teacher sees it, for looking at layouts and translations: the
// start state, a drag in progress and the About box, as PNGs in OUTDIR.
// Usage: window_gallery DICTIONARY.itl OUTDIR
// The dictionary is placed beside this program for the run, where the program looks first.

#include "chart/RChart.h"
#include "platform/Application.h"
#include "simulation/AboutBox.h"
#include "simulation/Measloc.h"
#include "simulation/ScriptedSteps.h"

#include <QDir>
#include <QFile>
#include <QToolButton>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_gallery DICTIONARY.itl OUTDIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    const QString beside = QCoreApplication::applicationDirPath() + "/window_gallery.itl";
    QFile::remove(beside);
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]), beside)) {
        std::fprintf(stderr, "window_gallery: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    int status = 0;
    {
        TFrmMeasLoc window(QStringList{QCoreApplication::applicationFilePath()});
        window.SetAboutBox(new TFrmAbout(&window));
        window.show();
        status |= window.grab().save(out.filePath("start.png")) ? 0 : 1;

        TScriptedSteps::Pick(window, 1);
        TRChart* chart = window.RChart1;
        int px = 0, py = 0;
        chart->WorldToPixel(1, window.Model().SampleData(1), -1.0, px, py);
        for (int i = 1; i <= 40; ++i)
            TScriptedSteps::SendMouse(chart, QEvent::MouseMove, QPointF(px + 6 * i, py));
        status |= window.grab().save(out.filePath("drag.png")) ? 0 : 1;

        TFrmAbout* about = window.AboutBox();
        about->show();
        status |= about->grab().save(out.filePath("about.png")) ? 0 : 1;
        about->hide();
    }
    QFile::remove(beside);
    return status;
}
