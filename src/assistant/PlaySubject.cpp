// A subject plays on a thread of its own, step after step. Its rows are read
// before the first step plays: the steps wait for the character and for
// windows, and others may use AGNTFILE meanwhile.
#include "assistant/AssistantClass.h"
#include "assistant/Mentavo.h"

#include "platform/fiber/Scheduler.h"

#include <charconv>
#include <vector>

using namespace platform;

namespace {

// The subject's rows in order of STEP, its header first; AGNTFILE's buffer
// and walk are left as they were.
std::vector<AGNTFILERecord> rowsOf(const std::string& procedure, const std::string& subject) {
    std::vector<AGNTFILERecord> rows;
    const KeyedFile::ReadPlace place = AGNTFILE.readPlace();
    AGNTFILE.rec.PROCEDURENAME = procedure;
    AGNTFILE.rec.ONDERWERP = subject;
    AGNTFILE.rec.STEP = 0;
    AGNTFILE.set(AGNTFILE.KEY_AGF, AGNTFILE.KEY_AGF);
    while (AGNTFILE.next() && clip(AGNTFILE.rec.PROCEDURENAME.view()) == procedure &&
           clip(AGNTFILE.rec.ONDERWERP.view()) == subject)
        rows.push_back(AGNTFILE.rec);
    AGNTFILE.restore(place);
    return rows;
}

}  // namespace

void AssistantClass::PlaySubjectThread(const std::string& address, const std::string& procedure,
                                       const std::string& subject) {
    std::uintptr_t number = 0;
    std::from_chars(address.data(), address.data() + address.size(), number);
    reinterpret_cast<AssistantClass*>(number)->PlaySubject(procedure, subject);
}

// The first row is the header (or, lacking one, the first step stands in for
// it) and is not played.
void AssistantClass::PlaySubject(const std::string& procedure, const std::string& subject) {
    const std::vector<AGNTFILERecord> rows = rowsOf(clip(procedure), clip(subject));
    if (rows.empty()) return;
    Stop();
    YIELD();
    for (std::size_t i = 1; i < rows.size(); ++i) PlayStep(rows[i]);
}
