// Runs the whole program in this process, driven as a user would drive it.
#pragma once

#include "platform/drive/Driver.h"
#include "platform/ui/Window.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

class ProgramFixture : public ::testing::Test {
protected:
    // Each test runs in a folder of its own, where the program also "lives",
    // so the files it writes beside itself or in the current folder stay there.
    void SetUp() override;
    void TearDown() override;
    std::string folder() const { return folder_.path().toStdString(); }

    // Starts the program, closes the splash when it is up ("&Close"), and
    // waits for the main frame.
    platform::Window& startProgram();
    // The same in two steps: the program runs until it waits (the splash
    // up, or the frame open), then the splash is closed.
    void launchProgram();
    platform::Window& passSplash();
    // Presses the splash's "&Close" when it is up; the program goes on to its next wait.
    void closeSplash();
    platform::Window& frame();
    // Connects as a user does, through the connection window (F2); starts
    // the program when it is not running.
    void connect(const std::string& connectString);
    // Presses the key on the frame and waits for the window it opens.
    platform::Window& openWindow(platform::Long key, const std::string& title);
    // Waits for the program to end; its exit code.
    int waitForExit();
    bool running() const { return started_; }

private:
    bool started_ = false;
    QTemporaryDir folder_;
    std::string previousFolder_;
};

inline constexpr const char* kFrameTitle = "Tabloom version 1.05";
inline constexpr const char* kSplashTitle = "Tabloom splash";
