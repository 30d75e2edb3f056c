#include "support/ProgramFixture.h"

#include "app/frame/ProcedureServices.h"
#include "app/main/Program.h"
#include "platform/fiber/Scheduler.h"

using namespace platform;

Window& ProgramFixture::startProgram() {
    platform::startProgram(programModules(), ProgramBody);
    started_ = true;
    Window* w = drive::waitForWindow(kFrameTitle);
    if (!w) throw std::runtime_error("the main frame did not open");
    return *w;
}

Window& ProgramFixture::frame() {
    Window* w = drive::window(kFrameTitle);
    if (!w) throw std::runtime_error("the main frame is not open");
    return *w;
}

int ProgramFixture::waitForExit() {
    Scheduler::instance().pumpUntil(programEnded);
    started_ = false;
    return finishProgram();
}

void ProgramFixture::TearDown() {
    if (started_) {
        // A test that failed half-way: close whatever is open and end the run.
        while (drive::answerMessage("&OK")) {
        }
        if (Window* w = drive::window(kFrameTitle)) w->post({EVENT::CloseWindow, 0, 0});
        waitForExit();
    }
    resetProcedureServices();
}
