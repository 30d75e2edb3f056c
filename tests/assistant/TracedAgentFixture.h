// The assistant at work in a folder of its own with its agent running and
// the character engine in trace mode, the clock a fake one, and a probe
// window (ShapeProbe.h) on a thread of its own: the character's requests are
// read as the engine's trace lines. A fixture made with `trace` false runs
// the engine in real time instead, its balloons shown and no voice started.
#pragma once

#include "ShapeProbe.h"

#include "assistant/AssistantClass.h"
#include "platform/agent/CharacterEngine.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

class TracedAgentFixture : public ::testing::Test {
protected:
    explicit TracedAgentFixture(bool trace = true) : trace_(trace) {}
    void SetUp() override;
    void TearDown() override;

    // The lines since the last call, and none kept.
    Lines takeLines();
    // A point of the screen for the character's top left corner: where the
    // engine's trace writes it ("MoveTo Merlin x y 0").
    static std::string moveTo(platform::Long x, platform::Long y);
    // The fake clock moved on by that many hundredths, and every thread run.
    static void advance(int hundredths);

    TempFolder folder;
    AssistantClass assistant;
    platform::agent::CharacterEngine& engine = platform::agent::CharacterEngine::instance();
    std::unique_ptr<ShapeProbe> probe;

private:
    bool trace_;
    std::filesystem::path previousFolder_;
};
