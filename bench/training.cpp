// Adding a step in the training window to a subject of 500 steps: in its
// middle (every later step moves up one, in one savepoint, and the lists are
// filled again) against at its end (nothing moves). Each is timed once, from
// the press of "&Stap toevoegen" to the step list filled again; the position
// window the new step then opens is left with Esc outside the timing.
// Prints both and their ratio (target: at most 3).
#include "AssistantBench.h"
#include "Timing.h"

#include "assistant/AssistantClass.h"
#include "assistant/Mentavo.h"
#include "platform/agent/CharacterEngine.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/files/FileSavepoint.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <cstdio>
#include <optional>

using namespace platform;

namespace {

constexpr int kSteps = 500;
constexpr const char* kTitle = "Voeg Assistent stap toe aan procedure Main";
constexpr const char* kPositionTitle =
    "Nieuwe Assistent positie bepalen (ESC = Annuleren, Rechtermuisknop of Spatieblak = Menu)";

void writeSteps() {
    FileSavepoint batch(AGNTFILE);
    for (int step = 0; step <= kSteps; ++step) {
        clearRecord(AGNTFILE.rec.fieldTable(), &AGNTFILE.rec);
        AGNTFILE.rec.PROCEDURENAME = "Main";
        AGNTFILE.rec.ONDERWERP = "Algemeen";
        AGNTFILE.rec.STEP = step;
        AGNTFILE.rec.SPEAK = "Stap " + std::to_string(step) + " van het onderwerp";
        AGNTFILE.rec.ANIBEFOREORAFTER = "B";
        AGNTFILE.add();
    }
    batch.release();
}

// Milliseconds from the press of "&Stap toevoegen" after the step in that row
// to the step list holding one row more.
double addAfterRow(Window& training, int row) {
    drive::chooseTab(training, "?ONDERWERPTAB");
    drive::chooseRow(training, "?AGENTSTAPLIST", row);
    QueueBase& steps = *training.control("?AGENTSTAPLIST")->spec->from;
    const std::size_t filled = steps.records() + 1;
    std::optional<double> took;
    bench::SteadyClock::time_point start;
    const int listener = steps.listen({.after = [&](const QueueChange& change) {
        if (change.kind == QueueChange::Kind::Added && steps.records() == filled && !took) took = bench::msSince(start);
    }});
    start = bench::SteadyClock::now();
    drive::click(training, "?STAPTOEVOEGENBUTTON");
    steps.unlisten(listener);
    if (Window* position = drive::window(kPositionTitle)) drive::pressKey(*position, KEY::Esc);
    return took.value_or(-1);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    agent::CharacterEngine::instance().setTrace(true);  // the character answers at once
    bench::AssistantScratch scratch;
    AssistantClass& assistant = scratch.assistant;
    if (!bench::onThread([&] {
            assistant.LoadSettings();
            assistant.Init();
            writeSteps();
        }))
        return 1;

    bool trained = false;
    START([&] {
        Window main({.label = "P1$MAIN", .title = "Main", .at = {10, 10, 200, 100}});
        main.open();
        assistant.PROCEDURENAME = "Main";
        assistant.TRAINMODEON = 1;
        assistant.Train();
        main.close();
        trained = true;
    });
    Window* training = drive::waitForWindow(kTitle, std::chrono::seconds(60));
    if (!training) return 1;
    const double middle = addAfterRow(*training, kSteps / 2);
    const double end = addAfterRow(*training, kSteps + 1);
    drive::click(*training, "?OKBUTTON");
    Scheduler::instance().pumpUntil([&] { return trained; }, std::chrono::seconds(60));
    bench::onThread([&] { assistant.Destruct(); });

    std::printf("adding a step to a subject of %d steps: in its middle %s ms, at its end %s ms, ratio %s "
                "(target: at most 3)\n",
                kSteps, bench::shown(middle, 1).c_str(), bench::shown(end, 1).c_str(),
                bench::shown(middle / end, 2).c_str());
    return middle > 0 && end > 0 ? 0 : 1;
}
