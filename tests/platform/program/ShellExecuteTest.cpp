#include "support/RecordingViewer.h"

#include "platform/program/ShellExecute.h"
#include "platform/ui/WindowCalls.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace std::chrono_literals;

TEST(ShellExecute, OpenHandsTheAddressWholeToTheBrowserWithoutAShell) {
    RecordingViewer browser("browser.sh", "TABLOOM_BROWSER");
    const std::string address = "https://example.org/a b?x='1'&y=\"$(touch z)\"";
    EXPECT_GT(ShellExecute(0, "Open", address, SW_SHOWMAXIMIZED), 32);
    EXPECT_EQ(browser.arguments(), (std::vector<std::string>{address}));
}

TEST(ShellExecute, AnotherVerbOrABrowserThatCannotStartSaysSo) {
    {
        RecordingViewer browser("browser.sh", "TABLOOM_BROWSER");
        EXPECT_EQ(ShellExecute(0, "print", "https://example.org", SW_SHOWNORMAL), SE_ERR_NOASSOC);
        EXPECT_EQ(browser.arguments(300ms), std::nullopt) << "nothing was started";
    }
    setenv("TABLOOM_BROWSER", "/nonexistent/browser", 1);
    EXPECT_EQ(ShellExecute(0, "open", "https://example.org", SW_SHOWNORMAL), ERROR_FILE_NOT_FOUND);
    unsetenv("TABLOOM_BROWSER");
}
