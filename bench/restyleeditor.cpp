// What the restyle editor costs to open: its tree, sets and properties
// looked up for a window of 100 registered controls of ten types, each type
// with a set stored globally and one in the procedure, until its first
// selection shows; against the same window structure opened bare (no
// routines, no look-ups), in the same run. Target: at most 2x. Prints both,
// the ratio (the median of the rounds) and one Restyle(1, 0) pass of the
// styled window for reference.
#include "StyleManagerBench.h"
#include "Timing.h"

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/files/KeyedFile.h"
#include "platform/ui/Window.h"
#include "restyle/RestyleRows.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/P23_CONFIGUREWINDOW.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace platform;

namespace {

constexpr int kRounds = 7;
constexpr const char* kProcedure = "BenchWindow";
const Long kTypes[] = {CREATE::entry,  CREATE::string, CREATE::button, CREATE::check, CREATE::prompt,
                       CREATE::text,   CREATE::box,    CREATE::panel,  CREATE::list,  CREATE::spin};

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

WindowSpec styledWindow() {
    WindowSpec spec{.label = "W", .title = "Styled", .at = {0, 0, 640, 440}};
    for (int i = 0; i < 100; ++i)
        spec.controls.push_back({.type = kTypes[i % 10], .label = "?C" + std::to_string(i + 1), .text = "Sample",
                                 .at = {4 + (i % 10) * 62, 4 + (i / 10) * 21, 58, 16}});
    return spec;
}

// Each type offers its text, with a set of its own globally and in the procedure.
void storeSets(ZelStylemanagerClass& m) {
    PROPERTYSETTINGRecord setting;
    setting.ENABLED = 1;
    setting.VALUE = "Styled";
    for (const Long type : kTypes) {
        clearRecord(*m.PROPERTYFILE->record().fields, m.PROPERTYFILE->record().buffer);
        m.PROPERTYFILECONTROLTYPEEQUATEFIELD.setNumber(type);
        m.PROPERTYFILEPROPERTYEQUATEFIELD.setNumber(PROP::Text);
        m.PROPERTYFILEPROPERTYFIELD.setText("TEXT");
        m.PROPERTYFILEPROPERTYDESCRIPTIONFIELD.setText("Text");
        m.PROPERTYFILE->add();
        for (const Byte global : {Byte{1}, Byte{0}}) {
            const Long set = m.GetConditionSetID(global, 0, restyle::controlTypeGroup(type));
            m.SaveGroup(recordRef(setting), set, restyle::propertyName(PROP::Text));
        }
    }
}

// Milliseconds until the window is up with a property chosen (the editor)
// or at all (bare), then closed by its button.
double timedOpen(const std::function<void()>& run, bool chosen) {
    bool closed = false;
    const auto start = bench::SteadyClock::now();
    START([&] {
        run();
        closed = true;
    });
    Window* w = nullptr;
    Scheduler::instance().pumpUntil([&] {
        w = drive::window("ZelRestyle");
        return w && (!chosen || w->numberProperty(w->equate("?ACTIVEPROPERTYLIST"), PROP::Selected) >= 1);
    }, std::chrono::seconds(10));
    const double ms = bench::msSince(start);
    if (!w) fail("the editor did not open");
    drive::click(*w, "?OKBUTTON");
    Scheduler::instance().pumpUntil([&] { return closed; }, std::chrono::seconds(5));
    if (!closed) fail("the editor did not close");
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::StyleManagerScratch scratch("restyleeditor");
    ZelStylemanagerClass& manager = scratch.manager;
    manager.USEFADING = 0;
    manager.PROCEDURENAME = kProcedure;
    storeSets(manager);
    ZelRestyleClass styled;
    Window* window = nullptr;
    START([&] {
        Window w(styledWindow());
        styled.Init(kProcedure, manager);
        w.open();
        for (int i = 1; i <= 100; ++i) styled.AddControl("Control " + std::to_string(i), "?C" + std::to_string(i), i);
        styled.Open(w, 0);
        window = &w;
        while (w.accept()) styled.TakeEvent();
        styled.Kill();
        window = nullptr;
    });
    drive::settle();
    if (!window) fail("the styled window did not open");

    std::vector<double> ratios;
    double editorTime = 0, bareTime = 0;
    for (int round = 0; round < kRounds; ++round) {
        const double editor = timedOpen([&] { manager.ConfigureRestyle(styled, 0, 1); }, true);
        const double bare = timedOpen([&] {
            ConfigureRestyleLocals locals;
            Window w(P23_CONFIGUREWINDOW(locals, manager.CONDITIONSETQUEUE, manager.CONDITIONQUEUE));
            w.open();
            while (w.accept())
                if (w.event() == EVENT::Accepted && w.field() == w.equate("?OKBUTTON")) break;
            w.close();
        }, false);
        editorTime += editor;
        bareTime += bare;
        ratios.push_back(editor / bare);
    }
    bool restyled = false;
    const auto start = bench::SteadyClock::now();
    START([&] {
        styled.Restyle(1, 0);
        restyled = true;
    });
    Scheduler::instance().pumpUntil([&] { return restyled; }, std::chrono::seconds(10));
    const double restyleTime = bench::msSince(start);
    window->post({.event = EVENT::CloseWindow});
    drive::settle();

    std::printf("%d rounds, a window of 100 controls of ten types: the editor opened %s ms, the bare window %s ms\n",
                kRounds, bench::shown(editorTime / kRounds, 2).c_str(), bench::shown(bareTime / kRounds, 2).c_str());
    std::printf("the editor %sx the bare window, the median of %d rounds (target at most 2x)\n",
                bench::shown(bench::median(ratios), 2).c_str(), kRounds);
    std::printf("one Restyle(1, 0) of the styled window: %s ms\n", bench::shown(restyleTime, 2).c_str());
    return 0;
}
