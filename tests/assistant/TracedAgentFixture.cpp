#include "TracedAgentFixture.h"

#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"

#include <cstdlib>

using namespace platform;

void TracedAgentFixture::SetUp() {
    previousFolder_ = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    MentavoModuleInit(0);
    assistant.Construct();
    engine.setTrace(trace_);
    // No voice is started: a speech shows its balloon for its reading time.
    if (!trace_) setenv("TABLOOM_SPEECH", "/nonexistent/tabloom-speech", 1);
    bool started = false;
    START([&] {
        assistant.LoadSettings();
        assistant.Init();
        started = true;
    });
    ASSERT_TRUE(Scheduler::instance().pumpUntil([&] { return started; }, std::chrono::seconds(10)));
    ASSERT_EQ(assistant.AGENTLOADED, 1);
    Clock::useFake();
    probe = std::make_unique<ShapeProbe>("Training");
    assistant.TakeWindowPosition(probe->window().handle());
    engine.clearTrace();
}

void TracedAgentFixture::TearDown() {
    drive::dismissPopups();
    probe.reset();
    bool ended = false;
    START([&] {
        assistant.Destruct();
        ended = true;
    });
    Scheduler::instance().pumpUntil([&] { return ended; }, std::chrono::seconds(10));
    Clock::useReal();
    engine.unload("Merlin");
    engine.setTrace(false);
    engine.clearTrace();
    unsetenv("TABLOOM_SPEECH");
    MentavoModuleInit(1);
    std::filesystem::current_path(previousFolder_);
}

Lines TracedAgentFixture::takeLines() {
    drive::settle();
    Lines lines = engine.traceLines();
    engine.clearTrace();
    return lines;
}

std::string TracedAgentFixture::moveTo(Long x, Long y) {
    return "MoveTo Merlin " + std::to_string(x) + " " + std::to_string(y) + " 0";
}

void TracedAgentFixture::advance(int hundredths) {
    Clock::advance(std::chrono::milliseconds(10 * hundredths));
    drive::settle();
}
