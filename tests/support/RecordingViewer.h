// An outside program for tests: a script in a temporary folder that records
// the arguments it was started with, installed through the variable that
// names the program (the text viewer's TXD_VIEWER unless another is given)
// for the lifetime of the object.
#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class RecordingViewer {
public:
    // `scriptName` may hold blanks: the variable names the program whole.
    explicit RecordingViewer(const std::string& scriptName = "viewer.sh", std::string variable = "TXD_VIEWER")
        : variable_(std::move(variable)) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tabloom-viewer-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        const std::filesystem::path script = folder_ / scriptName;
        std::ofstream(script) << "#!/bin/sh\nexec 2>/dev/null\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.tmp\"\n"
                                 "mv \"$0.tmp\" \"$0.args\"\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        setenv(variable_.c_str(), script.c_str(), 1);
        arguments_ = folder_ / (scriptName + ".args");
    }
    ~RecordingViewer() {
        unsetenv(variable_.c_str());
        // A viewer started but not waited for may still be writing here.
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    RecordingViewer(const RecordingViewer&) = delete;
    RecordingViewer& operator=(const RecordingViewer&) = delete;

    // The arguments of the viewer's start, one per line; none when it was not
    // started within `wait`.
    std::optional<std::vector<std::string>> arguments(std::chrono::milliseconds wait = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (!std::filesystem::exists(arguments_)) {
            if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::vector<std::string> lines;
        std::ifstream in(arguments_);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

private:
    std::string variable_;
    std::filesystem::path folder_;
    std::filesystem::path arguments_;
};
