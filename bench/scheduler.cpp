// The runtime's core under load. Prints:
// - the lateness of a window timer of one hundredth over 5 s, alone and
//   while ten threads poll with yields (targets: median under 1.5x the one
//   alone, and no tick later than one period);
// - the CPU time the idle program takes with the frame and three work
//   windows open for 5 s (target: under 1% of one core).
#include "app/frame/ProcedureServices.h"
#include "app/main/Globals.h"
#include "app/main/Program.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/program/Program.h"
#include "platform/ui/Window.h"
#include "splash/ZelSplashClass.h"

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sqlite3.h>
#include <sys/resource.h>
#include <vector>

using namespace platform;
using namespace std::chrono;

namespace {

constexpr auto kRun = seconds(5);
constexpr auto kPeriod = milliseconds(10);

struct Lateness {
    double medianMs = 0;
    double worstMs = 0;
};

// How late each tick came against the timer's own grid of periods, the grid
// placed at its earliest tick; a tick skipped (later than a period) starts
// the grid again.
Lateness measureTimer(int pollers) {
    std::vector<Clock::TimePoint> ticks;
    bool stop = false;
    START([&] {
        Window w({.label = "W", .title = "timed"});
        w.open();
        w.setProperty(0, PROP::Timer, 1);
        const auto end = Clock::now() + kRun;
        while (Clock::now() < end && w.accept())
            if (w.event() == EVENT::Timer) ticks.push_back(Clock::now());
        stop = true;
    });
    for (int i = 0; i < pollers; ++i)
        START([&] {
            while (!stop) YIELD();
        });
    Scheduler::instance().pumpUntil([&] { return stop && Scheduler::instance().fiberCount() == 0; }, kRun * 2);
    std::vector<double> late;
    std::vector<double> offsets;  // of the ticks of one stretch without skips
    auto closeStretch = [&] {
        const double earliest = offsets.empty() ? 0 : *std::min_element(offsets.begin(), offsets.end());
        for (double o : offsets) late.push_back(o - earliest);
        offsets.clear();
    };
    Clock::TimePoint start = ticks.empty() ? Clock::TimePoint() : ticks.front();
    for (std::size_t i = 0, k = 0; i < ticks.size(); ++i, ++k) {
        if (i > 0 && ticks[i] - ticks[i - 1] > 2 * kPeriod) {
            closeStretch();
            start = ticks[i];
            k = 0;
        }
        offsets.push_back(duration<double, std::milli>(ticks[i] - start - static_cast<long>(k) * kPeriod).count());
    }
    closeStretch();
    if (late.empty()) return {};
    std::sort(late.begin(), late.end());
    return {late[late.size() / 2], late.back()};
}

struct NoSplash : ZelSplashClass {
    void Show(Byte) override {}
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The share of one core the program takes while nobody does anything.
double idleCpuPercent(const std::string& connectString) {
    NoSplash noSplash;
    procedureServices().splash = &noSplash;
    startProgram(programModules(), ProgramBody);
    Window* frame = drive::waitForWindow("Tabloom version 1.05");
    Glo::ConnectString = connectString;
    for (const auto& [key, title] : {std::pair{KEY::F2, "Choose an ODB Cconnection"},
                                     std::pair{KEY::F3, "Browse an ODBC connection"}, std::pair{KEY::F4, "Tabloom"}}) {
        drive::pressKey(*frame, key);
        drive::waitForWindow(title);
    }
    const double before = cpuSeconds();
    const auto started = steady_clock::now();
    Scheduler::instance().pumpUntil([] { return false; }, duration_cast<milliseconds>(kRun));
    const double percent = 100 * (cpuSeconds() - before) / duration<double>(steady_clock::now() - started).count();
    frame->post({EVENT::CloseWindow, 0, 0});
    Scheduler::instance().pumpUntil(programEnded);
    finishProgram();
    resetProcedureServices();
    return percent;
}

std::string sampleDatabase(const QTemporaryDir& folder) {
    const std::string path = folder.filePath("idle.db").toStdString();
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE items (id INTEGER PRIMARY KEY, name VARCHAR(40))", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return "DRIVER=SQLite3;Database=" + path;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const Lateness alone = measureTimer(0);
    const Lateness polled = measureTimer(10);
    std::printf("timer of 10 ms, lateness alone:        median %.3f ms, worst %.3f ms\n", alone.medianMs, alone.worstMs);
    std::printf("timer of 10 ms, lateness with pollers: median %.3f ms, worst %.3f ms\n", polled.medianMs,
                polled.worstMs);
    std::printf("median ratio %.2fx (target under 1.5x), worst under one tick: %s\n",
                polled.medianMs / std::max(alone.medianMs, 0.001), polled.worstMs < 10 ? "yes" : "no");

    QTemporaryDir folder;
    const QString here = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const double idle = idleCpuPercent(sampleDatabase(folder));
    QDir::setCurrent(here);
    std::printf("idle program, frame and three windows: %.2f%% of one core (target under 1%%)\n", idle);
    return 0;
}
