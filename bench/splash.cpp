// The splash window's region and circle, offscreen and on an X server
// (Xvfb, the xcb platform). Prints, for each: building the logo's region,
// one step of the circle (ellipse, AND, SetWindowRgn with its redraw), and
// the whole opening and closing circle of 120 steps each as Show runs them.
// Nothing to reach: the numbers tell whether people see the circle move (at
// 60 frames a second a circle of 120 steps takes 2 seconds).
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "splash/ZelSplashClass.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace platform;
using Ms = std::chrono::duration<double, std::milli>;

namespace {

constexpr const char* kTitle = "Tabloom splash";

double medianMs(int runs, const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(Ms(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One step of the circle on a window of the splash's size, as Show takes it.
double oneStepMs(const Region& logo) {
    double ms = 0;
    START([&] {
        Window w({.label = "W", .title = "one step", .at = {0, 0, 480, 366}, .pixels = true, .center = true});
        w.open();
        SetWindowRgn(w.handle(), logo, true);  // on screen before the steps are timed
        int radius = 1;
        ms = medianMs(120, [&] {
            const Region step = Region::ellipse(240 - radius, 183 - radius, 240 + radius, 183 + radius) & logo;
            SetWindowRgn(w.handle(), step, true);
            radius += 4;
        });
        w.close();
    });
    drive::settle();
    return ms;
}

int measure(int argc, char** argv) {
    QApplication app(argc, argv);
    ZelSplashClass splash;
    const double build = medianMs(50, [&] { splash.BuildRegion(); });
    const double step = oneStepMs(splash.R1);

    // The opening circle runs until the splash waits; Close, and the closing
    // circle runs until the splash has closed.
    std::chrono::steady_clock::time_point started, returned;
    START([&] {
        started = std::chrono::steady_clock::now();
        splash.Show(10);
        returned = std::chrono::steady_clock::now();
    });
    drive::settle();
    const auto waiting = std::chrono::steady_clock::now();
    Window* w = drive::window(kTitle);
    if (!w) {
        std::fprintf(stderr, "the splash did not open\n");
        return 1;
    }
    const auto closing = std::chrono::steady_clock::now();
    drive::click(*w, "?CloseButton");

    std::printf("%s:\n", QGuiApplication::platformName().toUtf8().constData());
    std::printf("  BuildRegion                          %8.3f ms\n", build);
    std::printf("  one step of the circle               %8.3f ms\n", step);
    std::printf("  opening: open, 120 steps, waiting    %8.1f ms\n", Ms(waiting - started).count());
    std::printf("  closing: Close, 120 steps, closed    %8.1f ms\n", Ms(returned - closing).count());
    return 0;
}

// Runs this program again to measure, under the given platform, through `launcher` if any.
bool measureUnder(const char* platform, std::vector<std::string> launcher) {
    char self[PATH_MAX] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return false;
    setenv("QT_QPA_PLATFORM", platform, 1);
    launcher.push_back(self);
    launcher.push_back("--measure");
    std::vector<char*> arguments;
    for (std::string& a : launcher) arguments.push_back(a.data());
    arguments.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, arguments[0], nullptr, nullptr, arguments.data(), environ) != 0) return false;
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--measure") return measure(argc, argv);
    bool ok = measureUnder("offscreen", {});
    std::fflush(stdout);
    if (!measureUnder("xcb", {"xvfb-run", "-a", "-s", "-screen 0 1024x768x24"})) {
        std::fprintf(stderr, "no measurement on an X server (is xvfb-run installed?)\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
