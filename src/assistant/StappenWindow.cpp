// The steps overview: a maximized window over the procedure window that
// shows only its frame, its title bar, its buttons and a numbered yellow
// marker at every step of the subject, the markers joined by yellow lines
// in step order. The author edits the training window's steps in memory:
// a marker opens its step in the edit panel, "&Nieuwe" places a new step
// after the current one with the mouse, and steps are deleted, moved and
// played. Closing writes the subject's steps back, numbered 1, 2, 3 ... in
// their order, all of them or, when a write fails, none.
#include "assistant/AssistantClass.h"
#include "assistant/Mentavo.h"
#include "assistant/P72_STAPPENWINDOW.h"
#include "assistant/StepMarkers.h"
#include "assistant/SubjectRows.h"

#include "platform/files/FileSavepoint.h"
#include "platform/message/Message.h"
#include "platform/system/Errors.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/Region.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"

#include <algorithm>

using namespace platform;

namespace {

constexpr Long kPanelFill = 0x800000;
constexpr Long kPanelText = 0xFFFFFF;
constexpr Long kTick = 1;        // a hundredth of a second: the character keeps up with the pointer

// The bottom rows, placed up from the bottom of the maximized window by so
// many heights of a button, plus a margin (window units).
const struct {
    const char* control;
    const char* measured;
    Long heights, margin;
} kBottomRows[] = {
    {"?ACTIEVESTAPSTRING", "?REFRESHBUTTON", 4, 10}, {"?NIEUWEBUTTON", "?NIEUWEBUTTON", 3, 10},
    {"?WIJZIGBUTTON", "?WIJZIGBUTTON", 3, 10},       {"?VERWIJDERBUTTON", "?VERWIJDERBUTTON", 3, 10},
    {"?STAPOMHOOG", "?VERWIJDERBUTTON", 3, 10},      {"?STAPOMLAAG", "?VERWIJDERBUTTON", 3, 10},
    {"?REFRESHBUTTON", "?SLUITENBUTTON", 2, 7},      {"?SLUITENBUTTON", "?SLUITENBUTTON", 2, 7},
};

// The panel's texts are read on its dark box.
bool textOnPanel(Long type) {
    return type == CREATE::prompt || type == CREATE::string || type == CREATE::check || type == CREATE::radio ||
           type == CREATE::option;
}

class StepsOverview : private StappenLocals {
public:
    StepsOverview(AssistantClass& assistant, Queue<AGENTSTAPRecord>& steps, std::string procedure,
                  std::string subject)
        : a_(assistant), steps_(steps), procedure_(std::move(procedure)), subject_(std::move(subject)) {}
    void run();

private:
    using Handler = void (StepsOverview::*)();

    void open();
    void placeBottomRows();
    void colourPanel();
    void take();
    void takeAccepted(Long field);
    void closeWindow();

    void DrawStepMarkers();
    void PlayAllSteps();
    void CloseStepEditor();
    void WriteStepsBack();

    // The rows numbered 1 ... N in their order, as they are written back.
    void numberInOrder();
    Long rows() const { return static_cast<Long>(steps_.records()); }
    void setStatus();
    // What the author typed into the current row; a failure says which action it was.
    void storeCurrent(int action);
    void storeAndReadBack(int action);
    void sayQueueError(const std::string& label) const;
    void showPanel();
    void hidePanel();
    bool placing() const { return window_.numberProperty(0, PROP::Timer) != 0; }
    void placeNewStep();
    void moveStep(Long to);
    void playStep(const AGENTSTAPRecord& step);

    void refresh();
    void startPlacing();
    void togglePanel();
    void deleteStep();
    void moveLater() { moveStep(current_ + 1); }
    void moveEarlier() { moveStep(current_ - 1); }
    void testSubject();
    void testStep();
    void chooseMarker(Long marker);
    void close() { window_.post({.event = EVENT::CloseWindow}); }

