// Shared by the benchmarks over the assistant: the assistant built as the
// program builds it, its files in a scratch folder that is the current
// folder while the benchmark runs, and work run on a thread of its own.
#pragma once

#include "assistant/AssistantClass.h"
#include "assistant/Mentavo.h"
#include "platform/fiber/Scheduler.h"

#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <functional>

namespace bench {

class AssistantScratch {
    QTemporaryDir folder_;

public:
    AssistantScratch() {
        std::filesystem::current_path(folder_.path().toStdString());
        MentavoModuleInit(0);
        assistant.Construct();
    }
    ~AssistantScratch() { MentavoModuleInit(1); }
    AssistantScratch(const AssistantScratch&) = delete;
    AssistantScratch& operator=(const AssistantScratch&) = delete;

    AssistantClass assistant;
};

// The work on a thread of its own, waited for; false when it did not end
// within a minute.
inline bool onThread(const std::function<void()>& work) {
    bool done = false;
    platform::START([&] {
        work();
        done = true;
    });
    return platform::Scheduler::instance().pumpUntil([&] { return done; }, std::chrono::seconds(60));
}

}  // namespace bench
