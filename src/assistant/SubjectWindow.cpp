// A subject's name must be new to the procedure; renaming gives its header
// and every step the new name, all of them or none. Cancelling the window a
// step waits for asks first.
#include "assistant/SubjectWindow.h"

#include "assistant/Mentavo.h"
#include "assistant/P51_ONDERWERPWINDOW.h"
#include "assistant/SubjectRows.h"

#include "platform/message/Message.h"
#include "platform/system/Errors.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr const char* kExists = "Onderwerp bestaat reeds";

// What "&Opslaan" came to.
enum class Saving { Refused, Unchanged, Stored };

class Naming : private OnderwerpLocals {
public:
    Naming(AssistantClass& assistant, SubjectMode mode, const std::string& procedure, const std::string& description)
        : a_(assistant), mode_(mode), description_(description), old_(clip(assistant.ONDERWERP.view())) {
        PROCEDURENAME = procedure;
    }
    bool run();

private:
    Saving store(const std::string& subject);
    bool rename(const std::string& subject);
    bool add(const std::string& subject);
    bool cancelConfirmed();

    AssistantClass& a_;
    SubjectMode mode_;
    std::string description_;
    std::string old_;
    Window window_{P51_ONDERWERPWINDOW(*this)};
};

bool Naming::run() {
    window_.open();
    if (mode_ == SubjectMode::Rename) {
        window_.setProperty(0, PROP::Text, "Wijzig een Onderwerp");
        ONDERWERP = old_;
        window_.display();
    }
    a_.ShapeWindowCorners(window_.handle());
    window_.select(window_.equate("?AGENTSTAP:ONDERWERP"));
    const Long save = window_.equate("?OKBUTTON"), cancel = window_.equate("?CANCELBUTTON");
    Saving saving = Saving::Refused;
    while (saving == Saving::Refused && window_.accept()) {
        const Long event = window_.event(), field = window_.field();
        if (event == EVENT::OpenWindow && mode_ == SubjectMode::ForStep) {
            MESSAGE("Voordat u een nieuwe Assistent stap kan toevoegen, moet u eerst een Onderwerp opgeven.");
        } else if (event == EVENT::Accepted && field == cancel) {
            window_.post({.event = EVENT::CloseWindow});
        } else if (event == EVENT::Accepted && field == save) {
            window_.update();
            const std::string subject = clip(ONDERWERP.view());
            if (subject.empty()) continue;
            saving = store(subject);
        } else if (event == EVENT::CloseWindow && !cancelConfirmed()) {
            window_.cycle();
        }
    }
    window_.close();
    return saving == Saving::Stored;
}

Saving Naming::store(const std::string& subject) {
    if (mode_ == SubjectMode::Rename && subject == old_) return Saving::Unchanged;
    if (hasHeader(PROCEDURENAME.str(), subject)) {
        MESSAGE(kExists);
        return Saving::Refused;
    }
    if (!(mode_ == SubjectMode::Rename ? rename(subject) : add(subject))) return Saving::Refused;
    a_.PutSetting(a_.ONDERWERP.str(), PROCEDURENAME.str());
    a_.ONDERWERP = subject;
    return Saving::Stored;
}

// A rename that fails leaves every row as it was.
bool Naming::rename(const std::string& subject) {
    if (!hasHeader(PROCEDURENAME.str(), old_)) {
        MESSAGE("Kan Onderwerp niet veranderen:" + ERROR());
        return false;
    }
    if (renameSubject(PROCEDURENAME.str(), old_, subject)) return true;
    MESSAGE("Kan onderwerp van stap niet wijzigen:" + ERROR());
    return false;
}

bool Naming::add(const std::string& subject) {
    if (addHeader(PROCEDURENAME.str(), description_, subject)) return true;
    sayFileError("Fout bij vastleggen Onderwerp:");
    return false;
}

// Without a subject the step cannot be added: the author confirms.
bool Naming::cancelConfirmed() {
    if (mode_ != SubjectMode::ForStep) return true;
    return MESSAGE("Geen Onderwerp opgegeven!|Zonder een onderwerp op te geven kunnen er geen nieuwe stappen worden "
                   "toegevoegd...|Weet u zeker dat u wilt annuleren?",
                   "", ICON_EXCLAMATION, "&Ja|&Nee", 1) == 1;
}

}  // namespace

bool SubjectWindow(AssistantClass& assistant, SubjectMode mode, const std::string& procedure,
                   const std::string& description) {
    return Naming(assistant, mode, procedure, description).run();
}
