#include "assistant/SubjectRows.h"

#include "assistant/Mentavo.h"
#include "platform/files/FileSavepoint.h"

#include <functional>
#include <limits>

using namespace platform;

namespace {

constexpr Long kFirst = std::numeric_limits<Long>::min();
constexpr Long kLast = std::numeric_limits<Long>::max();
// Keeps the key unique while two steps exchange their numbers.
constexpr Long kSwapNumber = 0x7FFFFFFE;

void seek(const std::string& procedure, const std::string& subject, Long step) {
    AGNTFILE.rec.PROCEDURENAME = procedure;
    AGNTFILE.rec.ONDERWERP = subject;
    AGNTFILE.rec.STEP = step;
}

bool ofProcedure(const std::string& procedure) { return clip(AGNTFILE.rec.PROCEDURENAME.view()) == procedure; }

bool ofSubject(const std::string& procedure, const std::string& subject) {
    return ofProcedure(procedure) && clip(AGNTFILE.rec.ONDERWERP.view()) == subject;
}

// Every row of the procedure (of the subject, when one is given) in key order.
void eachRow(const std::string& procedure, const std::optional<std::string>& subject,
             const std::function<bool()>& take) {
    seek(procedure, subject.value_or(""), kFirst);
    AGNTFILE.set(AGNTFILE.KEY_AGF, AGNTFILE.KEY_AGF);
    while (AGNTFILE.next() && (subject ? ofSubject(procedure, *subject) : ofProcedure(procedure)))
        if (!take()) return;
}

bool renumber(const std::string& procedure, const std::string& subject, Long from, Long to) {
    if (!readStep(procedure, subject, from)) return false;
    AGNTFILE.rec.STEP = to;
    return AGNTFILE.put();
}

enum class Header { Goes, Stays };

// The rows the walk takes go, all of them or none.
bool removeRows(const std::string& procedure, const std::optional<std::string>& subject, Header header) {
    FileSavepoint removal(AGNTFILE);
    bool removed = true;
    eachRow(procedure, subject, [&] {
        return (header == Header::Stays && AGNTFILE.rec.STEP == 0) || (removed = AGNTFILE.remove());
    });
    if (!removed) return false;
    removal.release();
    return true;
}

}  // namespace

bool readStep(const std::string& procedure, const std::string& subject, Long step) {
    seek(procedure, subject, step);
    return AGNTFILE.get(AGNTFILE.KEY_AGF);
}

// A subject's first row is read, its header looked for when that is not it,
// and the walk goes on after the subject's last step. A subject named longer
// than the field (by another tool, or by hand) cannot be played: its rows
// are walked past, one by one, since its cut name sorts before them.
std::vector<std::string> subjectsOf(const std::string& procedure, Subjects which) {
    const KeyedFile::ReadPlace place = AGNTFILE.readPlace();
    std::vector<std::string> subjects;
    seek(procedure, "", kFirst);
    AGNTFILE.set(AGNTFILE.KEY_AGF, AGNTFILE.KEY_AGF);
    while (AGNTFILE.next() && ofProcedure(procedure)) {
        if (AGNTFILE.textCut("ONDERWERP")) continue;
        const std::string subject = AGNTFILE.rec.ONDERWERP.str();
        if (which == Subjects::All || AGNTFILE.rec.STEP == 0 || readStep(procedure, subject, 0))
            subjects.push_back(subject);
        seek(procedure, subject, kLast);
        AGNTFILE.set(AGNTFILE.KEY_AGF, AGNTFILE.KEY_AGF);
    }
    AGNTFILE.restore(place);
    return subjects;
}

std::vector<std::pair<std::string, std::string>> proceduresOfFile() {
    std::vector<std::pair<std::string, std::string>> procedures;
    AGNTFILE.set(AGNTFILE.KEY_AGF);
    while (AGNTFILE.next()) {
        const std::string procedure = AGNTFILE.rec.PROCEDURENAME.str();
        if (procedures.empty() || procedures.back().first != procedure)
            procedures.emplace_back(procedure, AGNTFILE.rec.PROCEDUREOMSCHRIJVING.str());
    }
    return procedures;
}

std::optional<std::string> subjectDescription(const std::string& procedure, const std::string& subject) {
    seek(procedure, subject, kFirst);
    AGNTFILE.set(AGNTFILE.KEY_AGF, AGNTFILE.KEY_AGF);
    if (!AGNTFILE.next() || !ofSubject(procedure, subject)) return std::nullopt;
    return AGNTFILE.rec.PROCEDUREOMSCHRIJVING.str();
}

bool hasHeader(const std::string& procedure, const std::string& subject) { return readStep(procedure, subject, 0); }

bool addHeader(const std::string& procedure, const std::string& description, const std::string& subject) {
    clearRecord(AGNTFILE.rec.fieldTable(), &AGNTFILE.rec);
    seek(procedure, subject, 0);
    AGNTFILE.rec.PROCEDUREOMSCHRIJVING = description;
    return AGNTFILE.add();
}

void readSteps(const std::string& procedure, const std::string& subject, Queue<AGENTSTAPRecord>& into) {
    eachRow(procedure, subject, [&] {
        if (AGNTFILE.rec.STEP == 0) return true;
        into.rec = workingStep(AGNTFILE.rec);
        into.add();
        return true;
    });
}

bool moveStepsUp(const std::string& procedure, const std::string& subject, Long first, Long by) {
    seek(procedure, subject, kLast);
    AGNTFILE.set(AGNTFILE.KEY_AGF, AGNTFILE.KEY_AGF);
    while (AGNTFILE.previous() && ofSubject(procedure, subject) && AGNTFILE.rec.STEP >= first) {
        AGNTFILE.rec.STEP = AGNTFILE.rec.STEP + by;
        if (!AGNTFILE.put()) return false;
    }
    return true;
}

bool swapSteps(const std::string& procedure, const std::string& subject, Long a, Long b) {
    FileSavepoint swap(AGNTFILE);
    if (!renumber(procedure, subject, b, kSwapNumber) || !renumber(procedure, subject, a, b) ||
        !renumber(procedure, subject, kSwapNumber, a))
        return false;
    swap.release();
    return true;
}

// The rows are read first: rewriting the key they are walked by would move
// them under the walk.
bool renameSubject(const std::string& procedure, const std::string& from, const std::string& to) {
    std::vector<Long> steps;
    eachRow(procedure, from, [&] {
        steps.push_back(AGNTFILE.rec.STEP);
        return true;
    });
    FileSavepoint rename(AGNTFILE);
    for (Long step : steps) {
        if (!readStep(procedure, from, step)) return false;
        AGNTFILE.rec.ONDERWERP = to;
        if (!AGNTFILE.put()) return false;
    }
    rename.release();
    return true;
}

bool removeSubject(const std::string& procedure, const std::string& subject) {
    return removeRows(procedure, subject, Header::Goes);
}

bool removeSteps(const std::string& procedure, const std::string& subject) {
    return removeRows(procedure, subject, Header::Stays);
}

bool removeProcedure(const std::string& procedure) { return removeRows(procedure, std::nullopt, Header::Goes); }
