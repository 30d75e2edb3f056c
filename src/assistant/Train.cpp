// The training window: for the procedure of the window the training key was
// pressed in, the author keeps its subjects and the ordered steps of each,
// places, tests and records steps, and sets the assistant's character,
// language and speeds. A step is stored as soon as anything else happens
// (another step, tab or subject, a test, the close); the settings when the
// window closes. Every change that writes several rows writes all or none.
#include "assistant/AgentEvents.h"
#include "assistant/AnimationNames.h"
#include "assistant/AssistantClass.h"
#include "assistant/Mentavo.h"
#include "assistant/P47_TRAINWINDOW.h"
#include "assistant/SubjectRows.h"
#include "assistant/SubjectWindow.h"

#include "platform/fiber/Scheduler.h"
#include "platform/files/FileSavepoint.h"
#include "platform/message/Message.h"
#include "platform/system/Errors.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/Region.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"

#include <cstdint>
#include <limits>

using namespace platform;

namespace {

constexpr const char* kFirstSubject = "Algemeen";
constexpr const char* kLanguageUnset = "Nederlands";
constexpr const char* kNoSubject = "Voeg eerst een Onderwerp toe!";
constexpr const char* kNoStep = "Definieer eerst een stap!";
constexpr Long kCharacterSpeed = 1000;

// The sheet's tabs, as PROP:Selected counts them.
enum Tab : Long { ProceduresTab = 1, SubjectsTab, StepTab, GeneralTab, AboutTab };

// The languages in name order; 1043 twice, so a stored 1043 shows as "Dutch".
const struct {
    const char* name;
    Long id;
} kLanguages[] = {
    {"Arabic", 1025},       {"Basque", 1069},    {"Chinese (Simplified)", 2052}, {"Chinese (Traditional)", 1028},
    {"Croatian", 1050},     {"Czech", 1029},     {"Danish", 1030},               {"Dutch", 1043},
    {"English (British)", 2057}, {"English (US)", 1033}, {"Finnish", 1035},      {"French", 1036},
    {"German ", 1031},      {"Greek", 1032},     {"Hebrew", 1037},               {"Hungarian", 1038},
    {"Italian", 1040},      {"Japanese", 1041},  {"Korean", 1042},               {"Nederlands", 1043},
    {"Norwegian", 1044},    {"Polish", 1045},    {"Portuguese", 2070},           {"Portuguese (Brazilian)", 1046},
    {"Romanian", 1048},     {"Russian", 1049},   {"Slovakian", 1051},            {"Slovenian", 1060},
    {"Spanish", 3082},      {"Swedish", 1053},   {"Thai", 1054},                 {"Turkish", 1055},
};

// The spin boxes take what their fields hold.
const struct {
    const char* label;
    Long low, high;
} kSpinRanges[] = {
    {"?AGENTSTAP:POSITIONX", std::numeric_limits<Short>::min(), std::numeric_limits<Short>::max()},
    {"?AGENTSTAP:POSITIONY", std::numeric_limits<Short>::min(), std::numeric_limits<Short>::max()},
    {"?AGENTSTAP:SPEED", std::numeric_limits<Short>::min(), std::numeric_limits<Short>::max()},
    {"?SELF:SPEAKSPEED", 0, std::numeric_limits<Byte>::max()},
    {"?SELF:SLOWDOWNMOUSEVENTS", 0, std::numeric_limits<UShort>::max()},
    {"?SELF:TIMEOUTMOUSEEVENT", 0, std::numeric_limits<Long>::max()},
    {"?SELF:TYPESNELHEID", 0, std::numeric_limits<Byte>::max()},
    {"?SELF:SPEAKDELAY", 0, std::numeric_limits<Byte>::max()},
    {"?T1", 0, std::numeric_limits<Byte>::max()},
    {"?T2", 0, std::numeric_limits<Byte>::max()},
};

// The buttons a step needs, shown on the tabs that show steps.
constexpr const char* kStepButtons[] = {"?WIJZIGSTAPBUTTON", "?VERWIJDERSTAPBUTTON", "?STAPTOEVOEGENBUTTON",
                                        "?RECORDEVENTS"};

bool confirmed(const std::string& question) {
    return MESSAGE(question, "", ICON_EXCLAMATION, "&Ja|&Nee", 1) == 1;
}

class Training : private TrainLocals {
public:
    explicit Training(AssistantClass& assistant) : a_(assistant) {}
    void run();

private:
    using Handler = void (Training::*)();

