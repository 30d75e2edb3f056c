// What four background pictures cost a window's later restyle pass: a window
// of 40 controls (buttons and strings with four looks stored for each type)
// with four 1920x1080 JPEG images laid on it, against the same window
// without them. Pictures are decoded once, so the pass with
// them may take at most 1.2 times the pass without. Prints both medians and
// the ratio.
#include "StyleManagerBench.h"
#include "Timing.h"

#include "support/JpegFile.h"
#include "programsupport/StoredSettings.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace platform;
namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 31;
constexpr int kPasses = 5;
constexpr int kControls = 40;
constexpr int kImages = 4;

WindowSpec windowOf40() {
    WindowSpec spec{.label = "W", .title = "Pictures", .at = {0, 0, 400, 220}};
    for (int i = 0; i < kControls; ++i) {
        const Rect at{4 + (i % 8) * 48, 4 + (i / 8) * 21, 44, 16};
        spec.controls.push_back({.type = i % 2 == 0 ? CREATE::button : CREATE::string,
                                 .label = "?C" + std::to_string(i + 1), .text = "Sample", .at = at});
    }
    return spec;
}

// What every pass applies: a few looks of the two control types.
void storeLooks(ZelStylemanagerClass& manager) {
    const std::pair<Long, const char*> looks[] = {
        {PROP::FontColor, "255"}, {PROP::FontStyle, "700"}, {PROP::Color, "65535"}, {PROP::Tip, "A tip"}};
    for (const Long type : {CREATE::button, CREATE::string})
        for (const auto& [property, value] : looks)
            storeSetting(manager, {.group = restyle::controlTypeGroup(type), .controlType = type,
                                   .property = property, .value = value});
}

// Four pictures side by side, each a quarter of the window, tiled, centred,
// stretched and plain.
void layImages(ZelStylemanagerClass& manager, const fs::path& folder) {
    const Rgb colours[kImages][2] = {{{200, 30, 40}, {30, 40, 200}},
                                     {{20, 160, 60}, {240, 220, 40}},
                                     {{90, 90, 90}, {250, 250, 250}},
                                     {{120, 20, 140}, {20, 200, 200}}};
    for (int i = 0; i < kImages; ++i) {
        const std::string file = (folder / ("back" + std::to_string(i + 1) + ".jpg")).string();
        writeJpeg(file, 1920, 1080, colours[i][0], colours[i][1]);
        IMAGEQUEUERecord& row = manager.IMAGEQUEUE.rec;
        row = {};
        row.IMAGEORDER = static_cast<Byte>(i + 1);
        row.IMAGEFILE = file;
        row.XPOS = static_cast<Short>(i * 100);
        row.WIDTH = 25;
        row.WIDTHINPERCENTAGE = 1;
        row.HEIGHT = 100;
        row.HEIGHTINPERCENTAGE = 1;
        row.STYLE = static_cast<Byte>(i);
        row.MOVEFROM = 1;
        manager.IMAGEQUEUE.add();
    }
}

// Opens the window as a window procedure does, then times later passes, each
// until Qt has nothing left to do for it.
std::vector<double> timeLaterPasses(ZelStylemanagerClass& manager) {
    int passesAsked = 0, passesRun = 0;
    bool done = false;
    START([&] {
        ZelRestyleClass restyle;
        restyle.Init("Pictures", manager);
        Window w(windowOf40());
        w.open();
        restyle.AddControl("Window", "Window", 0);
        for (Long n = 1; n <= kControls; ++n) restyle.AddControl(w.control(n)->label, w.control(n)->label, n);
        restyle.Open(w, 1);
        while (!done) {
            Scheduler::instance().waitUntil([&] { return done || passesAsked > passesRun; });
            if (done) break;
            restyle.Restyle(0, 1);
            ++passesRun;
        }
    });
    drive::settle();
    std::vector<double> times;
    for (int pass = 0; pass < kPasses; ++pass) {
        ++passesAsked;
        Scheduler::instance().wake();
        const auto start = bench::SteadyClock::now();
        drive::settle();
        times.push_back(bench::msSince(start));
    }
    done = true;
    Scheduler::instance().wake();
    drive::settle();
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::StyleManagerScratch scratch("appearance");
    ZelStylemanagerClass& manager = scratch.manager;
    storeLooks(manager);
    timeLaterPasses(manager);  // the first window pays for Qt's start

    std::vector<double> plain, pictured;
    for (int round = 0; round < kRounds; ++round) {
        manager.IMAGEQUEUE.free();
        const std::vector<double> without = timeLaterPasses(manager);
        plain.insert(plain.end(), without.begin(), without.end());
        layImages(manager, scratch.folder());
        const std::vector<double> with = timeLaterPasses(manager);
        pictured.insert(pictured.end(), with.begin(), with.end());
    }

    const double without = bench::median(plain), with = bench::median(pictured);
    std::printf("a later pass over a window of %d controls: without images %s ms, with %d 1920x1080 JPEG images %s ms\n",
                kControls, bench::shown(without, 3).c_str(), kImages, bench::shown(with, 3).c_str());
    std::printf("with images %sx the pass without (target at most 1.2x)\n", bench::shown(with / without, 3).c_str());
    return 0;
}
