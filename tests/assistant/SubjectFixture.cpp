#include "SubjectFixture.h"

#include "app/frame/ProcedureServices.h"
#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/system/Errors.h"

using namespace platform;

std::string speakLine(const std::string& text) { return "Speak Merlin \"" + text + "\""; }

void SubjectFixture::SetUp() {
    TracedAgentFixture::SetUp();
    procedureServices().assistant = &assistant;
    procedureServices().makeRestyle = [this] { return std::make_unique<RecordingRestyle>(restyleTrace); };
    assistant.PLAYAGENTALERTKEY = KEY::F12;
    assistant.PLAYCONTROLKEY = KEY::Shift + KEY::F12;
}

void SubjectFixture::TearDown() {
    while (drive::answerMessage("OK")) drive::settle();
    for (int round = 0; round < 4; ++round) {
        for (Window* w : Window::openWindows())
            if (Window::topWindowOf(w->thread()) == w && w != &probe->window() && !w->spec().hidden)
                w->post({EVENT::CloseWindow, 0, 0});
        drive::settle();
    }
    resetProcedureServices();
    TracedAgentFixture::TearDown();
}

void SubjectFixture::addRow(const std::string& procedure, const std::string& subject, Long step,
                            const std::function<void(AGNTFILERecord&)>& fill) {
    clearRecord(AGNTFILE.rec.fieldTable(), &AGNTFILE.rec);
    AGNTFILE.rec.PROCEDURENAME = procedure;
    AGNTFILE.rec.ONDERWERP = subject;
    AGNTFILE.rec.STEP = step;
    AGNTFILE.rec.DONNOTMOVE = 1;
    if (fill) fill(AGNTFILE.rec);
    ASSERT_TRUE(AGNTFILE.add()) << ERROR();
}

void SubjectFixture::addSpokenSubject(const std::string& procedure, const std::string& subject) {
    addRow(procedure, subject, 0);
    addRow(procedure, subject, 1, [&](AGNTFILERecord& r) { r.SPEAK = subject; });
}

Window& SubjectFixture::openProcedure(const std::string& procedure) {
    START([this, procedure] { ProbeProcedure(trace, {.procedure = procedure, .title = procedure}).call(); });
    drive::settle();
    Window* w = drive::waitForWindow(procedure);
    if (!w) throw std::runtime_error("the window did not open");
    return *w;
}

Lines SubjectFixture::spoken() {
    Lines said;
    for (const std::string& line : takeLines())
        if (line.starts_with("Speak ")) said.push_back(line);
    return said;
}

Window* SubjectFixture::chooser() { return drive::window(" Kies een Onderwerp..."); }
