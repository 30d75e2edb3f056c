// The recorder's cost and the pointer's glide. Prints:
// - 10,000 clicks of a window's button through the driver, with the recording
//   window open and recording, against the same clicks unrecorded, and their
//   ratio (target under 1.5x);
// - one glide of the pointer over 500 pixels on a slant at the default
//   slow-down of 25 (target under a second offscreen).
#include "app/frame/ProcedureServices.h"
#include "app/frame/WindowProcedure.h"
#include "app/main/Globals.h"
#include "app/main/Program.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/program/Program.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/Window.h"
#include "splash/ZelSplashClass.h"

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdint>
#include <cstdio>

using namespace platform;
using namespace std::chrono;

namespace {

constexpr int kClicks = 10'000;
constexpr const char* kRecorder = "Gebeurtenis(sen) opnemen";

struct NoSplash : ZelSplashClass {
    void Show(Byte) override {}
};

class ClickWindow : public WindowProcedure {
public:
    ClickWindow()
        : WindowProcedure("ClickWindow",
                          {.label = "P1$WINDOW", .title = "Clicks", .at = {40, 40, 200, 80}, .pixels = true,
                           .controls = {{.type = CREATE::button, .label = "?Button", .text = "&Press",
                                         .at = {20, 20, 80, 24}}}},
                          "?Button") {}
};

double clickSeconds(Window& w) {
    const auto started = steady_clock::now();
    for (int i = 0; i < kClicks; ++i) drive::click(w, "?Button");
    return duration<double>(steady_clock::now() - started).count();
}

double glideSeconds() {
    Assistant.WINDOWPOSX = Assistant.WINDOWPOSY = 0;
    Assistant.SLOWDOWNMOUSEVENTS = 25;
    SetCursorPos(100, 100);
    bool done = false;
    const auto started = steady_clock::now();
    START([&] {
        Assistant.MoveMouseTo(500, 400);  // 400 across, 300 down: 500 pixels
        done = true;
    });
    Scheduler::instance().pumpUntil([&] { return done; }, seconds(60));
    return duration<double>(steady_clock::now() - started).count();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    NoSplash noSplash;
    procedureServices().splash = &noSplash;
    startProgram(programModules(), ProgramBody);
    Window* frame = drive::waitForWindow("Tabloom version 1.05");
    START([] { ClickWindow().call(); });
    Window* w = drive::waitForWindow("Clicks");
    if (!frame || !w) return 1;

    const double unrecorded = clickSeconds(*w);
    Assistant.INITIALIZED = 1;  // the recording window needs no character here
    Assistant.EVENTQUEUE->free();
    Assistant.ACTIVATERECORDEVENTS = RECORDER::Requested;
    const std::string address = std::to_string(reinterpret_cast<std::uintptr_t>(&Assistant));
    Assistant.EVENTWINDOWTHREAD = START([address] { AssistantClass::WatchEventsThread(address); });
    Window* recorder = drive::waitForWindow(kRecorder);
    if (!recorder) return 1;
    const double recorded = clickSeconds(*w);
    std::printf("%d clicks unrecorded: %.3f s\n", kClicks, unrecorded);
    std::printf("%d clicks recorded:   %.3f s (%zu rows)\n", kClicks, recorded, Assistant.EVENTQUEUE->records());
    std::printf("ratio %.2fx (target under 1.5x)\n", recorded / unrecorded);
    std::printf("pointer glide of 500 pixels on a slant at slow-down 25: %.3f s (target under 1 s)\n", glideSeconds());

    drive::click(*recorder, "?CLOSEBUTTON");
    drive::answerMessage("&Nee");
    drive::settle();
    Assistant.ACTIVATERECORDEVENTS = RECORDER::Off;
    Assistant.INITIALIZED = 0;  // no agent window to end
    if (Window* clicks = drive::window("Clicks")) clicks->post({EVENT::CloseWindow, 0, 0});
    frame->post({EVENT::CloseWindow, 0, 0});
    Scheduler::instance().pumpUntil(programEnded);
    finishProgram();
    return 0;
}
