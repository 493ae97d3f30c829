// The real program as a student starts it: its screenshot on the offscreen platform and
// under a real X server, the single instance, and --version. Every wait is bounded.

#include "platform/Canvas.h"
#include "platform/Colors.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace {

constexpr int WaitMs = 30000;

struct ProcessRun {
    int exitCode = -1;
    QString err;
    QString out;
};

ProcessRun runIn(const QProcessEnvironment& env, const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    ProcessRun r;
    if (!p.waitForFinished(WaitMs)) {
        p.kill();
        p.waitForFinished(WaitMs);
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromUtf8(p.readAllStandardError());
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    return r;
}

QProcessEnvironment privateEnvironment(const QTemporaryDir& runtime) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    return env;
}

int count(const QImage& image, const QRect& area, TColor color) {
    const QRgb want = ToQColor(color).rgb() & 0xFFFFFF;
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == want ? 1 : 0;
    return n;
}

// The window's regions by its layout: the strip at 110..214, the histogram below, both 486
// wide; the label column right of them.
void checkLessonPicture(const QImage& image) {
    ASSERT_EQ(image.size(), QSize(666, 538));
    const QRect strip(0, 110, 486, 105);
    const QRect histogram(0, 215, 486, 323);
    const QRect labels(486, 110, 180, 100);
    EXPECT_GT(count(image, histogram, clYellow), 2000);  // the bars
    EXPECT_GE(count(image, histogram, clRed), 30 * 10);  // 30 marks, 1.5 units high
    EXPECT_GE(count(image, strip, clNavy), 4 * 20);      // a line per measure
    EXPECT_GT(count(image, labels, clSilver), 4 * 500);  // the four label boxes
    EXPECT_GT(count(image, QRect(0, 37, 666, 73), RGBColor(255, 255, 225)), 10000); // help
}

} // namespace

TEST(Window, ScreenshotOnTheOffscreenPlatform) {
    QTemporaryDir runtime;
    QProcessEnvironment env = privateEnvironment(runtime);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const QString file = runtime.filePath("start.png");
    const ProcessRun r = runIn(env, CENTROVA_EXECUTABLE, {"--seed", "1234", "--screenshot", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    checkLessonPicture(QImage(file));

    // A drag through the window: the value ends at the target, the mark red again.
    const QString dragged = runtime.filePath("drag.png");
    const ProcessRun d = runIn(env, CENTROVA_EXECUTABLE,
                        {"--seed", "1234", "--count", "90", "--drag", "3:24", "--screenshot", dragged});
    ASSERT_EQ(d.exitCode, 0) << d.err.toStdString();
    const QImage after(dragged);
    checkLessonPicture(after);
    EXPECT_EQ(count(after, QRect(0, 215, 486, 323), clBlue), 0);

    const ProcessRun bad = runIn(env, CENTROVA_EXECUTABLE, {"--screenshot", "/no/such/dir/x.png"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains("cannot write the screenshot")) << bad.err.toStdString();
}

TEST(Window, ScreenshotUnderARealXServer) {
    const QString xvfb = QStandardPaths::findExecutable("xvfb-run");
    if (xvfb.isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed";
    QTemporaryDir runtime;
    QProcessEnvironment env = privateEnvironment(runtime);
    env.insert("QT_QPA_PLATFORM", "xcb");
    const QString file = runtime.filePath("x.png");
    // A display searched from a number of this test's own: the install test starts a server
    // too, and two searches from the same number at once can both take it.
    const ProcessRun r = runIn(env, xvfb,
                        {"-a", "-n", "120", "-s", "-screen 0 1024x768x24", CENTROVA_EXECUTABLE,
                         "--seed", "1234", "--screenshot", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    checkLessonPicture(QImage(file));
}

TEST(Window, SecondInstanceEndsWithZero) {
    QTemporaryDir runtime;
    QProcessEnvironment env = privateEnvironment(runtime);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(CENTROVA_EXECUTABLE, {"--seed", "1"});
    ASSERT_TRUE(first.waitForStarted(WaitMs));
    // The first instance holds its lock once its window is up.
    const QString lock = runtime.path() + "/tavimor/lock-TV_centrova";
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(lock) && timer.elapsed() < WaitMs)
        QThread::msleep(20);
    ASSERT_TRUE(QFile::exists(lock));
    QThread::msleep(200);
    const ProcessRun second = runIn(env, CENTROVA_EXECUTABLE, {"--seed", "2", "--screenshot", runtime.filePath("s.png")});
    EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_FALSE(QFile::exists(runtime.filePath("s.png"))); // it ended before its window
    EXPECT_EQ(first.state(), QProcess::Running);
    first.terminate();
    if (!first.waitForFinished(WaitMs)) {
        first.kill();
        first.waitForFinished(WaitMs);
    }
}

TEST(Window, AnUnsafeRuntimeFolderIsAClearError) {
    // Another user could reach the endpoints in a folder open to all: the program refuses it.
    QTemporaryDir runtime;
    ASSERT_TRUE(QDir(runtime.path()).mkdir("tavimor"));
    QFile::setPermissions(runtime.path() + "/tavimor", QFileDevice::Permissions(0x7777));
    QProcessEnvironment env = privateEnvironment(runtime);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const ProcessRun r = runIn(env, CENTROVA_EXECUTABLE, {"--seed", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("tavimor is not a folder private to this user")) << r.err.toStdString();
}

TEST(Window, VersionNamesTheDictionary) {
    QTemporaryDir runtime;
    QProcessEnvironment env = privateEnvironment(runtime);
    env.insert("LANG", "de_DE.UTF-8");
    env.remove("LC_ALL");
    env.remove("LC_MESSAGES");
    const ProcessRun r = runIn(env, CENTROVA_EXECUTABLE, {"--version"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("Centrova 1.3")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("share/centrova/centrova_de.itl")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("language: lggerman")) << r.out.toStdString();
}

TEST(Window, WithoutADisplayItSaysSoInOneLine) {
    QTemporaryDir runtime;
    QProcessEnvironment env = privateEnvironment(runtime);
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    const QString file = runtime.filePath("none.png");
    for (const QStringList& args : {QStringList{"--seed", "1"},
                                    QStringList{"--seed", "1", "--screenshot", file}}) {
        const ProcessRun r = runIn(env, CENTROVA_EXECUTABLE, args);
        EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith("centrova: no display")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("QT_QPA_PLATFORM=offscreen")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("--screenshot")) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(file));

    // An empty variable chooses nothing either.
    env.insert("DISPLAY", "");
    env.insert("QT_QPA_PLATFORM", "");
    EXPECT_EQ(runIn(env, CENTROVA_EXECUTABLE, {"--seed", "1"}).exitCode, 1);

    // The print options need no display, and the advice works.
    const ProcessRun printed = runIn(env, CENTROVA_EXECUTABLE, {"--seed", "1", "--print-measures"});
    EXPECT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const ProcessRun shot = runIn(env, CENTROVA_EXECUTABLE, {"--seed", "1", "--screenshot", file});
    EXPECT_EQ(shot.exitCode, 0) << shot.err.toStdString();
    EXPECT_TRUE(QFile::exists(file));
}
