// 2,000 character requests in trace mode with the play control open and
// unfolded, its list following the queue of waiting requests, against the
// same with it closed. One run each; prints both and the ratio (target: at
// most 1.3).
#include "AssistantBench.h"

#include "platform/agent/CharacterEngine.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <string>

using namespace platform;
using Ms = std::chrono::duration<double, std::milli>;

namespace {

constexpr int kRequests = 2000;

// From the first request asked to the last one done.
double requestsMs(AssistantClass& assistant) {
    const auto start = std::chrono::steady_clock::now();
    bench::onThread([&] {
        for (int n = 1; n <= kRequests; ++n) assistant.Speak("Verzoek " + std::to_string(n));
    });
    Scheduler::instance().pumpUntil([&] { return assistant.BUFFERAGENTEVENTQUE->records() == 0; },
                                    std::chrono::seconds(120));
    return Ms(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    agent::CharacterEngine::instance().setTrace(true);
    bench::AssistantScratch scratch;
    AssistantClass& assistant = scratch.assistant;
    bench::onThread([&] {
        assistant.LoadSettings();
        assistant.Init();
    });
    if (assistant.AGENTLOADED == 0) {
        std::fprintf(stderr, "the character did not load\n");
        return 1;
    }

    const double closed = requestsMs(assistant);
    START([&] { assistant.TogglePlayControl(); });
    Window* control = drive::waitForWindow("Playcontrol");
    if (!control) {
        std::fprintf(stderr, "the play control did not open\n");
        return 1;
    }
    drive::click(*control, "?SHOWSTEPS");
    const double open = requestsMs(assistant);
    START([&] { assistant.TogglePlayControl(); });
    Scheduler::instance().pumpUntil([&] { return assistant.PLAYCONTROLACTIVE == 0; });

    bench::onThread([&] { assistant.Destruct(); });
    std::printf("%d requests: play control closed %.1f ms, open and unfolded %.1f ms, ratio %.2f (target: at most 1.3)\n",
                kRequests, closed, open, open / closed);
    return 0;
}
