// Runs the whole program in this process, driven as a user would drive it.
#pragma once

#include "platform/drive/Driver.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

class ProgramFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts the program and waits for the main frame.
    platform::Window& startProgram();
    platform::Window& frame();
    // Waits for the program to end; its exit code.
    int waitForExit();
    bool running() const { return started_; }

private:
    bool started_ = false;
};

inline constexpr const char* kFrameTitle = "Tabloom version 1.05";
