// What the configure-directly picker's hit test costs as the pointer moves:
// 1,000 hit tests, the pointer going from one button to another, over a
// window of 300 registered controls, against reading the four geometry
// properties and PROP:Visible of those controls 1,000 times. The hit tests
// may take at most 3 times the reads. Prints both and the ratio, one run.
#include "StyleManagerBench.h"
#include "Timing.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"
#include "restyle/ControlPicker.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <cstdio>
#include <string>

using namespace platform;

namespace {

constexpr int kTests = 1000;
constexpr int kControls = 300;
constexpr int kPerRow = 15;

WindowSpec windowOf300() {
    WindowSpec spec{.label = "W", .title = "Picking", .at = {0, 0, 640, 440}};
    constexpr Long kinds[] = {CREATE::button, CREATE::string, CREATE::entry};
    for (int i = 0; i < kControls; ++i)
        spec.controls.push_back({.type = kinds[i % 3], .label = "?C" + std::to_string(i + 1), .text = "Sample",
                                 .at = {4 + (i % kPerRow) * 42, 4 + (i / kPerRow) * 21, 40, 18}});
    return spec;
}

struct Times {
    double hitTests = 0, reads = 0;
};

Times timePicking(ZelStylemanagerClass& manager) {
    Times times;
    bool done = false;
    START([&] {
        ZelRestyleClass restyle;
        restyle.Init("Picking", manager);
        Window w(windowOf300());
        w.open();
        restyle.AddControl("Window", "Window", 0);
        for (Long n = 1; n <= kControls; ++n) restyle.AddControl(w.control(n)->label, w.control(n)->label, n);
        restyle.Open(w, 1);
        // Two buttons, C1 and C4, side by side.
        const struct {
            Short x, y;
        } places[] = {{20, 12}, {146, 12}};
        ControlPicker picker(restyle);
        auto start = bench::SteadyClock::now();
        for (int i = 0; i < kTests; ++i) {
            const auto& at = places[i % 2];
            const QPoint screen = w.view()->screenPoint(at.x, at.y);
            SetCursorPos(screen.x(), screen.y());
            restyle.CONFIGUREDIRECTLYONWINDOW.XPOS = at.x;
            restyle.CONFIGUREDIRECTLYONWINDOW.YPOS = at.y;
            picker.hitTest();
        }
        times.hitTests = bench::msSince(start);
        Long sum = 0;
        start = bench::SteadyClock::now();
        for (int i = 0; i < kTests; ++i)
            for (Long n = 1; n <= kControls; ++n)
                for (Long property : {PROP::Xpos, PROP::Ypos, PROP::Width, PROP::Height, PROP::Visible})
                    sum += w.numberProperty(n, property);
        times.reads = bench::msSince(start);
        if (sum == 0) std::printf("nothing read\n");
        picker.removeMarks();
        restyle.Kill();
        done = true;
    });
    Scheduler::instance().pumpUntil([&] { return done; }, std::chrono::minutes(5));
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::StyleManagerScratch scratch("picker");
    const Times times = timePicking(scratch.manager);
    std::printf("a window of %d registered controls, %d times\n", kControls, kTests);
    std::printf("hit tests, the pointer moving between buttons: %s ms; the geometry and PROP:Visible read: %s ms; "
                "%sx (target at most 3x)\n",
                bench::shown(times.hitTests, 1).c_str(), bench::shown(times.reads, 1).c_str(),
                bench::shown(times.hitTests / times.reads, 2).c_str());
    return 0;
}
