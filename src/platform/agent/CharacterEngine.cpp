#include "platform/agent/CharacterEngine.h"

#include "platform/system/ProgramFolder.h"
#include "platform/text/Codepage.h"

#include <QCoreApplication>
#include <cstdlib>
#include <fstream>

namespace platform::agent {
namespace {

std::string key(std::string_view name) { return upper(clip(name)); }

// A text in a trace line: quoted, its line breaks written out.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\r') out += "{CR}";
        else if (c == '\n') out += "{LF}";
        else out += c;
    }
    return out + "\"";
}

std::string number(Long n) { return std::to_string(n); }

std::string characterFolder() { return folderBesideProgram("characters", "TABLOOM_CHARACTERS"); }

}  // namespace

CharacterEngine& CharacterEngine::instance() {
    static CharacterEngine engine;
    return engine;
}

CharacterEngine::CharacterEngine() {
    if (const char* file = std::getenv("TABLOOM_CHARACTER_TRACE"); file && *file) setTrace(true, file);
    Scheduler::instance().addTicker(*this);
}

CharacterEngine::~CharacterEngine() {
    Scheduler::instance().removeTicker(*this);
    // After Qt has gone the windows cannot be closed: the process is ending anyway.
    if (!QCoreApplication::instance())
        for (auto& [name, character] : characters_) static_cast<void>(character.release());
}

void CharacterEngine::setTrace(bool on, std::string file) {
    trace_ = on;
    traceFile_ = std::move(file);
}

RequestState CharacterEngine::state(RequestId id) const {
    for (const auto& [name, character] : characters_) {
        if (character->runs(id)) return RequestState::Running;
        if (character->holds(id)) return RequestState::Pending;
    }
    return id > 0 && id < nextId_ ? RequestState::Ended : RequestState::Unknown;
}

std::string CharacterEngine::characterFile(std::string_view name) const {
    const std::string clipped = clip(name);
    if (!plainFileName(clipped)) return {};
    return characterFolder() + "/" + clipped + ".tchar";
}

bool CharacterEngine::load(std::string_view name, std::string_view file) {
    const std::string path = clip(file).empty() ? characterFile(name) : clip(file);
    trace("Load", name, quoted(path));
    if (find(name)) return true;
    if (path.empty()) return false;
    std::optional<CharacterData> data = readCharacterFile(path);
    if (!data) return false;
    CharacterHost& host = *this;
    characters_[key(name)] =
        std::make_unique<Character>(clip(name), std::make_shared<const CharacterData>(std::move(*data)), !trace_, host);
    return true;
}

void CharacterEngine::unload(std::string_view name) {
    trace("Unload", name);
    Character* character = find(name);
    if (!character) return;
    character->stopAll({});
    characters_.erase(key(name));
}

std::vector<std::string> CharacterEngine::animations(std::string_view name) const {
    const Character* character = find(name);
    return character ? character->data().animationNames() : std::vector<std::string>{};
}

RequestId CharacterEngine::show(std::string_view name, bool fast) {
    trace("Show", name, fast ? "1" : "0");
    return add(name, {.kind = RequestKind::Show, .fast = fast});
}

RequestId CharacterEngine::hide(std::string_view name, bool fast) {
    trace("Hide", name, fast ? "1" : "0");
    return add(name, {.kind = RequestKind::Hide, .fast = fast});
}

RequestId CharacterEngine::speak(std::string_view name, std::string_view text) {
    trace("Speak", name, quoted(text));
    return add(name, {.kind = RequestKind::Speak, .text = std::string(text)});
}

RequestId CharacterEngine::think(std::string_view name, std::string_view text) {
    trace("Think", name, quoted(text));
    return add(name, {.kind = RequestKind::Think, .text = std::string(text)});
}

RequestId CharacterEngine::moveTo(std::string_view name, Long x, Long y, std::optional<Long> speed) {
    trace("MoveTo", name, number(x) + " " + number(y) + (speed ? " " + number(*speed) : ""));
    return add(name, {.kind = RequestKind::Move, .x = x, .y = y, .speed = speed});
}

RequestId CharacterEngine::gestureAt(std::string_view name, Long x, Long y) {
    trace("GestureAt", name, number(x) + " " + number(y));
    return add(name, {.kind = RequestKind::Gesture, .x = x, .y = y});
}

