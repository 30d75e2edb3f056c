// Time from process start to the main frame being shown, and peak memory.
// Starts itself as a child a number of times (offscreen, without the splash),
// each in a folder of the run, and prints the medians:
// - a first start, in an empty folder (the four restyle data files are
//   created): under 300 ms and under 80 MiB;
// - a start with the four files and "ZelRestyle.trn" in place: under 100 ms,
//   and the style manager's Setup, timed within it, against the bare SQLite
//   statements it makes (four opens with their layout check, the
//   current-profile row and the three fading rows), stepped in the same
//   child after the program has ended: under 2 times;
// - the same start against one whose assistant loads no settings (its
//   LoadSettings stubbed, so its two files are neither opened nor read),
//   the two kinds taking turns: under 1.2 times.
#include "app/frame/ProcedureServices.h"
#include "app/main/Program.h"
#include "assistant/AssistantClass.h"
#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/program/Program.h"
#include "platform/ui/Window.h"
#include "splash/ZelSplashClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <QApplication>
#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;
namespace fs = std::filesystem;

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

// The assistant without its files: what the start costs without them.
struct NoSettingsAssistant : AssistantClass {
    void LoadSettings() override {}
};

struct TimedStyleManager : ZelStylemanagerClass {
    long long setupNanoseconds = 0;
    void Setup(platform::Long hotKey) override {
        const long long started = steadyNanoseconds();
        ZelStylemanagerClass::Setup(hotKey);
        setupNanoseconds = steadyNanoseconds() - started;
    }
};

// --- the bare statements -----------------------------------------------------------

sqlite3_stmt* prepared(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    return statement;
}

