// Shared by the benchmarks over the style manager and its windows: a style
// manager set up over empty data files in a scratch folder, as the program
// sets it up.
#pragma once

#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelPropertiesFile.h"
#include "restyle/ZelRestyleFile.h"
#include "stylemanager/RestyleDataFiles.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace bench {

// The scratch folder is the current folder while the benchmark runs; it goes
// with the style manager at the end.
class StyleManagerScratch {
public:
    explicit StyleManagerScratch(const std::string& name)
        : folder_(std::filesystem::temp_directory_path() /
                  ("tabloom-bench-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
        manager.Init();
        manager.SetUserName(user_);
        bindRestyleDataFiles(manager, {properties_, sets_, conditions_, values_});
        manager.Setup(0);
    }
    ~StyleManagerScratch() {
        manager.Kill();
        std::filesystem::current_path(std::filesystem::temp_directory_path());
        std::filesystem::remove_all(folder_);
    }
    StyleManagerScratch(const StyleManagerScratch&) = delete;
    StyleManagerScratch& operator=(const StyleManagerScratch&) = delete;

    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    platform::String<255> user_{"DEFAULT"};
    ZelPropertiesFile properties_;
    ZelConditionSetFile sets_;
    ZelConditionFile conditions_;
    ZelRestyleFile values_;

public:
    ZelStylemanagerClass manager;
};

}  // namespace bench
