// The main of test programs that need widgets: one QApplication (on the offscreen platform
// that CTest sets) for the whole run, then every GoogleTest case.

#include <gtest/gtest.h>

#include <QApplication>

// Programs that test the application object itself get the program's own.
#ifdef CENTROVA_TEST_APPLICATION
#include "platform/Application.h"
using TTestApplication = TApplication;
#else
using TTestApplication = QApplication;
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs the program outside CTest's environment; it never needs a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#ifdef CENTROVA_TEST_SCALE_FACTOR
    // Programs that test drawing on a dense screen start their application scaled.
    qputenv("QT_SCALE_FACTOR", CENTROVA_TEST_SCALE_FACTOR);
#endif
    TTestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
