#include "programsupport/ProgramFixture.h"

#include "app/frame/ProcedureServices.h"
#include "app/main/Program.h"
#include "platform/fiber/Scheduler.h"

#include <filesystem>

using namespace platform;

void ProgramFixture::SetUp() {
    ASSERT_TRUE(folder_.isValid());
    previousFolder_ = std::filesystem::current_path().string();
    std::filesystem::current_path(folder());
    setProgramPath(folder() + "/tabloom");
}

Window& ProgramFixture::startProgram() {
    launchProgram();
    return passSplash();
}

void ProgramFixture::launchProgram() {
    platform::startProgram(programModules(), ProgramBody);
    started_ = true;
    drive::settle();
}

void ProgramFixture::closeSplash() {
    if (Window* splash = drive::window(kSplashTitle)) drive::click(*splash, "?CloseButton");
}

Window& ProgramFixture::passSplash() {
    closeSplash();
    Window* w = drive::waitForWindow(kFrameTitle);
    if (!w) throw std::runtime_error("the main frame did not open");
    return *w;
}

Window& ProgramFixture::frame() {
    Window* w = drive::window(kFrameTitle);
    if (!w) throw std::runtime_error("the main frame is not open");
    return *w;
}

void ProgramFixture::connect(const std::string& connectString) {
    Window& connection = openWindow(KEY::F2, "Choose an ODB Cconnection");
    drive::typeOver(connection, "?Glo:ConnectString", connectString);
    drive::click(connection, "?CloseButton");
}

Window& ProgramFixture::openWindow(Long key, const std::string& title) {
    drive::pressKey(running() ? frame() : startProgram(), key);
    Window* w = drive::waitForWindow(title);
    if (!w) throw std::runtime_error("\"" + title + "\" did not open");
    return *w;
}

int ProgramFixture::waitForExit() {
    Scheduler::instance().pumpUntil(programEnded);
    started_ = false;
    return finishProgram();
}

void ProgramFixture::TearDown() {
    if (started_) {
        // A test that failed half-way: close whatever is open and end the run
        // (the set-up gives OK its caption; the recording doubles do not).
        while (drive::answerMessage("OK") || drive::answerMessage("&OK")) {
        }
        if (Window* w = drive::window(kFrameTitle)) w->post({EVENT::CloseWindow, 0, 0});
        waitForExit();
    }
    resetProcedureServices();
    setProgramPath({});
    std::filesystem::current_path(previousFolder_);
}