    // The procedure window: its handle, its place, its title.
    void takeProcedureWindow();
    bool LoadTrainSettings();
    void fillLanguages();
    void open();
    void take();
    void takeAccepted(Long field);
    void storeSettings();

    void RefreshLists();
    void fillSubjects();
    void SaveCurrentStep();
    void LoadSelectedStep();
    bool AddStepRow(Long number);
    void HideTrainWindow();

    void changeTab();
    void recordEvents();
    void previousStep() { moveSelection(-1); }
    void nextStep() { moveSelection(1); }
    void moveSelection(Long by);
    void chooseLanguage();
    void deleteProcedure();
    void completeAnimation();
    void chooseSubject();
    void newSubject();
    void renameSubject();
    void deleteSubject();
    void moveStepUp() { moveStep(-1); }
    void moveStepDown() { moveStep(1); }
    void moveStep(Long by);
    void addStep();
    void editStep();
    void deleteStep();
    void placeCharacter();
    void testSubject();
    void testStep();
    void showSteps();
    void closeWindow() { window_.post({.event = EVENT::CloseWindow}); }
    void followWindow();

    std::string procedure() const { return PROCEDURENAME.str(); }
    std::string subject() const { return clip(a_.ONDERWERP.view()); }
    Long selected(Long list) const { return window_.numberProperty(list, PROP::Selected); }
    void selectStep(Long number);
    AGNTFILERecord stepRecord() const;

