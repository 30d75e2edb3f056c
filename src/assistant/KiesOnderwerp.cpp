// The user chooses one of the subjects of the current procedure (F12, the
// assistant button) and it plays on a thread of its own. The chooser searches
// as the user types: the first subject that begins with the text typed is
// selected and shown whole, the part not typed selected, so the next key
// replaces it.
#include "assistant/AssistantClass.h"
#include "assistant/Mentavo.h"
#include "assistant/P58_KIESONDERWERPWINDOW.h"
#include "assistant/SettingRow.h"
#include "assistant/SubjectRows.h"

#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/program/WinHelp.h"
#include "platform/ui/Window.h"

#include <optional>

using namespace platform;

namespace {

constexpr Long kSelectToEnd = 80;
constexpr std::size_t kHelpKeyword = 49;
// The help window on the right half of the screen, in WinHelp's 1024 units.
const HELPWININFO kHelpPlace{26, 512, 0, 512, 1024, 1, ""};

// The subjects of the procedure that have a header row (step 0), sorted.
void collectSubjects(const std::string& procedure, Queue<AOQRecord>& subjects) {
    for (const std::string& subject : subjectsOf(procedure, Subjects::Headed)) {
        subjects.rec.ONDERWERP = subject;
        subjects.add();
    }
    subjects.sort({{"ONDERWERP"}});
}

// The window's place setting of the procedure; the caller's when missing.
Long placeSetting(const std::string& setting, Long callers) {
    return readSetting(setting) ? static_cast<Long>(leadingNumber(AGNTSET.rec.VALUE.view())) : callers;
}

class Chooser : private KiesOnderwerpLocals {
public:
    Chooser(AssistantClass& assistant, const std::string& procedure) : a_(assistant), procedure_(procedure) {}
    Queue<AOQRecord>& subjects() { return AOQ; }
    // The subject chosen; nullopt when none was.
    std::optional<std::string> run(Long callerX, Long callerY);

private:
    void open(Long callerX, Long callerY);
    void moveSelection(Long key);
    void search(Long key);
    void help();

