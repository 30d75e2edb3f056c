// Plays a character's requests, given on the command line, in real time.
// Usage: character_viewer <name> <request>...
//   show, hide, show:fast, hide:fast
//   speak:<text>, think:<text>       "|" breaks a line; tags as the engine takes them
//   move:<x>,<y>[,<ms>], gesture:<x>,<y>, play:<animation>
//   size:<width>,<height>, language:<id>
//   list                             prints the character's animations
//   all                              plays every animation in turn
// Example: character_viewer Merlin show move:300,200 "speak:Hallo!|Ik ben Merlin." play:Greet hide
#include "platform/agent/CharacterEngine.h"
#include "platform/fiber/Scheduler.h"
#include "platform/text/Codepage.h"

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

using namespace platform;
using namespace platform::agent;

namespace {

std::vector<Long> numbers(const std::string& text) {
    std::vector<Long> out;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        out.push_back(static_cast<Long>(leadingNumber(text.substr(start, end - start))));
        start = end + 1;
    }
    return out;
}

std::string withLineBreaks(std::string text) {
    for (std::size_t at; (at = text.find('|')) != std::string::npos;) text.replace(at, 1, "\r\n");
    return text;
}

// The request's id, 0 when it queued nothing; false for a request it does not know.
bool perform(CharacterEngine& engine, const std::string& name, const std::string& request, RequestId& last) {
    const std::size_t colon = request.find(':');
    const std::string verb = lower(request.substr(0, colon));
    const std::string argument = colon == std::string::npos ? "" : request.substr(colon + 1);
    const std::vector<Long> n = numbers(argument);
    if (verb == "show") last = engine.show(name, argument == "fast");
    else if (verb == "hide") last = engine.hide(name, argument == "fast");
    else if (verb == "speak") last = engine.speak(name, withLineBreaks(argument));
    else if (verb == "think") last = engine.think(name, withLineBreaks(argument));
    else if (verb == "move" && n.size() >= 2)
        last = engine.moveTo(name, n[0], n[1], n.size() > 2 ? std::optional(n[2]) : std::nullopt);
    else if (verb == "gesture" && n.size() >= 2) last = engine.gestureAt(name, n[0], n[1]);
    else if (verb == "play") last = engine.play(name, argument);
    else if (verb == "size" && n.size() >= 2) {
        engine.setWidth(name, n[0]);
        engine.setHeight(name, n[1]);
    } else if (verb == "language") engine.setLanguage(name, n[0]);
    else if (verb == "list") {
        for (const std::string& animation : engine.animations(name)) std::printf("%s\n", toUtf8(animation).c_str());
    } else if (verb == "all") {
        for (const std::string& animation : engine.animations(name)) {
            engine.think(name, animation + "\\Vol=1\\");
            last = engine.play(name, animation);
        }
    } else {
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: character_viewer <name> <request>...\n");
        return 2;
    }
    CharacterEngine& engine = CharacterEngine::instance();
    const std::string name = fromQString(arguments[1]);
    if (!engine.load(name)) {
        std::fprintf(stderr, "the character %s could not be loaded from %s\n", toUtf8(name).c_str(),
                     toUtf8(engine.characterFile(name)).c_str());
        return 1;
    }
    RequestId last = 0;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        if (!perform(engine, name, fromQString(arguments[i]), last))
            std::fprintf(stderr, "unknown request: %s\n", arguments[i].toUtf8().constData());
    }
    Scheduler::instance().pumpUntil([&] { return engine.state(last) != RequestState::Pending &&
                                                 engine.state(last) != RequestState::Running; },
                                    std::chrono::hours(1));
    engine.unload(name);
    return 0;
}
