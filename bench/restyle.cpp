// What restyling costs a window of 100 controls (25 each of buttons,
// entries, strings and check boxes). Four types have ten properties offered
// each and stored, globally and in the procedure, in two conditional sets
// that both hold. Prints the medians of:
// - opening the window with styling disabled for it (the baseline: the
//   switches are still read);
// - opening it styled: under 2 times the baseline;
// - a later pass over the open window, as a size change runs one: under the
//   baseline.
#include "support/StoredSettings.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelPropertiesFile.h"
#include "restyle/ZelRestyleClass.h"
#include "restyle/ZelRestyleFile.h"
#include "stylemanager/RestyleDataFiles.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace platform;
using Clock_ = std::chrono::steady_clock;
namespace fs = std::filesystem;

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

struct Files {
    ZelPropertiesFile properties;
    ZelConditionSetFile sets;
    ZelConditionFile conditions;
    ZelRestyleFile values;
};

void setUp(ZelStylemanagerClass& manager, Files& f, String<255>& user) {
    manager.Init();
    manager.SetUserName(user);
    bindRestyleDataFiles(manager, {f.properties, f.sets, f.conditions, f.values});
    manager.Setup(0);
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

double msSince(Clock_::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock_::now() - start).count();
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
    auto start = Clock_::now();
    drive::settle();
    timings.opening = msSince(start);
    step = Step::Pass;
    Scheduler::instance().wake();
    start = Clock_::now();
    drive::settle();
    timings.laterPass = msSince(start);
    step = Step::End;
    Scheduler::instance().wake();
    drive::settle();
    return timings;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string shown(double value) { return numberText(std::round(value * 100) / 100); }

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const fs::path folder = fs::temp_directory_path() / ("tabloom-bench-restyle-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);
    String<255> user{"DEFAULT"};
    Files files;
    ZelStylemanagerClass manager;
    setUp(manager, files, user);
    storeSettings(manager);
    timeWindow(manager, kStyled);  // the first window pays for Qt's start

    std::vector<double> plain, styled, later;
    for (int round = 0; round < kRounds; ++round) {
        plain.push_back(timeWindow(manager, kPlain).opening);
        const Timings timings = timeWindow(manager, kStyled);
        styled.push_back(timings.opening);
        later.push_back(timings.laterPass);
    }
    manager.Kill();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);

    const double baseline = median(plain), opening = median(styled), pass = median(later);
    std::printf("a window of %d controls: opened with styling disabled %s ms, styled %s ms; a later pass %s ms\n",
                kControls, shown(baseline).c_str(), shown(opening).c_str(), shown(pass).c_str());
    std::printf("styled opening %sx the baseline (target at most 2x), later pass %sx (target at most 1x)\n",
                shown(opening / baseline).c_str(), shown(pass / baseline).c_str());
    return 0;
}
