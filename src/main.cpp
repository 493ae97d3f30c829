// Centrova's entry point: the library's start-up seeding, the teacher's command line, the
// lesson run without a window for the print options, and otherwise the windows and the
// message loop.

#include "hostlink/KdbCustomDemon.h"
#include "numerics/TabulatedDistribution.h"
#include "numerics/Uniform.h"
#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "platform/StartupWarmUp.h"
#include "simulation/AboutBox.h"
#include "simulation/CommandLine.h"
#include "simulation/LessonScript.h"
#include "simulation/Measloc.h"
#include "simulation/SampleModel.h"
#include "simulation/ScriptedSteps.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPixmap>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#ifndef CENTROVA_VERSION
#define CENTROVA_VERSION "0"
#endif

namespace {

int printReports(const TCommandLineOptions& options) {
    TTabulatedDistribution generator;
    TLessonScript::ConfigurePopulation(generator);
    TSampleModel model;
    TLessonScript::Run(options, generator, model);
    std::string out;
    if (options.PrintSample)
        out += TLessonScript::SampleCsv(model);
    if (options.PrintMeasures) {
        if (!out.empty())
            out += "\n";
        out += TLessonScript::MeasuresCsv(model);
    }
    std::fputs(out.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// The executable's path without an application object: what the window will look for.
QString executablePath(const char* argv0) {
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString resolved = self.symLinkTarget();
    return resolved.isEmpty() ? QFileInfo(QString::fromLocal8Bit(argv0)).absoluteFilePath()
                              : resolved;
}

int printVersion(const char* argv0) {
    std::string out = "Centrova " CENTROVA_VERSION "\n";
    const QString path =
        TkdbCustomDemon::FindDictionaryFile(executablePath(argv0), QLocale::system().name());
    // A dictionary that cannot be read is none, as for the window.
    TTolkar2000 engine;
    if (path.isEmpty() || !engine.LoadFromFile(path)) {
        out += "dictionary: none found (captions show their keys)\n";
    } else {
        out += "dictionary: " + path.toStdString() + "\n";
        out += "language: " + engine.Translate(QStringLiteral("$dlglanguage$")).toStdString() + "\n";
    }
    std::fputs(out.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// Qt aborts the process when no platform can start. Without a display and without a platform
// chosen there is nothing to open a window on: the program says so, and how to get a picture
// instead, before it tries.
bool windowCanOpen() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int runWindow(int argc, char** argv, const TCommandLineOptions& options) {
    if (!windowCanOpen()) {
        std::fputs("centrova: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); for a picture "
                   "without one run QT_QPA_PLATFORM=offscreen centrova --screenshot centrova.png\n",
                   stderr);
        return 1;
    }
    // The second core reads the fonts and touches the first pictures' memory meanwhile.
    TStartupWarmUp warmUp;
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Centrova"));
    TApplication::setApplicationVersion(QStringLiteral(CENTROVA_VERSION));
    // Docks match the window to its menu entry: by this name on Wayland, and on X11 by the
    // window's class, which is the application name above (the entry's StartupWMClass).
    TApplication::setDesktopFileName(QStringLiteral("example.centrova.Centrova"));
    warmUp.WaitForFonts();

    // The main window from its layout: every component is loaded, the host-link client
    // translates the window and ends a second instance here; then FormCreate. A failure
    // here ends the program, and someone who started it from a menu sees why.
    std::unique_ptr<TFrmMeasLoc> created;
    try {
        created = std::make_unique<TFrmMeasLoc>(TApplication::arguments());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "centrova: %s\n", e.what());
        // A box nobody can see would wait for ever: only on a real display, and not for a
        // scripted screenshot.
        if (TApplication::platformName() != QLatin1String("offscreen") && !options.Screenshot)
            ShowMessage(nullptr, QString::fromLocal8Bit(e.what()));
        return 1;
    }
    TFrmMeasLoc& window = *created;
    auto* about = new TFrmAbout(&window);
    window.SetAboutBox(about);
    warmUp.Release();
    window.show(); // FormShow, then FormActivate: the first sample

    TScriptedSteps::Run(window, options);
    if (options.Screenshot) {
        const QString file = QString::fromStdString(*options.Screenshot);
        if (!window.grab().save(file, "PNG")) {
            std::fprintf(stderr, "centrova: cannot write the screenshot %s\n", file.toLocal8Bit().constData());
            return 1;
        }
        return 0;
    }
    return TApplication::exec();
}

int run(int argc, char** argv) {
    // The library's own start-up has set UniformSeed to 1234 by now (static initialisation);
    // the clock's seed replaces it unless the teacher fixed one.
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const TCommandLineResult parsed = ParseCommandLine(args);
    if (!parsed.Error.empty()) {
        std::fprintf(stderr, "centrova: %s\n%s", parsed.Error.c_str(), UsageText().c_str());
        return 2;
    }
    const TCommandLineOptions& options = parsed.Options;
    if (options.Help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (options.Version)
        return printVersion(argc > 0 ? argv[0] : "centrova");
    if (options.Seed) {
        UniformSeed = *options.Seed;
    } else {
        SeedFromClock();
    }
    if (options.PrintSample || options.PrintMeasures)
        return printReports(options);
    return runWindow(argc, argv, options);
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "centrova: %s\n", e.what());
        return 1;
    }
}
