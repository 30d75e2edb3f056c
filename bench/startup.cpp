// Time from process start to the main frame being shown, and peak memory.
// Starts itself as a child a number of times (offscreen, without the splash)
// and prints the medians. Target: under 300 ms and under 80 MiB.
#include "app/frame/ProcedureServices.h"
#include "app/main/Program.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/system/Program.h"
#include "platform/ui/Window.h"
#include "splash/ZelSplashClass.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// The splash would hold the start-up for seconds; it is not what is measured.
struct NoSplash : ZelSplashClass {
    void Show(platform::Byte) override {}
};

long long steadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The child: writes the moment the frame is shown (the steady clock is the
// same for every process) and its peak memory so far.
int measureOnce(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    NoSplash noSplash;
    procedureServices().splash = &noSplash;
    platform::startProgram(programModules(), ProgramBody);
    platform::Window* frame = platform::drive::waitForWindow("Tabloom version 1.05");
    const long long shown = steadyNanoseconds();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%lld %ld\n", shown, usage.ru_maxrss);
    std::fflush(stdout);
    if (frame) frame->post({platform::EVENT::CloseWindow, 0, 0});
    platform::Scheduler::instance().pumpUntil(platform::programEnded);
    const int exitCode = platform::finishProgram();
    resetProcedureServices();
    return frame ? exitCode : 1;
}

struct Measurement {
    double milliseconds = 0;
    double mebibytes = 0;
};

// Starts the child and reads what it measured; false when it failed.
bool measureChild(const char* program, Measurement& out) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char once[] = "--once";
    char* arguments[] = {const_cast<char*>(program), once, nullptr};
    pid_t child = 0;
    const long long started = steadyNanoseconds();
    const int spawned = posix_spawn(&child, program, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    long long shown = 0;
    long peakKiB = 0;
    FILE* report = fdopen(pipeEnds[0], "r");
    const bool read = report && std::fscanf(report, "%lld %ld", &shown, &peakKiB) == 2;
    if (report) std::fclose(report);
    int status = 0;
    if (spawned == 0) waitpid(child, &status, 0);
    if (spawned != 0 || !read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    out = {static_cast<double>(shown - started) / 1e6, static_cast<double>(peakKiB) / 1024.0};
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--once") return measureOnce(argc, argv);
    const int runs = 11;
    std::vector<double> times, memory;
    for (int i = 0; i < runs; ++i) {
        Measurement m;
        if (!measureChild("/proc/self/exe", m)) {
            std::fprintf(stderr, "a measuring run failed\n");
            return 1;
        }
        times.push_back(m.milliseconds);
        memory.push_back(m.mebibytes);
    }
    std::printf("start to frame shown: median %.1f ms (target < 300 ms)\n", median(times));
    std::printf("peak memory: median %.1f MiB (target < 80 MiB)\n", median(memory));
    return 0;
}