    AssistantClass& a_;
    std::string procedure_;
    Window window_{P58_KIESONDERWERPWINDOW(*this)};
    Long entry_ = window_.equate("?ZOEKONDERWERP");
    Long list_ = window_.equate("?ONDERWERPLIST");
};

void Chooser::open(Long callerX, Long callerY) {
    window_.open();
    window_.setProperty(window_.equate("?HELPBUTTON"), PROP::Tip, "Zoek Help over het opgegeven onderwerp");
    window_.setProperty(0, PROP::Xpos, placeSetting("~" + procedure_ + ".XPos", callerX));
    window_.setProperty(0, PROP::Ypos, placeSetting("~" + procedure_ + ".YPos", callerY));
    const bool seeThrough = readSetting("ZoekVensterTransparant") && leadingNumber(AGNTSET.rec.VALUE.view()) == 1;
    if (seeThrough)
        a_.ShapeWindowToControls(window_.handle(), 1, window_.lastControl(), 1);
    else
        a_.ShapeWindowCorners(window_.handle());
    window_.alert(entry_, KEY::Up);
    window_.alert(entry_, KEY::Down);
}

// Annuleer ends at once, storing nothing; OK and the close box store the
// window's place, and only OK chooses.
std::optional<std::string> Chooser::run(Long callerX, Long callerY) {
    open(callerX, callerY);
    const Long ok = window_.equate("?OKBUTTON");
    bool chosen = false;
    while (!chosen && window_.accept()) {
        const Long event = window_.event(), field = window_.field();
        if (event == EVENT::OpenWindow) {
            window_.setProperty(list_, PROP::Selected, 1);
        } else if (event == EVENT::AlertKey) {
            if (window_.focus() == entry_)
                moveSelection(KEYCODE());
            else
                POST(EVENT::Accepted, ok);
        } else if (event == EVENT::NewSelection && window_.focus() == entry_) {
            search(KEYCODE());
        } else if (event == EVENT::Accepted && field == ok) {
            AOQ.get(static_cast<std::size_t>(window_.numberProperty(list_, PROP::Selected)));
            chosen = true;
        } else if (event == EVENT::Accepted && field == window_.equate("?CANCELBUTTON")) {
            return std::nullopt;
        } else if (event == EVENT::Accepted && field == window_.equate("?HELPBUTTON")) {
            help();
        }
    }
    a_.PutSetting(window_.property(0, PROP::Xpos), "~" + procedure_ + ".XPos");
    a_.PutSetting(window_.property(0, PROP::Ypos), "~" + procedure_ + ".YPos");
    window_.close();
    if (!chosen) return std::nullopt;
    return AOQ.rec.ONDERWERP.str();
}

void Chooser::moveSelection(Long key) {
    const Long row = window_.numberProperty(list_, PROP::Selected);
    if (key == KEY::Up && row > 1) window_.setProperty(list_, PROP::Selected, row - 1);
    if (key == KEY::Down && row < static_cast<Long>(AOQ.records())) window_.setProperty(list_, PROP::Selected, row + 1);
}

void Chooser::search(Long key) {
    const std::string typed = window_.property(entry_, PROP::ScreenText);
    const std::string wanted = upper(clip(typed));
    if (wanted.empty() || key == KEY::Left || key == KEY::Right || key == KEY::Delete) return;
    for (std::size_t row = 1; row <= AOQ.records(); ++row) {
        AOQ.get(row);
        const std::string subject = AOQ.rec.ONDERWERP.str();
        if (upper(subject.substr(0, wanted.size())) != wanted) continue;
        Long caret = window_.numberProperty(entry_, PROP::SelStart);
        if (key == KEY::BackSpace && caret > 0) --caret;
        window_.setProperty(list_, PROP::Selected, static_cast<Long>(row));
        ZOEKONDERWERP = subject;
        window_.setProperty(entry_, PROP::ScreenText, subject);
        window_.setProperty(entry_, PROP::SelStart, caret);
        window_.setProperty(entry_, PROP::SelEnd, kSelectToEnd);
        return;
    }
}

void Chooser::help() {
    const std::string file = clip(a_.HELPFILELOCATIESTRING.view());
    if (file.empty()) return;
    WinHelpA(a_.PROCEDUREWINDOWHANDLE, file, HELP_SETWINPOS, kHelpPlace);
    WinHelpA(a_.PROCEDUREWINDOWHANDLE, file, HELP_PARTIALKEY,
             clip(window_.property(entry_, PROP::ScreenText)).substr(0, kHelpKeyword));
}

}  // namespace

void AssistantClass::KiesOnderwerp(Byte flag) {
    const std::string procedure = clip(PROCEDURENAME.view());
    if (INITIALIZED == 0) {
        if (clip(AGENTNAME.view()).empty()) {
            MESSAGE("Geef eerst Ms Agent karakter op...");
            return;
        }
        Init({}, AGENTNAME.str());
        if (INITIALIZED == 0) return;
    }
    Window* caller = TARGET();
    if (flag == 0 && caller) {
        PROCEDUREWINDOWHANDLE = caller->handle();
        TakeWindowPosition(PROCEDUREWINDOWHANDLE);
    }
    const Long callerX = caller ? caller->numberProperty(0, PROP::Xpos) : 0;
    const Long callerY = caller ? caller->numberProperty(0, PROP::Ypos) : 0;
    Chooser chooser(*this, procedure);
    Queue<AOQRecord>& subjects = chooser.subjects();
    collectSubjects(procedure, subjects);
    std::optional<std::string> subject;
    if (subjects.records() == 0) return;
    if (subjects.records() == 1) {
        subjects.get(1);
        subject = subjects.rec.ONDERWERP.str();
    } else if (flag != 0) {
        subject = ONDERWERP.str();
    } else {
        subject = chooser.run(callerX, callerY);
    }
    if (!subject) return;
    const std::string address = std::to_string(reinterpret_cast<std::uintptr_t>(this));
    PLAYSUBJECTTHREAD = START([address, procedure, subject = *subject] { PlaySubjectThread(address, procedure, subject); });
}