RequestId CharacterEngine::play(std::string_view name, std::string_view animation) {
    trace("Play", name, quoted(animation));
    return add(name, {.kind = RequestKind::Play, .text = std::string(animation)});
}

RequestId CharacterEngine::wait(std::string_view name, RequestId request) {
    trace("Wait", name, request ? number(request) : "");
    return add(name, {.kind = RequestKind::Wait, .other = request});
}

RequestId CharacterEngine::interrupt(std::string_view name, RequestId request) {
    trace("Interrupt", name, request ? number(request) : "");
    return add(name, {.kind = RequestKind::Interrupt, .other = request});
}

void CharacterEngine::stop(std::string_view name, RequestId request) {
    trace("Stop", name, request ? number(request) : "");
    Character* character = find(name);
    if (!character) return;
    if (request) character->stop(request);
    else character->stopRunning();
}

void CharacterEngine::stopAll(std::string_view name, std::string_view types) {
    trace("StopAll", name, quoted(types));
    if (Character* character = find(name)) character->stopAll(types);
}

void CharacterEngine::setHeight(std::string_view name, Long height) {
    trace("Height", name, number(height));
    if (Character* character = find(name)) character->setHeight(height);
}

void CharacterEngine::setWidth(std::string_view name, Long width) {
    trace("Width", name, number(width));
    if (Character* character = find(name)) character->setWidth(width);
}

void CharacterEngine::activate(std::string_view name, Long state) {
    trace("Activate", name, number(state));
    if (Character* character = find(name)) character->activate(state);
}

void CharacterEngine::setLanguage(std::string_view name, Long languageId) {
    trace("LanguageID", name, number(languageId));
    if (Character* character = find(name)) character->setLanguage(languageId);
}

void CharacterEngine::showDefaultCharacterProperties() { trace("ShowDefaultCharacterProperties"); }

Long CharacterEngine::left(std::string_view name) const {
    const Character* character = find(name);
    return character ? character->left() : 0;
}

Long CharacterEngine::top(std::string_view name) const {
    const Character* character = find(name);
    return character ? character->top() : 0;
}

Long CharacterEngine::height(std::string_view name) const {
    const Character* character = find(name);
    return character ? character->height() : 0;
}

Long CharacterEngine::width(std::string_view name) const {
    const Character* character = find(name);
    return character ? character->width() : 0;
}

bool CharacterEngine::visible(std::string_view name) const {
    const Character* character = find(name);
    return character && character->visible();
}

Character* CharacterEngine::find(std::string_view name) const {
    const auto it = characters_.find(key(name));
    return it == characters_.end() ? nullptr : it->second.get();
}

RequestId CharacterEngine::add(std::string_view name, Request request) {
    Character* character = find(name);
    if (!character) return 0;
    request.id = nextId_++;
    const RequestId id = request.id;
    character->add(std::move(request));
    return id;
}

void CharacterEngine::trace(std::string_view call, std::string_view name, std::string_view arguments) {
    std::string line = std::string(call) + " " + clip(name);
    if (!arguments.empty()) line += " " + std::string(arguments);
    trace(line);
}

void CharacterEngine::trace(std::string_view line) {
    if (!trace_) return;
    if (traceFile_.empty()) {
        traceLines_.emplace_back(line);
        return;
    }
    std::ofstream(traceFile_, std::ios::app | std::ios::binary) << line << '\n';
}

std::optional<Clock::TimePoint> CharacterEngine::nextDue() const {
    std::optional<Clock::TimePoint> due;
    for (const auto& [name, character] : characters_)
        if (const auto next = character->nextDue(); next && (!due || *next < *due)) due = next;
    return due;
}

void CharacterEngine::fireDue(Clock::TimePoint) {
    for (const auto& [name, character] : characters_) character->proceed();
}

void CharacterEngine::requestEnded(const std::string& character, RequestId id, RequestEnd end) {
    if (listener_) listener_(character, id, end);
    for (const auto& [name, waiting] : characters_) waiting->proceed();  // a wait may be over
}

bool CharacterEngine::requestOver(RequestId id) const {
    const RequestState s = state(id);
    return s != RequestState::Pending && s != RequestState::Running;
}

void CharacterEngine::stopRequest(RequestId id) {
    for (const auto& [name, character] : characters_)
        if (character->stop(id)) return;
}

}  // namespace platform::agent
