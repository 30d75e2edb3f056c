// Test main: every test program runs inside one QApplication on the
// offscreen platform, as the program itself does.
#include "platform/fiber/Scheduler.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The ctest entries of the suites named ...UnprivilegedTest set
// TABLOOM_RUN_AS_TEST_USER (support/Unprivileged.h). Root starts the program
// again as the user TABLOOM_TEST_USER names, before anything else runs; when
// that cannot be, the program goes on as root and those cases skip.
void becomeTheTestUserWhenAsked(int argc, char** argv) {
    const char* user = std::getenv("TABLOOM_TEST_USER");
    if (::geteuid() != 0 || !std::getenv("TABLOOM_RUN_AS_TEST_USER") || !user || !*user) return;
    std::vector<std::string> command = {"setpriv", "--reuid", user, "--regid", user, "--init-groups", "--"};
    command.insert(command.end(), argv, argv + argc);
    std::vector<char*> arguments;
    for (std::string& word : command) arguments.push_back(word.data());
    arguments.push_back(nullptr);
    ::execvp(arguments.front(), arguments.data());
    std::perror("setpriv");
}

}  // namespace

int main(int argc, char** argv) {
    becomeTheTestUserWhenAsked(argc, argv);
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Threads a test left waiting end while Qt and the layer still stand.
    platform::Scheduler::instance().endAllOthers();
    return result;
}
