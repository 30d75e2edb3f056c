// Fixtures for the character engine's tests: a tiny character file of our
// own, a stand-in for the speech program, and the engine in trace mode or
// in real time under the fake clock.
#pragma once

#include "platform/agent/CharacterEngine.h"
#include "platform/agent/CharacterFile.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace agenttest {

using namespace platform;
using namespace platform::agent;
using namespace std::chrono_literals;

inline std::filesystem::path temporaryFolder(const char* name) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
    return mkdtemp(pattern.data());
}

inline std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

inline QByteArray pngOf(int width, int height, QColor colour = Qt::darkBlue) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// "Tiny": 20 by 30 pixels, two pictures; RestPose, Wave (two frames of
// 100 ms), GestureLeft and Hide. Written into a folder of its own.
class TinyCharacter {
public:
    TinyCharacter() : folder_(temporaryFolder("tabloom-character")) { write(source()); }
    ~TinyCharacter() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TinyCharacter(const TinyCharacter&) = delete;
    TinyCharacter& operator=(const TinyCharacter&) = delete;

    static CharacterSource source() {
        return {.name = "Tiny",
                .width = 20,
                .height = 30,
                .pngs = {pngOf(20, 30), pngOf(20, 30, Qt::red)},
                .frames = {{"RestPose", 0, 100},
                           {"Wave", 1, 100},
                           {"Wave", 0, 100},
                           {"GestureLeft", 1, 100},
                           {"Hide", 1, 100}}};
    }
    std::string path() const { return (folder_ / "Tiny.tchar").string(); }
    void write(const CharacterSource& source) const { ASSERT_TRUE(writeCharacterFile(path(), source)); }
    // Runs SQL on the written file, to spoil it.
    void change(const std::string& sql) const {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path().c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
        sqlite3_close(db);
    }

private:
    std::filesystem::path folder_;
};

// A speech program for tests, named by TABLOOM_SPEECH while it lives: it
// writes its arguments and its input into files beside it, then ends, fails
// (exit code 1), complains (on its error output) or lingers until the test
// lets it end.
class SpeechStandIn {
public:
    enum class Behaviour { Ends, Fails, Complains, Lingers };

    explicit SpeechStandIn(Behaviour behaviour = Behaviour::Ends)
        : folder_(temporaryFolder("tabloom-speech")), before_(environment("TABLOOM_SPEECH")) {
        const std::filesystem::path script = folder_ / "speech.sh";
        std::ofstream(script) << "#!/bin/sh\n"
                                 "echo $$ > \"$0.pid\"\n"
                                 "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args.tmp\"\n"
                                 "cat > \"$0.input.tmp\"\n"
                                 "mv \"$0.input.tmp\" \"$0.input\"\n"
                                 "mv \"$0.args.tmp\" \"$0.args\"\n"
                              << ending(behaviour);
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        setenv("TABLOOM_SPEECH", script.c_str(), 1);
        base_ = script.string();
    }
    ~SpeechStandIn() {
        finish();
        if (before_) setenv("TABLOOM_SPEECH", before_->c_str(), 1);
        else unsetenv("TABLOOM_SPEECH");
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    SpeechStandIn(const SpeechStandIn&) = delete;
    SpeechStandIn& operator=(const SpeechStandIn&) = delete;

    bool started() const { return std::filesystem::exists(base_ + ".pid"); }
    // Its arguments, one a line, once it has read its input; none when it did not get that far.
    std::optional<std::vector<std::string>> arguments() const {
        if (!Scheduler::instance().pumpUntil([&] { return std::filesystem::exists(base_ + ".args"); }, 10s))
            return std::nullopt;
        std::vector<std::string> lines;
        std::ifstream in(base_ + ".args");
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    std::string input() const {
        arguments();
        std::ifstream in(base_ + ".input", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    pid_t pid() const {
        std::ifstream in(base_ + ".pid");
        pid_t pid = 0;
        in >> pid;
        return pid;
    }
    void finish() const { std::ofstream(base_ + ".done").put('\n'); }

private:
    static const char* ending(Behaviour behaviour) {
        switch (behaviour) {
            case Behaviour::Ends: return "";
            case Behaviour::Fails: return "exit 1\n";
            case Behaviour::Complains: return "echo 'no sound device' >&2\n";
            case Behaviour::Lingers: return "while [ ! -e \"$0.done\" ]; do sleep 0.02; done\n";
        }
        return "";
    }

    std::filesystem::path folder_;
    std::optional<std::string> before_;
    std::string base_;
};

// The engine as each test finds it: no character loaded, no listener; the
// requests that ended, in order, kept in `ended`.
class EngineTest : public ::testing::Test {
protected:
    struct Ended {
        RequestId id;
        RequestEnd end;
        bool operator==(const Ended&) const = default;
    };

    explicit EngineTest(bool trace) : trace_(trace) {}
    void SetUp() override {
        engine.setTrace(trace_);
        engine.clearTrace();
        engine.setListener([this](const std::string&, RequestId id, RequestEnd end) { ended.push_back({id, end}); });
        if (trace_) return;
        Clock::useFake();
        setenv("TABLOOM_SPEECH", "/nonexistent/tabloom-speech", 1);  // balloons only, unless a test says otherwise
    }
    void TearDown() override {
        for (const char* name : {"Merlin", "Tiny"}) engine.unload(name);
        engine.setListener(nullptr);
        engine.setTrace(false);
        engine.clearTrace();
        drive::settle();
        Clock::useReal();
        unsetenv("TABLOOM_SPEECH");
    }
    bool over(RequestId id) const {
        const RequestState s = engine.state(id);
        return s == RequestState::Ended;
    }
    // Moves the fake clock and lets the engine do what is due.
    void advance(std::chrono::milliseconds by) {
        Clock::advance(by);
        drive::settle();
    }
    // Moves the clock from one due step to the next until the request has
    // ended or nothing more is due.
    void runUntilOver(RequestId id) {
        while (!over(id)) {
            const auto due = engine.nextDue();
            if (!due) return;
            advance(std::chrono::ceil<std::chrono::milliseconds>(*due - Clock::now()));
        }
    }

    CharacterEngine& engine = CharacterEngine::instance();
    std::vector<Ended> ended;

private:
    bool trace_;
};

}  // namespace agenttest
