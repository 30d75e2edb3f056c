// What restyling costs a window of 100 controls (25 each of buttons,
// entries, strings and check boxes). Four types have ten properties offered
// each and stored, globally and in the procedure, in two conditional sets
// that both hold. Prints the medians of:
// - opening the window with styling disabled for it (the baseline: the
//   switches are still read);
// - opening it styled: at most 1.5 times the baseline;
// - a later pass over the open window, as a size change runs one: under the
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
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr int kRounds = 15;
constexpr int kControls = 100;
constexpr int kColumns = 10;
const Long kTypes[] = {CREATE::button, CREATE::entry, CREATE::string, CREATE::check};
const std::string kStyled = "Styled";
const std::string kPlain = "Plain";

// The ten properties stored for every type, with a value for each of the
// two sets.
struct Offered {
    Long property;
    const char* first;
    const char* second;
};
const Offered kOffered[] = {
    {PROP::FontName, "Arial", "Courier New"},  {PROP::FontSize, "9", "10"},     {PROP::FontColor, "255", "16711680"},
    {PROP::FontStyle, "700", "400"},           {PROP::Color, "65535", "16777215"}, {PROP::Tip, "First tip", "Tip"},
    {PROP::Msg, "First message", "Message"},   {PROP::Cursor, "Cross", "Wait"},  {PROP::Trn, "0", "1"},
    {PROP::Hlp, "first.htm", "second.htm"},
};

WindowSpec windowOf100() {
    WindowSpec spec{.label = "W", .title = "Restyled", .at = {0, 0, 640, 240}};
    for (int i = 0; i < kControls; ++i) {
        const Rect at{4 + (i % kColumns) * 62, 4 + (i / kColumns) * 21, 58, 16};
        spec.controls.push_back({.type = kTypes[i % 4], .label = "?C" + std::to_string(i + 1),
                                 .text = kTypes[i % 4] == CREATE::entry ? "@s20" : "Sample", .at = at});
    }
    return spec;
}

void storeSettings(ZelStylemanagerClass& manager) {
    for (const std::string& scope : {std::string(restyle::kGlobalSettings), kStyled, kPlain})
        for (Long type : kTypes)
            for (const char* set : {"First", "Second"})
                for (const Offered& offered : kOffered) {
                    StoredSetting setting{.procedure = scope, .group = restyle::controlTypeGroup(type),
                                          .controlType = type, .property = offered.property,
                                          .value = set[0] == 'F' ? offered.first : offered.second, .set = set,
                                          .conditions = {{PROP::Type, "=", std::to_string(type)}}};
                    storeSetting(manager, setting);
                }
    storeSetting(manager, {.procedure = kPlain, .group = restyle::controlGroup("Window"),
                           .controlType = CREATE::window, .property = -15, .value = "1"});
}

struct Timings {
    double opening = 0;
    double laterPass = 0;
};

// Opens the procedure's window as a window procedure does, then runs one
// more pass; each is timed until Qt has nothing left to do for it.
Timings timeWindow(ZelStylemanagerClass& manager, const std::string& procedure) {
    enum class Step { Open, Pass, End } step = Step::Open;
    START([&] {
        ZelRestyleClass restyle;
        restyle.Init(procedure, manager);
        Window w(windowOf100());
        w.open();
        restyle.AddControl("Window", "Window", 0);
        for (Long n = 1; n <= kControls; ++n) restyle.AddControl(w.control(n)->label, w.control(n)->label, n);
        restyle.Open(w, 1);
        Scheduler::instance().waitUntil([&] { return step != Step::Open; });
        restyle.Restyle(0, 1);
        Scheduler::instance().waitUntil([&] { return step == Step::End; });
    });
    Timings timings;
    auto start = bench::SteadyClock::now();
    drive::settle();
    timings.opening = bench::msSince(start);
    step = Step::Pass;
    Scheduler::instance().wake();
    start = bench::SteadyClock::now();
    drive::settle();
    timings.laterPass = bench::msSince(start);
    step = Step::End;
    Scheduler::instance().wake();
    drive::settle();
    return timings;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::StyleManagerScratch scratch("restyle");
    ZelStylemanagerClass& manager = scratch.manager;
    storeSettings(manager);
    timeWindow(manager, kStyled);  // the first window pays for Qt's start

    std::vector<double> plain, styled, later;
    for (int round = 0; round < kRounds; ++round) {
        plain.push_back(timeWindow(manager, kPlain).opening);
        const Timings timings = timeWindow(manager, kStyled);
        styled.push_back(timings.opening);
        later.push_back(timings.laterPass);
    }

    const double baseline = bench::median(plain), opening = bench::median(styled), pass = bench::median(later);
    std::printf("a window of %d controls: opened with styling disabled %s ms, styled %s ms; a later pass %s ms\n",
                kControls, bench::shown(baseline, 2).c_str(), bench::shown(opening, 2).c_str(), bench::shown(pass, 2).c_str());
    std::printf("styled opening %sx the baseline (target at most 1.5x), later pass %sx (target at most 1x)\n",
                bench::shown(opening / baseline, 2).c_str(), bench::shown(pass / baseline, 2).c_str());
    return 0;
}