void bindText(sqlite3_stmt* s, int index, const std::string& text) {
    sqlite3_bind_blob(s, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// One row, its columns read as the layer reads them into a record.
bool readRow(sqlite3_stmt* s) {
    const bool found = sqlite3_step(s) == SQLITE_ROW;
    if (found)
        for (int c = 0; c < sqlite3_column_count(s); ++c) sqlite3_column_blob(s, c), sqlite3_column_bytes(s, c);
    sqlite3_reset(s);
    return found;
}

// Opens the file read-write as the layer does and checks its layout row.
sqlite3* openChecked(const char* name) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(name, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    sqlite3_stmt* layout = prepared(db, "SELECT \"SIGNATURE\" FROM \"~LAYOUT\"");
    readRow(layout);
    sqlite3_finalize(layout);
    return db;
}

long long bareNanoseconds() {
    const long long started = steadyNanoseconds();
    sqlite3* files[4];
    const char* names[] = {"ZelProperties", "ZelConditionalSet", "ZelConditional", "ZelRestyle"};
    for (int i = 0; i < 4; ++i) files[i] = openChecked(names[i]);

    sqlite3_stmt* profile = prepared(
        files[1],
        "SELECT \"USERNAME\", \"PROFILE\", \"PROCEDURENAME\", \"GROUPNAME\", \"CONDITIONALSET\", "
        "\"CONDITIONALSETID\", rowid FROM \"main\".\"ZELCONDITIONSETFILE\" WHERE (\"USERNAME:NOCASE\", "
        "\"PROFILE:NOCASE\", \"PROCEDURENAME:NOCASE\", \"GROUPNAME:NOCASE\", \"CONDITIONALSET:NOCASE\", rowid) >= "
        "(?, ?, ?, ?, ?, -9223372036854775807) ORDER BY \"USERNAME:NOCASE\", \"PROFILE:NOCASE\", "
        "\"PROCEDURENAME:NOCASE\", \"GROUPNAME:NOCASE\", \"CONDITIONALSET:NOCASE\", rowid LIMIT 1");
    for (int i = 1; i <= 3; ++i) bindText(profile, i, "~GLOBAL SETTINGS");
    bindText(profile, 4, "~CURRENT SELECTED PROFILE");
    bindText(profile, 5, "");
    readRow(profile);
    sqlite3_finalize(profile);

    sqlite3_stmt* fading = prepared(files[3],
                                    "SELECT \"CONDITIONALSETID\", \"PROPERTY\", \"PARAMETER\", \"VALUE\", rowid FROM "
                                    "\"main\".\"ZELRESTYLEFILE\" WHERE (\"CONDITIONALSETID\", \"PROPERTY\", "
                                    "\"PARAMETER\") = (?, ?, ?) ORDER BY \"CONDITIONALSETID\", \"PROPERTY\", "
                                    "\"PARAMETER\", rowid LIMIT 1");
    for (const char* parameter : {"ENABLED", "VALUE", "CLARIONVALUE"}) {
        sqlite3_bind_int64(fading, 1, -7);
        bindText(fading, 2, "~Use Fading");
        bindText(fading, 3, parameter);
        readRow(fading);
    }
    sqlite3_finalize(fading);
    const long long took = steadyNanoseconds() - started;
    for (sqlite3* db : files) sqlite3_close_v2(db);
    return took;
}

// --- the children --------------------------------------------------------------------

// Runs the program in the folder; writes the moment the frame is shown (the
// steady clock is the same for every process), its peak memory so far and
// the time Setup took.
int measureProgram(int argc, char** argv, bool withoutSettings) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    NoSplash noSplash;
    TimedStyleManager styleManager;
    NoSettingsAssistant noSettings;
    procedureServices().splash = &noSplash;
    procedureServices().styleManager = &styleManager;
    if (withoutSettings) procedureServices().assistant = &noSettings;
    platform::startProgram(programModules(), ProgramBody);
    platform::Window* frame = platform::drive::waitForWindow("Tabloom version 1.05");
    const long long shown = steadyNanoseconds();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    if (frame) frame->post({platform::EVENT::CloseWindow, 0, 0});
    platform::Scheduler::instance().pumpUntil(platform::programEnded);
    const int exitCode = platform::finishProgram();
    resetProcedureServices();
    std::printf("%lld %ld %lld\n", shown, usage.ru_maxrss, styleManager.setupNanoseconds);
    return frame ? exitCode : 1;
}

// The bare statements in a process of their own, as cold as the program's.
int measureBare() {
    std::printf("%lld\n", bareNanoseconds());
    return 0;
}

// --- the parent ----------------------------------------------------------------------

// Starts the child in the folder; what it wrote, and when it was started.
bool runChild(const char* mode, const fs::path& folder, std::string& output, long long& started) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string program = "/proc/self/exe", how = mode, where = folder.string();
    char* arguments[] = {program.data(), how.data(), where.data(), nullptr};
    pid_t child = 0;
    started = steadyNanoseconds();
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    char buffer[256];
    ssize_t n = 0;
    while ((n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0) output.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    if (spawned == 0) waitpid(child, &status, 0);
    return spawned == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The numbers of a child's line.
std::vector<long long> numbersOf(std::string_view line) {
    std::vector<long long> numbers;
    const char* at = line.data();
    const char* end = line.data() + line.size();
    while (at < end) {
        long long n = 0;
        const auto read = std::from_chars(at, end, n);
        if (read.ec != std::errc()) break;
        numbers.push_back(n);
        at = read.ptr;
        while (at < end && *at == ' ') ++at;
    }
    return numbers;
}

struct Measurement {
    double milliseconds = 0;
    double mebibytes = 0;
    double setupMilliseconds = 0;
    double bareMilliseconds = 0;
    double withoutSettingsMilliseconds = 0;
};

// A start of the program (or of the kind `mode` names) in the folder: its
// time to the frame, peak memory and Setup time; false when it failed.
bool measureStart(const char* mode, const fs::path& folder, Measurement& out) {
    std::string output;
    long long started = 0;
    if (!runChild(mode, folder, output, started)) return false;
    const std::vector<long long> program = numbersOf(output);
    if (program.size() != 3) return false;
    out.milliseconds = static_cast<double>(program[0] - started) / 1e6;
    out.mebibytes = static_cast<double>(program[1]) / 1024.0;
    out.setupMilliseconds = static_cast<double>(program[2]) / 1e6;
    return true;
}

// A start of the program in the folder and, with `compare`, the bare
// statements and a start without the assistant's settings after it; false
// when a child failed.
bool measure(const fs::path& folder, bool compare, Measurement& out) {
    if (!measureStart("--program", folder, out)) return false;
    if (!compare) return true;
    std::string output;
    long long started = 0;
    if (!runChild("--bare", folder, output, started)) return false;
    const std::vector<long long> statements = numbersOf(output);
    if (statements.size() != 1) return false;
    out.bareMilliseconds = static_cast<double>(statements[0]) / 1e6;
    Measurement withoutSettings;
    if (!measureStart("--without-settings", folder, withoutSettings)) return false;
    out.withoutSettingsMilliseconds = withoutSettings.milliseconds;
    return true;
}

double median(std::vector<Measurement>& runs, double Measurement::*value) {
    std::sort(runs.begin(), runs.end(), [value](const Measurement& a, const Measurement& b) { return a.*value < b.*value; });
    return runs[runs.size() / 2].*value;
}

std::string fixed(double value, int decimals) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

constexpr int kRuns = 11;

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        fs::current_path(argv[2]);
        const std::string mode = argv[1];
        return mode == "--bare" ? measureBare() : measureProgram(argc, argv, mode == "--without-settings");
    }
    char pattern[] = "/tmp/tabloom-startup-XXXXXX";
    const fs::path folder = mkdtemp(pattern);
    std::vector<Measurement> first, kept;
    bool measured = true;
    for (int i = 0; i < kRuns && measured; ++i) {
        const fs::path empty = folder / ("first-" + std::to_string(i));
        fs::create_directory(empty);
        first.emplace_back();
        measured = measure(empty, false, first.back());
    }
    // One start leaves the files (the assistant's two too) and, at its end, "ZelRestyle.trn".
    const fs::path withFiles = folder / "with-files";
    fs::create_directory(withFiles);
    Measurement preparing;
    measured = measured && measure(withFiles, false, preparing) && fs::exists(withFiles / "ZelRestyle.trn") &&
               fs::exists(withFiles / "AGNTSET") && fs::exists(withFiles / "AGNTFILE");
    for (int i = 0; i < kRuns && measured; ++i) {
        kept.emplace_back();
        measured = measure(withFiles, true, kept.back());
    }
    fs::remove_all(folder);
    if (!measured) {
        std::fprintf(stderr, "a measuring run failed\n");
        return 1;
    }
    const double firstStart = median(first, &Measurement::milliseconds);
    const double firstMemory = median(first, &Measurement::mebibytes);
    const double keptStart = median(kept, &Measurement::milliseconds);
    const double setup = median(kept, &Measurement::setupMilliseconds);
    const double bare = median(kept, &Measurement::bareMilliseconds);
    const double withoutSettings = median(kept, &Measurement::withoutSettingsMilliseconds);
    std::printf("first start to frame shown: median %s ms (target < 300 ms)\n", fixed(firstStart, 1).c_str());
    std::printf("first start peak memory: median %s MiB (target < 80 MiB)\n", fixed(firstMemory, 1).c_str());
    std::printf("start with the files to frame shown: median %s ms (target < 100 ms)\n", fixed(keptStart, 1).c_str());
    std::printf("Setup %s ms, bare statements %s ms, ratio %s (target < 2)\n", fixed(setup, 3).c_str(),
                fixed(bare, 3).c_str(), fixed(setup / bare, 2).c_str());
    std::printf("start with the assistant's files %s ms, without its settings %s ms, ratio %s (target < 1.2)\n",
                fixed(keptStart, 1).c_str(), fixed(withoutSettings, 1).c_str(),
                fixed(keptStart / withoutSettings, 2).c_str());
    return firstStart < 300 && firstMemory < 80 && keptStart < 100 && setup / bare < 2 &&
                   keptStart / withoutSettings < 1.2
               ? 0
               : 1;
}