    AssistantClass& a_;
    Queue<AGENTSTAPRecord>& steps_;
    const std::string procedure_, subject_;  // the training window's, whatever the assistant heard since
    Window window_{P72_STAPPENWINDOW(*this, steps_.rec)};
    const Long firstEntry_ = window_.equate("?FIRSTENTRYCONTROL");
    const Long lastEntry_ = window_.equate("?LASTENTRYCONTROL");
    Long current_ = 0;  // the current row, 0 without rows
    StepMarkers markers_{a_, window_};
    Long box_ = 0;  // behind the edit panel while it shows
    bool panelShown_ = false;
    AssistantFields::Point offset_;  // of the character from the pointer, by the corner of the step played last
    AssistantFields::Point seen_;    // the pointer at the previous tick while a new step is placed
};

// It opens on the step the training window was on.
void StepsOverview::run() {
    current_ = std::clamp(static_cast<Long>(steps_.pointer()), std::min<Long>(1, rows()), rows());
    numberInOrder();
    open();
    while (window_.accept()) take();
    closeWindow();
}

void StepsOverview::open() {
    window_.open();
    window_.setProperty(0, PROP::Imm, 1);  // a move comes as it begins, and is refused
    window_.setProperty(0, PROP::Maximize, 1);
    placeBottomRows();
    colourPanel();
    RECT whole;
    if (GetWindowRect(window_.handle(), whole))
        SetWindowRgn(window_.handle(), Region::rectangle(0, 0, whole.right - whole.left, whole.bottom - whole.top),
                     true);
    a_.FillAnimationList(ANIMATIONS);
    DrawStepMarkers();
    PlayAllSteps();
}

void StepsOverview::placeBottomRows() {
    const Long height = window_.numberProperty(0, PROP::Height);
    for (const auto& row : kBottomRows) {
        const Long measured = window_.numberProperty(window_.equate(row.measured), PROP::Height);
        window_.setProperty(window_.equate(row.control), PROP::Ypos, height - row.heights * measured - row.margin);
    }
}

void StepsOverview::colourPanel() {
    window_.setProperty(window_.equate("?AGENTSTAPQUE:CURSORPOSTOVAGENT"), PROP::Boxed, 1);
    for (Long n = firstEntry_; n <= lastEntry_; ++n) {
        const Long type = window_.control(n)->type;
        if (textOnPanel(type)) window_.setProperty(n, PROP::FontColor, kPanelText);
        if (type == CREATE::box) window_.setProperty(n, PROP::Color, kPanelText);
    }
}

void StepsOverview::take() {
    switch (window_.event()) {
        case EVENT::Move: window_.cycle(); break;  // it covers the screen and stays so
        case EVENT::GainFocus:
            if (placing()) SetCapture(window_.handle());
            break;
        case EVENT::Timer:
            if (placing()) a_.followPointer(seen_, offset_);
            break;
        case EVENT::AlertKey:
            if (placing() && window_.keyCode() == KEY::MouseLeft) placeNewStep();
            break;
        case EVENT::Accepted: takeAccepted(window_.field()); break;
        default: break;
    }
}

void StepsOverview::takeAccepted(Long field) {
    static const std::pair<const char*, Handler> handlers[] = {
        {"?REFRESHBUTTON", &StepsOverview::refresh},
        {"?NIEUWEBUTTON", &StepsOverview::startPlacing},
        {"?WIJZIGBUTTON", &StepsOverview::togglePanel},
        {"?VERWIJDERBUTTON", &StepsOverview::deleteStep},
        {"?STAPOMHOOG", &StepsOverview::moveLater},
        {"?STAPOMLAAG", &StepsOverview::moveEarlier},
        {"?SLUITENBUTTON", &StepsOverview::close},
        {"?TESTONDERWERPBUTTON", &StepsOverview::testSubject},
        {"?TESTSTAPBUTTON", &StepsOverview::testStep},
        {"?ASSISTENTPOSITIEBUTTON", &StepsOverview::CloseStepEditor},
        {"?VERBERGENBUTTON", &StepsOverview::CloseStepEditor},
    };
    if (markers_.isMarker(field)) return chooseMarker(field);
    for (const auto& [label, handler] : handlers)
        if (field == window_.equate(label)) return (this->*handler)();
}

// However it closes (Sluiten, Esc, its close box).
void StepsOverview::closeWindow() {
    storeAndReadBack(7);
    ReleaseCapture();
    window_.close();
    a_.StopAll("");
    WriteStepsBack();
}

// ---- the markers, the lines and the window's shape ----------------------------

void StepsOverview::DrawStepMarkers() {
    markers_.draw(steps_);
    if (rows() > 0) steps_.get(static_cast<std::size_t>(current_));
    setStatus();
    window_.display();
}

void StepsOverview::setStatus() {
    STATUS = rows() > 0 ? " Stap: " + std::to_string(current_) + " van " + subject_
                        : " Er zijn nog geen stappen bij onderwerp " + subject_ + " gedefinieerd...";
}

// ---- the rows ------------------------------------------------------------------

void StepsOverview::numberInOrder() {
    for (Long row = 1; row <= rows(); ++row) {
        if (steps_.at(static_cast<std::size_t>(row)).STEP == row) continue;
        steps_.get(static_cast<std::size_t>(row));
        steps_.rec.STEP = row;
        steps_.put();
    }
}

void StepsOverview::storeCurrent(int action) {
    if (rows() == 0) return;
    window_.update();
    if (!steps_.put()) sayQueueError("Kan stap niet opslaan(" + std::to_string(action) + "):");
}

void StepsOverview::storeAndReadBack(int action) {
    storeCurrent(action);
    if (rows() > 0 && !steps_.get(static_cast<std::size_t>(current_))) sayQueueError("2:");
}

void StepsOverview::sayQueueError(const std::string& label) const {
    MESSAGE(label + errorTextFor(steps_.lastError()));
}

// The subject's steps go and the rows come in their place, in one go: at
// the first write that fails the file keeps the steps it had.
void StepsOverview::WriteStepsBack() {
    FileSavepoint writing(AGNTFILE);
    const auto failed = [&](const char* label) {
        writing.rollback();
        MESSAGE(label + ERROR());
    };
    if (!removeSteps(procedure_, subject_)) return failed("Kan stap niet verwijderen:");
    for (Long row = 1; row <= rows(); ++row) {
        copyStep(steps_.at(static_cast<std::size_t>(row)), AGNTFILE.rec);
        AGNTFILE.rec.PROCEDURENAME = procedure_;
        AGNTFILE.rec.ONDERWERP = subject_;
        AGNTFILE.rec.STEP = row;
        if (!AGNTFILE.add()) return failed("Kan stap niet toevoegen:");
    }
    writing.release();
}

// ---- playing -------------------------------------------------------------------

// The rows are read where they lie: the current one stays in the buffer.
void StepsOverview::PlayAllSteps() {
    a_.StopAll("");
    for (Long row = 1; row <= rows(); ++row) playStep(steps_.at(static_cast<std::size_t>(row)));
}

void StepsOverview::playStep(const AGENTSTAPRecord& step) {
    offset_ = a_.CornerOffset(clip(step.CURSORPOSTOVAGENT.view()));
    AGNTFILERecord played;
    copyStep(step, played);
    a_.PlayStep(played);
}

void StepsOverview::refresh() {
    storeCurrent(1);
    DrawStepMarkers();
    PlayAllSteps();
}

void StepsOverview::testSubject() {
    CloseStepEditor();
    PlayAllSteps();
}

void StepsOverview::testStep() {
    CloseStepEditor();
    if (rows() > 0) playStep(steps_.rec);
}

// ---- the edit panel --------------------------------------------------------------

void StepsOverview::CloseStepEditor() {
    storeAndReadBack(8);
    a_.StopAll("");
    if (!panelShown_) return;
    hidePanel();
    DrawStepMarkers();
}

// There is no step to edit without rows.
void StepsOverview::togglePanel() {
    storeCurrent(3);
    a_.StopAll("");
    if (panelShown_)
        hidePanel();
    else if (rows() > 0)
        showPanel();
    else
        return;
    DrawStepMarkers();
}

// A dark box behind the panel's controls, at the panel's place.
void StepsOverview::showPanel() {
    const auto at = [&](Long prop) { return static_cast<int>(window_.numberProperty(firstEntry_, prop)); };
    box_ = window_.create(
        {.type = CREATE::box, .at = {at(PROP::Xpos), at(PROP::Ypos), at(PROP::Width), at(PROP::Height)}});
    window_.setProperty(box_, PROP::Fill, kPanelFill);
    window_.setProperty(box_, PROP::Hide, 0);
    for (Long n = firstEntry_; n <= lastEntry_; ++n) window_.setProperty(n, PROP::Hide, 0);
    panelShown_ = true;
}

void StepsOverview::hidePanel() {
    for (Long n = firstEntry_; n <= lastEntry_; ++n) window_.setProperty(n, PROP::Hide, 1);
    window_.destroy(box_);
    box_ = 0;
    panelShown_ = false;
}

void StepsOverview::chooseMarker(Long marker) {
    storeCurrent(6);
    current_ = markers_.rowOf(marker);
    steps_.get(static_cast<std::size_t>(current_));
    setStatus();
    if (!panelShown_) window_.post({.event = EVENT::Accepted, .field = window_.equate("?WIJZIGBUTTON")});
    window_.display();
}

// ---- changing the rows ----------------------------------------------------------

// The character follows the pointer until the author clicks the new step's place.
void StepsOverview::startPlacing() {
    storeCurrent(2);
    a_.StopAll("");
    CloseStepEditor();
    SetCapture(window_.handle());
    window_.alert(0, KEY::MouseLeft);
    window_.setProperty(0, PROP::Timer, kTick);
    a_.readPointer();
    seen_ = a_.MOUSEPOS;
    a_.moveToPointer(offset_);
}

// The new step comes after the current one, where the pointer is; the panel
// opens on it.
void StepsOverview::placeNewStep() {
    window_.unalert(0, KEY::MouseLeft);
    window_.setProperty(0, PROP::Timer, 0);
    ReleaseCapture();
    a_.readPointer();
    current_ += 1;
    steps_.rec = newStep(a_, procedure_, subject_, current_);
    steps_.add(static_cast<std::size_t>(current_));
    numberInOrder();
    DrawStepMarkers();
    window_.post({.event = EVENT::Accepted, .field = window_.equate("?WIJZIGBUTTON")});
}

// No question; the row before becomes current when the last goes, and the
// panel closes with the last step.
void StepsOverview::deleteStep() {
    if (rows() == 0) return;
    steps_.get(static_cast<std::size_t>(current_));
    steps_.remove();
    numberInOrder();
    current_ = std::min(current_, rows());
    if (rows() == 0 && panelShown_) hidePanel();
    DrawStepMarkers();
}

// In this window the up arrow moves a step later and the down arrow earlier.
void StepsOverview::moveStep(Long to) {
    storeCurrent(to > current_ ? 4 : 5);
    if (to < 1 || to > rows()) return;
    const AGENTSTAPRecord moved = steps_.at(static_cast<std::size_t>(current_));
    steps_.get(static_cast<std::size_t>(current_));
    steps_.remove();
    steps_.rec = moved;
    steps_.add(static_cast<std::size_t>(to));
    numberInOrder();
    current_ = to;
    DrawStepMarkers();
}

}  // namespace

void AssistantClass::StappenWindow(Queue<AGENTSTAPRecord>& steps, const std::string& procedure,
                                   const std::string& subject) {
    StepsOverview(*this, steps, procedure, subject).run();
}
