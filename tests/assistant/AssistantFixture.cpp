#include "AssistantFixture.h"

#include "app/frame/ProcedureServices.h"
#include "assistant/Mentavo.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/system/Errors.h"

#include <filesystem>

using namespace platform;

Long TracingAssistant::event() {
    const Window* w = TARGET();
    return w ? w->event() : 0;
}

namespace {

WindowSpec probeWindow(const ProbeOptions& options) {
    WindowSpec spec{.label = "P1$WINDOW",
            .title = options.title,
            .at = {30, 40, 240, options.more.empty() ? 100 : 200},
            .pixels = true,
            .resizable = options.resizable,
            .controls = {{.type = CREATE::entry, .label = "?Name", .at = {8, 8, 120, 20}},
                         {.type = CREATE::button, .label = "?OpenButton", .text = "&Open", .at = {8, 40, 80, 24}},
                         {.type = CREATE::button, .label = "?CloseButton", .text = "&Close", .at = {100, 40, 80, 24}},
                         {.type = CREATE::button, .label = "?OkButton", .text = "O&k", .at = {190, 40, 40, 24}}}};
    spec.controls.insert(spec.controls.end(), options.more.begin(), options.more.end());
    return spec;
}

}  // namespace

ProbeProcedure::ProbeProcedure(Trace& trace, const ProbeOptions& options)
    : WindowProcedure(options.procedure, probeWindow(options), "?Name"), trace_(&trace), title_(options.title) {}

Byte ProbeProcedure::TakeAccepted() {
    const Long field = window().field();
    trace_->add(withNumber(title_ + ".Accepted", field));
    if (field == equate("?OpenButton")) ProbeProcedure(*trace_, {.procedure = "Nested", .title = "Nested"}).call();
    if (field == equate("?CloseButton")) window().post({EVENT::CloseWindow, 0, 0});
    return WindowProcedure::TakeAccepted();
}

Byte ProbeProcedure::TakeWindowEvent() {
    const Byte result = WindowProcedure::TakeWindowEvent();
    if (window().event() == EVENT::AlertKey) trace_->add(withNumber(title_ + ".AlertKey", KEYCODE()));
    return result;
}

// A key of the window's own, beside the assistant's.
void ProbeProcedure::setUp() { window().alert(0, KEY::F9); }

void AssistantFixture::SetUp() {
    previousFolder_ = std::filesystem::current_path().string();
    std::filesystem::current_path(folder.path());
    procedureServices().assistant = &assistant;
    procedureServices().makeRestyle = [this] { return std::make_unique<RecordingRestyle>(restyleTrace); };
    MentavoModuleInit(0);
    assistant.Clear();
    assistant.BUFFERINDEX = 1;
    assistant.BUFFERPOS = 1;
    assistant.Construct();
    assistant.TRAINMODEKEY = KEY::Shift + KEY::F10;
    assistant.ACTIVATEALERTKEY = KEY::Shift + KEY::F11;
    assistant.PLAYAGENTALERTKEY = KEY::F12;
    assistant.PLAYCONTROLKEY = KEY::Shift + KEY::F12;
}

void AssistantFixture::TearDown() {
    while (drive::answerMessage("OK")) drive::settle();
    for (int round = 0; round < 4 && !Window::openWindows().empty(); ++round) {
        for (Window* w : Window::openWindows())
            if (Window::topWindowOf(w->thread()) == w) w->post({EVENT::CloseWindow, 0, 0});
        drive::settle();
    }
    MentavoModuleInit(1);
    assistant.Destruct();
    resetProcedureServices();
    std::filesystem::current_path(previousFolder_);
}

void AssistantFixture::addStep(const std::string& procedure, const std::string& subject, Long step) {
    clearRecord(AGNTFILE.rec.fieldTable(), &AGNTFILE.rec);
    AGNTFILE.rec.PROCEDURENAME = procedure;
    AGNTFILE.rec.ONDERWERP = subject;
    AGNTFILE.rec.STEP = step;
    ASSERT_TRUE(AGNTFILE.add()) << ERROR();
}

void AssistantFixture::removeSteps(const std::string& procedure) {
    AGNTFILE.rec.PROCEDURENAME = procedure;
    AGNTFILE.set(AGNTFILE.KEY_PRC, AGNTFILE.KEY_PRC);
    while (AGNTFILE.next() && clip(AGNTFILE.rec.PROCEDURENAME.view()) == procedure) AGNTFILE.remove();
}

Window& AssistantFixture::openProbe(const ProbeOptions& options) {
    START([this, options] { ProbeProcedure(trace, options).call(); });
    drive::settle();
    Window* w = drive::waitForWindow(options.title);
    if (!w) throw std::runtime_error("the probe window did not open");
    return *w;
}

Long AssistantFixture::assistantButton(Window& window) {
    for (Long n : window.controlNumbers())
        if (window.property(n, PROP::Icon) == "~MentavoButton.ico") return n;
    return 0;
}

void AssistantFixture::closeWindow(Window& window) {
    drive::closeByCloseBox(window);
    drive::settle();
}
