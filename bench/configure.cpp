// What the configuration window costs: 30 openings, each closed by "&Close"
// as a user closes it, fading off, in the style manager's Configure (its
// shape, its translation, its transaction and commit) against the same
// structure opened and closed without them. Configure may take at most
// 1.5 times as long. Prints both times and the ratio.
#include "StyleManagerBench.h"
#include "Timing.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/P16_CONFIGUREWINDOW.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace platform;

namespace {

constexpr int kOpenings = 30;
constexpr int kRounds = 5;  // the two kinds take turns, so neither has the quieter machine
constexpr const char* kTitle = "Zelora maatwerk";

// Opens and closes `count` windows, one after another; milliseconds taken.
template <class Open>
double openAndClose(int count, Open open) {
    const auto start = bench::SteadyClock::now();
    for (int i = 0; i < count; ++i) {
        bool closed = false;
        START([&] {
            open();
            closed = true;
        });
        drive::settle();
        Window* w = drive::window(kTitle);
        if (!w) {
            std::fprintf(stderr, "the window did not open\n");
            std::exit(1);
        }
        drive::click(*w, "?CLOSEBUTTON");
        Scheduler::instance().pumpUntil([&] { return closed; }, std::chrono::seconds(5));
        if (!closed) {
            std::fprintf(stderr, "the window did not close\n");
            std::exit(1);
        }
    }
    return bench::msSince(start);
}

// The structure alone: opened, and closed by its button.
void plainWindow() {
    Byte fading = 0;
    Window w(P16_CONFIGUREWINDOW(fading));
    w.open();
    const Long close = w.equate("?CLOSEBUTTON");
    while (w.accept())
        if (w.event() == EVENT::Accepted && w.field() == close) break;
    w.close();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::StyleManagerScratch scratch("configure");
    ZelStylemanagerClass& manager = scratch.manager;
    manager.USEFADING = 0;
    ZelRestyleClass caller;
    caller.PROCEDURENAME = "Bench";
    const auto configure = [&] { manager.Configure(caller); };
    openAndClose(1, configure);  // the first opening pays for Qt's start and the pictures' decoding
    openAndClose(1, plainWindow);

    double configureTime = 0, plainTime = 0;
    std::vector<double> ratios;  // a round's: its median says more than the sums on a busy machine
    for (int round = 0; round < kRounds; ++round) {
        const double configured = openAndClose(kOpenings / kRounds, configure);
        const double plain = openAndClose(kOpenings / kRounds, plainWindow);
        configureTime += configured;
        plainTime += plain;
        ratios.push_back(configured / plain);
    }
    std::printf("%d configuration windows opened and closed, fading off: Configure %s ms, the structure alone %s ms\n",
                kOpenings, bench::shown(configureTime, 3).c_str(), bench::shown(plainTime, 3).c_str());
    std::printf("Configure %sx the structure alone, the median of %d rounds (%sx over all; target at most 1.5x)\n",
                bench::shown(bench::median(ratios), 3).c_str(), kRounds,
                bench::shown(configureTime / plainTime, 3).c_str());
    return 0;
}