    AssistantClass& a_;
    std::string title_;       // the procedure window's: it describes new subjects
    AGENTSTAPRecord loaded_;  // the step as read: its key finds the stored row
    Window window_{P47_TRAINWINDOW(*this, a_)};
    const Long sheet_ = window_.equate("?SELECTEDSHEET");
    const Long procedureList_ = window_.equate("?AGENTPROCEDURELIST");
    const Long subjectList_ = window_.equate("?AGENTONDERWERPLIST");
    const Long stepList_ = window_.equate("?AGENTSTAPLIST");
};

void Training::run() {
    PROCEDURENAME = a_.PROCEDURENAME.view();
    takeProcedureWindow();
    if (!LoadTrainSettings()) return;
    open();
    while (window_.accept()) take();
    window_.close();
    storeSettings();
}

// Steps lie relative to the window they were made for: its place is taken
// from it, whichever window the assistant worked for last.
void Training::takeProcedureWindow() {
    POINT pointer;
    if (GetCursorPos(pointer))
        a_.MOUSEPOS = {pointer.x, pointer.y};
    else
        MESSAGE("Kan Cursor positie niet bepalen!");
    if (const Window* window = TARGET()) {
        a_.PROCEDUREWINDOWHANDLE = window->handle();
        title_ = window->property(0, PROP::Text);
    }
    a_.TakeWindowPosition(a_.PROCEDUREWINDOWHANDLE);
}

bool Training::LoadTrainSettings() {
    if (a_.INITIALIZED == 0) {
        a_.Init({}, a_.AGENTNAME.str());
        if (clip(a_.AGENTNAME.view()).empty()) {
            MESSAGE("Geef eerst Ms Agent karakter op...");
            return false;
        }
        if (a_.INITIALIZED == 0) a_.Init({}, a_.AGENTNAME.str());
        if (a_.INITIALIZED == 0) return false;
    }
    AGENTNAME = a_.AGENTNAME.view();
    a_.FillAnimationList(ANIMATIONS);
    AGENTSTAP.PROCEDURENAME = PROCEDURENAME.view();
    a_.ONDERWERP = readSetting(procedure()) ? clip(AGNTSET.rec.VALUE.view()) : std::string(kFirstSubject);
    AGENTSTAP.ONDERWERP = a_.ONDERWERP.view();
    loadNumberSetting("ZoekVensterTransparant", ZOEKVENSTERTRANSPARANT, 0);
    fillLanguages();
    a_.ReadNumberSettings({"SlowDownMousEvents", "TimeOutMouseEvent", "TypeSnelheid", "UseMentavoButton"});
    a_.Show(0);
    return true;
}

// The language the stored id names first; none for an id no language has.
void Training::fillLanguages() {
    for (const auto& language : kLanguages) {
        LQ.rec.LANGUAGE = language.name;
        LQ.rec.LANGUAGEID = language.id;
        LQ.add({{"LANGUAGE"}});
    }
    if (!readSetting("Language")) {
        LANGUAGE = kLanguageUnset;
        return;
    }
    const auto id = static_cast<Long>(leadingNumber(AGNTSET.rec.VALUE.view()));
    LANGUAGE = "";
    for (std::size_t row = 1; row <= LQ.records(); ++row)
        if (LQ.at(row).LANGUAGEID == id) return void(LANGUAGE = LQ.at(row).LANGUAGE.view());
}

void Training::open() {
    window_.open();
    window_.setProperty(0, PROP::Text, window_.property(0, PROP::Text) + " " + procedure());
    window_.setProperty(window_.equate("?AGENTSTAP:CURSORPOSTOVAGENT"), PROP::Boxed, 1);
    for (const auto& spin : kSpinRanges) {
        window_.setProperty(window_.equate(spin.label), PROP::RangeLow, spin.low);
        window_.setProperty(window_.equate(spin.label), PROP::RangeHigh, spin.high);
    }
    window_.select(window_.equate("?ONDERWERPTAB"));
    a_.ShapeWindowCorners(window_.handle());
    RefreshLists();
}

void Training::take() {
    const Long field = window_.field();
    switch (window_.event()) {
        case EVENT::OpenWindow:
            window_.setProperty(stepList_, PROP::Selected, static_cast<Long>(ASQ.records()));
            window_.post({.event = EVENT::Moved});
            break;
        case EVENT::Moved: followWindow(); break;
        case EVENT::NewSelection:
            if (field == sheet_) changeTab();
            if (field == subjectList_) chooseSubject();
            if (field == stepList_) LoadSelectedStep();
            break;
        case EVENT::Accepted: takeAccepted(field); break;
        case EVENT::CloseWindow: SaveCurrentStep(); break;
        default: break;
    }
    // The settings shown twice ("Volume:" is "Spreek snelheid:") show the change.
    window_.display();
}

void Training::takeAccepted(Long field) {
    static const std::pair<const char*, Handler> handlers[] = {
        {"?RECORDEVENTS", &Training::recordEvents},
        {"?VORIGESTAP", &Training::previousStep},
        {"?VOLGENDESTAP", &Training::nextStep},
        {"?LANGUAGE", &Training::chooseLanguage},
        {"?VERWIJDERPROCEDUREBUTTON", &Training::deleteProcedure},
        {"?AGENTSTAPANIMATE", &Training::completeAnimation},
        {"?AGENTONDERWERPLIST", &Training::chooseSubject},
        {"?NIEUWONDERWERPBUTTON", &Training::newSubject},
        {"?WIJZIGONDERWERPBUTTON", &Training::renameSubject},
        {"?VERWIJDERONDERWERPBUTTON", &Training::deleteSubject},
        {"?AGENTSTAPLIST", &Training::LoadSelectedStep},
        {"?STAPOMHOOG", &Training::moveStepUp},
        {"?STAPOMLAAG", &Training::moveStepDown},
        {"?STAPTOEVOEGENBUTTON", &Training::addStep},
        {"?WIJZIGSTAPBUTTON", &Training::editStep},
        {"?VERWIJDERSTAPBUTTON", &Training::deleteStep},
        {"?ASSISTENTPOSITIEBUTTON", &Training::placeCharacter},
        {"?TESTONDERWERPBUTTON", &Training::testSubject},
        {"?TESTMOUSEPOSBUTTON", &Training::testStep},
        {"?STAPPENZIENBUTTON", &Training::showSteps},
        {"?OKBUTTON", &Training::closeWindow},
    };
    for (const auto& [label, handler] : handlers)
        if (field == window_.equate(label)) return (this->*handler)();
}

// The subject becomes the procedure's last; a character of another name is
// loaded; the settings are stored in the order the assistant reads them.
void Training::storeSettings() {
    a_.PutSetting(a_.ONDERWERP.str(), procedure());
    if (clip(AGENTNAME.view()) != clip(a_.AGENTNAME.view())) {
        a_.UnloadCharacter();
        a_.AGENTNAME = clip(AGENTNAME.view());
        a_.PutSetting(a_.AGENTNAME.str(), "~MSAgent.Character");
        a_.SetCharacter({}, a_.AGENTNAME.str());
        a_.LoadCharacter({}, a_.AGENTNAME.str());
        a_.AGENTFILENAME = "";
        a_.Show(0);
    }
    const struct {
        const char* setting;
        double value;
    } settings[] = {
        {"ZoekVensterTransparant", double(ZOEKVENSTERTRANSPARANT)},
        {"SpeakDelay", double(a_.SPEAKDELAY)},
        {"SpeakSpeed", double(a_.SPEAKSPEED)},
        {"Language", double(a_.LANGUAGEID)},
        {"AssistentBinnenBureaublad", double(a_.ASSISTENTBINNENBUREAUBLAD)},
        {"SlowDownMousEvents", double(a_.SLOWDOWNMOUSEVENTS)},
        {"TimeOutMouseEvent", double(a_.TIMEOUTMOUSEEVENT)},
        {"TypeSnelheid", double(a_.TYPESNELHEID)},
        {"UseMentavoButton", double(a_.USEMENTAVOBUTTON)},
    };
    for (const auto& s : settings) a_.PutSetting(numberText(s.value), s.setting);
}

// ---- the lists and the step being edited -----------------------------------------

void Training::RefreshLists() {
    APQ.free();
    for (const auto& [name, description] : proceduresOfFile()) {
        APQ.rec.PROCEDURENAME = name;
        APQ.rec.PROCEDUREOMSCHRIJVING = description;
        APQ.add();
    }
    fillSubjects();
    ASQ.free();
    clearRecord(AGENTSTAP.fieldTable(), &AGENTSTAP);
    loaded_ = AGENTSTAP;
    readSteps(procedure(), subject(), ASQ);
    if (ASQ.records() > 0) {
        ASQ.get(ASQ.records());
        AGENTSTAP = loaded_ = ASQ.rec;
    }
    window_.setProperty(stepList_, PROP::Selected, static_cast<Long>(ASQ.records()));
    window_.display();
}

// In key order, so each subject is listed once; the current one selected,
// else the last.
void Training::fillSubjects() {
    AOQ.free();
    Long current = 0;
    for (const std::string& name : subjectsOf(procedure(), Subjects::All)) {
        AOQ.rec.ONDERWERP = name;
        AOQ.add();
        if (name == subject()) current = static_cast<Long>(AOQ.records());
    }
    window_.setProperty(subjectList_, PROP::Selected, current != 0 ? current : static_cast<Long>(AOQ.records()));
}

// What the author is still typing counts; a step that did not change is not
// written again.
void Training::SaveCurrentStep() {
    window_.update();
    if (AGENTSTAP.STEP <= 0 || sameStep(AGENTSTAP, loaded_)) return;
    if (readStep(clip(loaded_.PROCEDURENAME.view()), clip(loaded_.ONDERWERP.view()), loaded_.STEP)) {
        copyStep(AGENTSTAP, AGNTFILE.rec);
        if (!AGNTFILE.put()) sayFileError("Er is een fout opgetreden bij opslaan van de stap:");
    }
    ASQ.rec.STEP = loaded_.STEP;
    if (ASQ.get({{"STEP"}})) {
        ASQ.rec = AGENTSTAP;
        ASQ.put();
    }
    loaded_ = AGENTSTAP;
    window_.display();
}

// A step that cannot be read is loaded as the list has it, so that it is not
// stored over the step loaded before.
void Training::LoadSelectedStep() {
    SaveCurrentStep();
    if (!ASQ.get(static_cast<std::size_t>(std::max<Long>(selected(stepList_), 0)))) return;
    AGENTSTAP = ASQ.rec;
    if (readStep(procedure(), subject(), AGENTSTAP.STEP))
        copyStep(AGNTFILE.rec, AGENTSTAP);
    else
        sayFileError("Er is een fout opgetreden bij het ophalen van de stap: ");
    loaded_ = AGENTSTAP;
    window_.display();
}

// The new step, at the pointer's place when the window opened, takes the
// number after the current step's; every later step moves up one, all in
// one go with the new row.
bool Training::AddStepRow(Long number) {
    std::optional<std::string> description = subjectDescription(procedure(), subject());
    if (!description) {
        if (!SubjectWindow(a_, SubjectMode::ForStep, procedure(), title_)) return false;
        description = title_;
    }
    AGENTSTAP = newStep(a_, procedure(), subject(), number);
    AGENTSTAP.PROCEDUREOMSCHRIJVING = clip(*description).empty() ? title_ : *description;
    FileSavepoint adding(AGNTFILE);
    bool added = moveStepsUp(procedure(), subject(), number);
    if (added) {
        copyStep(AGENTSTAP, AGNTFILE.rec);
        added = AGNTFILE.add();
    }
    if (added) {
        adding.release();
        return true;
    }
    adding.rollback();
    AGENTSTAP = loaded_;
    sayFileError("Add:");
    return false;
}

void Training::HideTrainWindow() {
    RECT window;
    if (!GetWindowRect(window_.handle(), window)) return;
    const Region whole = Region::rectangle(0, 0, window.right - window.left, window.bottom - window.top);
    SetWindowRgn(window_.handle(), whole ^ whole, true);
}

void Training::selectStep(Long number) {
    for (std::size_t row = 1; row <= ASQ.records(); ++row)
        if (ASQ.at(row).STEP == number) return window_.setProperty(stepList_, PROP::Selected, static_cast<Long>(row));
}

AGNTFILERecord Training::stepRecord() const {
    AGNTFILERecord step;
    copyStep(AGENTSTAP, step);
    return step;
}

// ---- what the author does ------------------------------------------------------------

void Training::changeTab() {
    SaveCurrentStep();
    const Long tab = selected(sheet_);
    const bool steps = tab == SubjectsTab || tab == StepTab;
    for (const char* label : kStepButtons) window_.setProperty(window_.equate(label), PROP::Hide, steps ? 0 : 1);
}

// The window closes for the recording and opens again when it has ended,
// with the recorded steps after the current one.
void Training::recordEvents() {
    a_.ACTIVATERECORDEVENTS = RECORDER::Requested;
    a_.EVENTQUEUE->free();
    a_.STEPNR = AGENTSTAP.STEP;
    const std::string address = std::to_string(reinterpret_cast<std::uintptr_t>(&a_));
    a_.EVENTWINDOWTHREAD = START([address] { AssistantClass::WatchEventsThread(address); });
    closeWindow();
}

void Training::moveSelection(Long by) {
    const Long row = selected(stepList_) + by;
    if (row < 1 || row > static_cast<Long>(ASQ.records())) return;
    window_.setProperty(stepList_, PROP::Selected, row);
    window_.post({.event = EVENT::Accepted, .field = stepList_});
}

void Training::chooseLanguage() {
    for (std::size_t row = 1; row <= LQ.records(); ++row) {
        if (clip(LQ.at(row).LANGUAGE.view()) != clip(LANGUAGE.view())) continue;
        a_.LANGUAGEID = LQ.at(row).LANGUAGEID;
        POST(AGENT::Language, 0, a_.AGENTWINDOWTHREAD);
        return;
    }
}

void Training::deleteProcedure() {
    if (!APQ.get(static_cast<std::size_t>(std::max<Long>(selected(procedureList_), 0)))) return;
    const std::string name = clip(APQ.rec.PROCEDURENAME.view());
    if (!confirmed("Zeker weten Procedure " + name + " verwijderen ?")) return;
    SaveCurrentStep();
    if (!removeProcedure(name)) sayFileError("Kan stap niet verwijderen:");
    RefreshLists();
}

// A name typed beyond the last animation stays for the author to correct.
void Training::completeAnimation() {
    if (clip(AGENTSTAP.ANIMATE.view()).empty()) return;
    if (const auto name = completedAnimation(AGENTSTAP.ANIMATE.view())) {
        AGENTSTAP.ANIMATE = *name;
        return;
    }
    window_.select(window_.equate("?AGENTSTAPANIMATE"));
}

void Training::chooseSubject() {
    if (!AOQ.get(static_cast<std::size_t>(std::max<Long>(selected(subjectList_), 0)))) return;
    SaveCurrentStep();
    a_.ONDERWERP = AOQ.rec.ONDERWERP.view();
    AGENTSTAP.ONDERWERP = a_.ONDERWERP.view();
    RefreshLists();
}

void Training::newSubject() {
    SaveCurrentStep();
    if (SubjectWindow(a_, SubjectMode::New, procedure(), title_)) RefreshLists();
}

void Training::renameSubject() {
    if (AOQ.records() == 0) return;
    SaveCurrentStep();
    if (SubjectWindow(a_, SubjectMode::Rename, procedure(), title_)) RefreshLists();
}

void Training::deleteSubject() {
    if (AOQ.records() == 0) return;
    if (!confirmed("Zeker weten Onderwerp " + subject() + " verwijderen ?")) return;
    SaveCurrentStep();
    if (!removeSubject(procedure(), subject())) sayFileError("Kan stap niet verwijderen:");
    RefreshLists();
}

// The two steps exchange their numbers, or, when a write fails, keep them.
void Training::moveStep(Long by) {
    const Long row = selected(stepList_), other = row + by;
    if (AOQ.records() == 0 || row < 1 || other < 1 || other > static_cast<Long>(ASQ.records())) return;
    SaveCurrentStep();
    const Long moved = ASQ.at(static_cast<std::size_t>(row)).STEP;
    const Long neighbour = ASQ.at(static_cast<std::size_t>(other)).STEP;
    if (!swapSteps(procedure(), subject(), moved, neighbour)) {
        MESSAGE(ERROR());
        RefreshLists();
        return;
    }
    RefreshLists();
    window_.setProperty(stepList_, PROP::Selected, other);
    LoadSelectedStep();
}

// The author places the new step at once; meanwhile the character waits at
// the window's top right corner.
void Training::addStep() {
    if (AOQ.records() == 0) return void(MESSAGE(kNoSubject));
    const Long number = AGENTSTAP.STEP + 1;
    SaveCurrentStep();
    if (!AddStepRow(number)) return;
    RefreshLists();
    selectStep(number);
    LoadSelectedStep();
    window_.select(window_.equate("?STAPTAB"));
    window_.post({.event = EVENT::Accepted, .field = window_.equate("?ASSISTENTPOSITIEBUTTON")});
    if (!a_.TakeWindowPlacement(window_.handle())) return;
    const auto& placed = a_.WINDOWPLACEMENT.RCNORMALPOSITION;
    a_.MoveTo(placed.RIGHT, placed.TOP, kCharacterSpeed);
}

void Training::editStep() {
    if (ASQ.records() > 0) window_.select(window_.equate("?STAPTAB"));
}

// No question: the step goes, and the later steps keep their numbers.
void Training::deleteStep() {
    if (ASQ.records() == 0) return;
    SaveCurrentStep();
    if (!ASQ.get(static_cast<std::size_t>(std::max<Long>(selected(stepList_), 0)))) return;
    if (!readStep(procedure(), subject(), ASQ.rec.STEP))
        sayFileError("Kan stap niet vinden:");
    else if (!AGNTFILE.remove())
        sayFileError("Kan stap niet verwijderen:");
    RefreshLists();
}

void Training::placeCharacter() {
    SaveCurrentStep();
    HideTrainWindow();
    AGNTFILERecord step = stepRecord();
    a_.BepaalAssistentPositie(step);
    AGENTSTAP.POSITIONX = step.POSITIONX;
    AGENTSTAP.POSITIONY = step.POSITIONY;
    AGENTSTAP.CURSORPOSTOVAGENT = step.CURSORPOSTOVAGENT;
    a_.ShapeWindowCorners(window_.handle());
    SaveCurrentStep();
}

// The procedure the window is for, whichever window the assistant heard
// from meanwhile.
void Training::testSubject() {
    if (ASQ.records() == 0) return void(MESSAGE(kNoStep));
    SaveCurrentStep();
    a_.PROCEDURENAME = PROCEDURENAME.view();
    a_.KiesOnderwerp(1);
    a_.CapturePosition();
}

void Training::testStep() {
    if (ASQ.records() == 0) return void(MESSAGE(kNoStep));
    SaveCurrentStep();
    a_.StopAll("");
    a_.Show(1);
    const AGNTFILERecord step = stepRecord();
    SetCursorPos(step.POSITIONX + a_.WINDOWPOSX, step.POSITIONY + a_.WINDOWPOSY);
    a_.PlayStep(step);
    a_.CapturePosition();
}

void Training::showSteps() {
    if (AOQ.records() == 0) return void(MESSAGE(kNoSubject));
    SaveCurrentStep();
    HideTrainWindow();
    a_.StappenWindow(ASQ, procedure(), subject());
    a_.ShapeWindowCorners(window_.handle());
    RefreshLists();
}

// The character waits at the window's right edge, its feet at half its height.
void Training::followWindow() {
    if (!a_.TakeWindowPlacement(window_.handle())) return;
    const auto& placed = a_.WINDOWPLACEMENT.RCNORMALPOSITION;
    a_.MoveTo(placed.RIGHT, (placed.TOP + placed.BOTTOM - 2 * a_.HEIGHT) / 2, kCharacterSpeed);
}

}  // namespace

void AssistantClass::Train(Byte) {
    if (TRAINMODEON == 0 || clip(PROCEDURENAME.view()).empty()) return;
    Training(*this).run();
}
