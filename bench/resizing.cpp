// What fitting the controls to the window's size costs a later restyle pass:
// a window of 200 controls (20 lists of 5 columns, buttons, strings and
// entries, a resize strategy stored for each of the four types) whose size
// changed before each pass, with "Dynamic sizing of window" on (every place,
// size, font and column scaled) against the same pass with it off. The pass
// with it may take at most 1.5 times the pass without. Prints both medians
// and the ratio, of the pass alone and of the size change with its pass, as
// the user waits for it: with dynamic sizing off the pass moves nothing, so
// that nothing is painted again.
#include "StyleManagerBench.h"
#include "Timing.h"

#include "programsupport/StoredSettings.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "restyle/EngineProperties.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr int kRounds = 15;
constexpr int kPasses = 6;
constexpr int kControls = 200;
constexpr int kPerRow = 10;
constexpr Rect kOpening{0, 0, 640, 440};
constexpr Rect kLarger{0, 0, 800, 550};  // 1.25 times

Long typeOf(int i) {
    constexpr Long kinds[] = {CREATE::button, CREATE::string, CREATE::entry};
    return i % 10 == 0 ? CREATE::list : kinds[i % 3];
}

WindowSpec windowOf200() {
    WindowSpec spec{.label = "W", .title = "Resizing", .at = kOpening, .resizable = true};
    for (int i = 0; i < kControls; ++i) {
        const Rect at{4 + (i % kPerRow) * 63, 4 + (i / kPerRow) * 21, 60, 18};
        ControlSpec control{.type = typeOf(i), .label = "?C" + std::to_string(i + 1), .text = "Sample", .at = at};
        if (control.type == CREATE::list) control.format = "12L(2)|M~A~@s5@12L(2)|M~B~@s5@12L(2)|M~C~@s5@"
                                                           "12L(2)|M~D~@s5@12L(2)|M~E~@s5@";
        spec.controls.push_back(control);
    }
    return spec;
}

// Scaled completely, only across, only down, and completely keeping the font.
void storeStrategies(ZelStylemanagerClass& manager) {
    const std::pair<Long, const char*> strategies[] = {
        {CREATE::list, "0"}, {CREATE::button, "0"}, {CREATE::string, "1"}, {CREATE::entry, "21"}};
    for (const auto& [type, value] : strategies)
        storeSetting(manager, {.group = restyle::controlTypeGroup(type), .controlType = type,
                               .property = restyle::engine::kResizeStrategy, .value = value});
}

void storeDynamicSizing(ZelStylemanagerClass& manager, bool on) {
    storeSetting(manager, {.group = restyle::controlTypeGroup(CREATE::window), .controlType = CREATE::window,
                           .property = restyle::engine::kDynamicSizing, .value = on ? "1" : "0"});
}

struct Times {
    std::vector<double> pass, withSizeChange;
};

// Opens the window as a window procedure does; then, for each pass, the
// program changes the window's size and a pass follows, each timed until Qt
// has nothing left to do for it.
Times timeLaterPasses(ZelStylemanagerClass& manager) {
    int asked = 0, done = 0;
    bool finished = false;
    START([&] {
        ZelRestyleClass restyle;
        restyle.Init("Resizing", manager);
        Window w(windowOf200());
        w.open();
        restyle.AddControl("Window", "Window", 0);
        for (Long n = 1; n <= kControls; ++n) restyle.AddControl(w.control(n)->label, w.control(n)->label, n);
        restyle.Open(w, 1);
        while (!finished) {
            Scheduler::instance().waitUntil([&] { return finished || asked > done; });
            if (finished) break;
            if (done % 2 == 0) {
                const Rect& size = done % 4 == 0 ? kLarger : kOpening;
                w.setProperty(0, PROP::Width, size.width);
                w.setProperty(0, PROP::Height, size.height);
            } else {
                restyle.Restyle(0, 1);
            }
            ++done;
        }
    });
    drive::settle();
    Times times;
    for (int pass = 0; pass < kPasses; ++pass) {
        const auto sizeChange = bench::SteadyClock::now();
        ++asked;
        Scheduler::instance().wake();
        drive::settle();
        const auto start = bench::SteadyClock::now();
        ++asked;
        Scheduler::instance().wake();
        drive::settle();
        times.pass.push_back(bench::msSince(start));
        times.withSizeChange.push_back(bench::msSince(sizeChange));
    }
    finished = true;
    Scheduler::instance().wake();
    drive::settle();
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::StyleManagerScratch scratch("resizing");
    ZelStylemanagerClass& manager = scratch.manager;
    storeStrategies(manager);
    timeLaterPasses(manager);  // the first window pays for Qt's start

    Times fixed, fitted;
    const auto add = [](Times& into, const Times& times) {
        into.pass.insert(into.pass.end(), times.pass.begin(), times.pass.end());
        into.withSizeChange.insert(into.withSizeChange.end(), times.withSizeChange.begin(), times.withSizeChange.end());
    };
    for (int round = 0; round < kRounds; ++round) {
        storeDynamicSizing(manager, false);
        add(fixed, timeLaterPasses(manager));
        storeDynamicSizing(manager, true);
        add(fitted, timeLaterPasses(manager));
    }

    const auto report = [](const char* what, const std::vector<double>& off, const std::vector<double>& on) {
        const double without = bench::median(off), with = bench::median(on);
        std::printf("%s: dynamic sizing off %s ms, on %s ms, %sx (target at most 1.5x)\n", what,
                    bench::shown(without, 3).c_str(), bench::shown(with, 3).c_str(),
                    bench::shown(with / without, 3).c_str());
    };
    std::printf("a window of %d controls, its size changed before each later pass\n", kControls);
    report("the pass", fixed.pass, fitted.pass);
    report("the size change with its pass", fixed.withSizeChange, fitted.withSizeChange);
    return 0;
}
