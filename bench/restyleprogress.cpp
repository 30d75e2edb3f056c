// What restyling every open window at a configuration's close costs: 20
// windows of 30 registered controls (buttons, entries and strings, each type
// with three properties stored for it), each on a thread of its own.
// Prints the medians of:
// - 20 passes that reload the stored settings, Restyle(1, 0) of each window
//   called directly (the baseline);
// - RestyleProgress over the same windows: two passes each, the window
//   hidden in between, with the progress window: at most 2.5 times the
//   baseline.
#include "StyleManagerBench.h"
#include "Timing.h"

#include "programsupport/StoredSettings.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr int kRounds = 9;
constexpr int kWindows = 20;
constexpr int kControls = 30;
constexpr int kColumns = 6;
const Long kTypes[] = {CREATE::button, CREATE::entry, CREATE::string};

struct Stored {
    Long property;
    const char* value;
};
const Stored kStored[] = {{PROP::FontName, "Arial"}, {PROP::FontColor, "255"}, {PROP::Color, "65535"}};

WindowSpec windowOf30(int number) {
    WindowSpec spec{.label = "W", .title = "Window " + std::to_string(number), .at = {0, 0, 380, 110}};
    for (int i = 0; i < kControls; ++i) {
        const Rect at{4 + (i % kColumns) * 62, 4 + (i / kColumns) * 21, 58, 16};
        spec.controls.push_back({.type = kTypes[i % 3], .label = "?C" + std::to_string(i + 1),
                                 .text = kTypes[i % 3] == CREATE::entry ? "@s20" : "Sample", .at = at});
    }
    return spec;
}

void storeSettings(ZelStylemanagerClass& manager) {
    for (Long type : kTypes)
        for (const Stored& stored : kStored)
            storeSetting(manager, {.group = restyle::controlTypeGroup(type), .controlType = type,
                                   .property = stored.property, .value = stored.value});
}

// Opens the windows as window procedures do, each on its own thread, until `open` goes false.
void openWindows(ZelStylemanagerClass& manager, const bool& open) {
    for (int n = 1; n <= kWindows; ++n)
        START([&manager, &open, n] {
            ZelRestyleClass restyle;
            restyle.Init("Procedure" + std::to_string(n), manager);
            Window w(windowOf30(n));
            w.open();
            restyle.AddControl("Window", "Window", 0);
            for (Long c = 1; c <= kControls; ++c) restyle.AddControl(w.control(c)->label, w.control(c)->label, c);
            restyle.Open(w, 1);
            Scheduler::instance().waitUntil([&open] { return !open; });
            restyle.Kill();
        });
    drive::settle();
}

// Runs `work` on a thread of its own, timed until Qt has nothing left to do for it.
double timed(const std::function<void()>& work) {
    const auto start = bench::SteadyClock::now();
    START(work);
    drive::settle();
    return bench::msSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::StyleManagerScratch scratch("restyleprogress");
    ZelStylemanagerClass& manager = scratch.manager;
    manager.USEFADING = 0;
    storeSettings(manager);
    bool open = true;
    openWindows(manager, open);
    if (manager.RESTYLECLASSLIST.size() != kWindows) {
        std::fprintf(stderr, "%zu windows registered, not %d\n", manager.RESTYLECLASSLIST.size(), kWindows);
        return 1;
    }
    ZelRestyleClass& caller = *manager.RESTYLECLASSLIST.front();
    const auto directPasses = [&manager] {
        for (ZelRestyleClass* object : std::vector<ZelRestyleClass*>(manager.RESTYLECLASSLIST)) object->Restyle(1, 0);
    };
    timed([&] { manager.RestyleProgress(caller); });  // the first progress window pays for its start

    std::vector<double> direct, progress;
    for (int round = 0; round < kRounds; ++round) {
        direct.push_back(timed(directPasses));
        progress.push_back(timed([&] { manager.RestyleProgress(caller); }));
    }
    open = false;
    Scheduler::instance().wake();
    drive::settle();

    const double baseline = bench::median(direct), walk = bench::median(progress);
    std::printf("%d windows of %d controls: %d direct passes %s ms, RestyleProgress %s ms\n", kWindows, kControls,
                kWindows, bench::shown(baseline, 2).c_str(), bench::shown(walk, 2).c_str());
    std::printf("RestyleProgress %sx the direct passes (target at most 2.5x)\n", bench::shown(walk / baseline, 2).c_str());
    return 0;
}
