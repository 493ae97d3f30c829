#pragma once
// One lesson window for the keyboard and screen-reader tests: its own runtime folder, an
// optional sample seed and dictionary, shown and active, so that real key events reach the
// histogram and the window's shortcuts through the window system's path.

#include "chart/DrawItem.h"
#include "chart/RChart.h"
#include "hostlink/KdbDemonClient.h"
#include "numerics/Uniform.h"
#include "simulation/AboutBox.h"
#include "simulation/Measloc.h"
#include "simulation/MeasureInfo.h"
#include "widgets/NumLab.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

class LessonWindow {
public:
    // With a dictionary, the captions are translated from it as the client does at start.
    explicit LessonWindow(std::optional<std::uint32_t> seed = std::nullopt,
                          const std::string& dictionary = {}) {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        if (seed)
            UniformSeed = *seed;
        window = std::make_unique<TFrmMeasLoc>(QStringList{QCoreApplication::applicationFilePath()});
        if (!dictionary.empty()) {
            std::istringstream in(dictionary);
            window->clidemon->Engine().LoadFromStream(in);
            for (QToolButton* b : buttons())
                b->setText("TK_" + b->text());
            for (const TMeasureInfo& measure : MeasureTable) {
                TNumLab* n = window->MeasureLabel(measure.Id);
                n->SetLeftText("TK_" + n->LeftText());
            }
            window->clidemon->Engine().TranslateComponent(window.get());
        }
        window->SetAboutBox(new TFrmAbout(window.get()));
        window->show();
        window->activateWindow();
        ok = QTest::qWaitForWindowActive(window.get());
    }
    TFrmMeasLoc& w() { return *window; }
    std::vector<QToolButton*> buttons() {
        return {window->SBExit, window->SBReset, window->SBAddData, window->SBNext,
                window->SBAbout};
    }
    // A key as the window system delivers it: to the focus widget, through the shortcuts.
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(window->windowHandle(), k, m);
    }
    QPoint onChart(double x, double y) {
        int px = 0, py = 0;
        window->RChart1->WorldToPixel(1, x, y, px, py);
        return window->RChart1->mapTo(window.get(), QPoint(px, py));
    }
    void moveTo(double x, double y) { QTest::mouseMove(window->windowHandle(), onChart(x, y)); }
    void clickAt(double x, double y) {
        const QPoint at = onChart(x, y);
        QTest::mouseMove(window->windowHandle(), at);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    }
    std::vector<TDrawItem> items(TRChart* chart) {
        std::vector<TDrawItem> out(static_cast<std::size_t>(chart->Count()));
        for (int i = 0; i < chart->Count(); ++i)
            chart->GetItem(i, out[static_cast<std::size_t>(i)]);
        return out;
    }
    // Runs the event loop until `done` holds, at most about two seconds.
    static bool waitFor(const std::function<bool()>& done) {
        for (int i = 0; i < 100 && !done(); ++i)
            QTest::qWait(20);
        return done();
    }
    // Clicks the About box's OK as soon as it shows (it runs modally); returns whether it did.
    std::shared_ptr<bool> closeAboutWhenShown() {
        auto closed = std::make_shared<bool>(false);
        auto* timer = new QTimer(window.get());
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer, closed] {
            if (window->AboutBox()->isVisible()) {
                *closed = true;
                window->AboutBox()->BButOK->click();
                timer->deleteLater();
                // The window manager gives the main window back its activation.
                QTimer::singleShot(0, window.get(), [this] { window->activateWindow(); });
            }
        });
        timer->start(10);
        return closed;
    }

    QTemporaryDir runtime;
    std::unique_ptr<TFrmMeasLoc> window;
    bool ok = false;
};
