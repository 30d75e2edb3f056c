// Test main: every test program runs inside one QApplication on the
// offscreen platform, as the program itself does.
#include "platform/fiber/Scheduler.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Threads a test left waiting end while Qt and the layer still stand.
    platform::Scheduler::instance().endAllOthers();
    return result;
}
