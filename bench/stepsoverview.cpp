// One redraw of the steps overview for a subject of 250 steps (its 250
// markers and 249 lines destroyed and made again, a region over the window,
// the window shaped to its controls) against shaping the same window alone
// over the same controls, one run each. Prints both and their ratio
// (target: at most 3).
#include "Timing.h"

#include "assistant/AssistantClass.h"
#include "assistant/P72_STAPPENWINDOW.h"
#include "assistant/StepMarkers.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <cstdio>

using namespace platform;

namespace {

constexpr int kSteps = 250;

// The steps wander over the screen in a zigzag, as an author places them.
void fillSteps(Queue<AGENTSTAPRecord>& steps) {
    for (int i = 0; i < kSteps; ++i) {
        steps.rec = AGENTSTAPRecord{};
        steps.rec.STEP = i + 1;
        steps.rec.POSITIONX = static_cast<Short>(40 + (i * 37) % 900);
        steps.rec.POSITIONY = static_cast<Short>(60 + (i * 53) % 560);
        steps.add();
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    double redraw = 0, shape = 0;
    bool done = false;
    START([&] {
        AssistantClass assistant;
        Queue<AGENTSTAPRecord> steps;
        fillSteps(steps);
        StappenLocals locals;
        Window w(P72_STAPPENWINDOW(locals, steps.rec));
        w.open();
        w.setProperty(0, PROP::Maximize, 1);
        StepMarkers markers(assistant, w);
        markers.draw(steps);  // the redraw timed below has a drawing to destroy
        w.redraw();

        auto start = bench::SteadyClock::now();
        markers.draw(steps);
        redraw = bench::msSince(start);

        const Long last = w.lastControl() - 1;  // through the last marker, the region left out
        start = bench::SteadyClock::now();
        assistant.ShapeWindowToControls(w.handle(), 1, last, 0);
        shape = bench::msSince(start);
        w.close();
        done = true;
    });
    Scheduler::instance().pumpUntil([&] { return done; }, std::chrono::seconds(60));
    drive::settle();
    std::printf("one redraw of %d markers and %d lines: %s ms\n", kSteps, kSteps - 1, bench::shown(redraw, 2).c_str());
    std::printf("shaping the window alone over the same controls: %s ms\n", bench::shown(shape, 2).c_str());
    std::printf("ratio: %s (target: at most 3)\n", bench::shown(redraw / shape, 2).c_str());
    return done ? 0 : 1;
}
