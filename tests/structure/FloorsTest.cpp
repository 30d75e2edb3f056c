// The floors the code lies on, and a check of every include against them: a
// file may include from its own floor and from the floors its floor uses,
// directly or through them, never from a floor above or beside it. The
// build's libraries (src/CMakeLists.txt) follow these floors; inside the
// layer's window library the floors are finer than the library, so that its
// folders do not reach each other in a circle.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Floor {
    std::string name;
    std::vector<std::string> folders;  // relative to the source tree
    std::vector<std::string> uses;     // the floors right below it
};

// Bottom up.
const std::vector<Floor> kFloors = {
    {"platform core",
     {"src/platform/text", "src/platform/data", "src/platform/fiber", "src/platform/eval", "src/platform/ini",
      "src/platform/files", "src/platform/odbc", "src/platform/system"},
     {}},
    {"platform windows", {"src/platform/ui"}, {"platform core"}},
    {"platform message box", {"src/platform/message"}, {"platform windows"}},
    {"platform classes and program run", {"src/platform/abc", "src/platform/program"}, {"platform message box"}},
    {"platform character engine", {"src/platform/agent"}, {"platform windows"}},
    {"test driver", {"src/platform/drive"}, {"platform windows"}},
    {"splash", {"src/splash"}, {"platform classes and program run"}},
    {"restyle", {"src/restyle"}, {"platform classes and program run"}},
    {"stylemanager", {"src/stylemanager"}, {"restyle", "splash"}},
    {"assistant", {"src/assistant"}, {"platform classes and program run", "platform character engine"}},
    {"app", {"src/app"}, {"stylemanager", "assistant"}},
    {"layer's test support",
     {"tests/support"},
     {"platform classes and program run", "platform character engine", "test driver"}},
    {"layer's tests", {"tests/platform"}, {"layer's test support"}},
    {"splash's tests", {"tests/splash"}, {"splash", "layer's test support"}},
    {"program's test support", {"tests/programsupport"}, {"app", "layer's test support"}},
    {"program's tests",
     {"tests/app", "tests/restyle", "tests/stylemanager", "tests/assistant"},
     {"program's test support"}},
    {"structure's tests", {"tests/structure"}, {}},
};

// Where an include finds its file: beside the including file, else from the
// roots the build's include folders give.
const std::vector<std::string> kIncludeRoots = {"src", "tests"};

const fs::path& sourceTree() {
    static const fs::path root = TABLOOM_SOURCE_DIR;
    return root;
}

std::string relativeName(const fs::path& file) {
    return file.lexically_normal().lexically_relative(sourceTree()).generic_string();
}

const Floor* floorOf(const std::string& file) {
    const Floor* found = nullptr;
    std::size_t longest = 0;
    for (const Floor& floor : kFloors)
        for (const std::string& folder : floor.folders)
            if (file.starts_with(folder + "/") && folder.size() > longest) {
                found = &floor;
                longest = folder.size();
            }
    return found;
}

const Floor* floorNamed(const std::string& name) {
    const auto floor = std::find_if(kFloors.begin(), kFloors.end(), [&](const Floor& f) { return f.name == name; });
    return floor == kFloors.end() ? nullptr : &*floor;
}

// The floor itself and every floor below it that it reaches.
std::set<std::string> reachable(const Floor& floor) {
    std::set<std::string> reached{floor.name};
    std::vector<const Floor*> open{&floor};
    while (!open.empty()) {
        const Floor* next = open.back();
        open.pop_back();
        for (const std::string& used : next->uses)
            if (const Floor* below = floorNamed(used); below && reached.insert(used).second) open.push_back(below);
    }
    return reached;
}

bool isSource(const fs::path& file) {
    const std::string extension = file.extension().string();
    return extension == ".cpp" || extension == ".h";
}

std::vector<fs::path> sourcesUnder(const std::string& folder) {
    std::vector<fs::path> sources;
    for (const auto& entry : fs::recursive_directory_iterator(sourceTree() / folder))
        if (entry.is_regular_file() && isSource(entry.path())) sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    return sources;
}

std::vector<std::string> includesOf(const fs::path& file) {
    static const std::regex include(R"(^\s*#\s*include\s*["<]([^">]+)[">])");
    std::vector<std::string> names;
    std::ifstream in(file);
    std::smatch match;
    for (std::string line; std::getline(in, line);)
        if (std::regex_search(line, match, include)) names.push_back(match[1]);
    return names;
}

// The file of the source tree an include names; none for a library's header.
std::optional<std::string> resolve(const fs::path& includer, const std::string& name) {
    if (const fs::path beside = includer.parent_path() / name; fs::exists(beside)) return relativeName(beside);
    for (const std::string& root : kIncludeRoots)
        if (const fs::path found = sourceTree() / root / name; fs::exists(found)) return relativeName(found);
    return std::nullopt;
}

// "file includes name: floor may not use floor" for each include against the floors.
std::vector<std::string> violationsOf(const fs::path& file) {
    std::vector<std::string> violations;
    const std::string name = relativeName(file);
    const Floor* floor = floorOf(name);
    if (!floor) return {name + " lies on no floor"};
    const std::set<std::string> allowed = reachable(*floor);
    for (const std::string& include : includesOf(file)) {
        const std::optional<std::string> target = resolve(file, include);
        if (!target) continue;
        const Floor* targetFloor = floorOf(*target);
        if (!targetFloor)
            violations.push_back(name + " includes " + include + ", which lies on no floor");
        else if (!allowed.contains(targetFloor->name))
            violations.push_back(name + " includes " + include + ": " + floor->name + " may not use " +
                                 targetFloor->name);
    }
    return violations;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

TEST(Floors, TheTableNamesOnlyFloorsBelowEachFloor) {
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < kFloors.size(); ++i)
        for (const std::string& used : kFloors[i].uses) {
            const Floor* below = floorNamed(used);
            if (!below || below >= &kFloors[i]) faults.push_back(kFloors[i].name + " uses " + used + ", not below it");
        }
    EXPECT_TRUE(faults.empty()) << joined(faults);
}

// A folder left out of the table would be built by no library as well.
TEST(Floors, EveryIncludeOfTheSourcesAndTestsPointsDownOrWithinItsFloor) {
    std::vector<std::string> violations;
    for (const std::string& root : kIncludeRoots)
        for (const fs::path& file : sourcesUnder(root))
            for (std::string& violation : violationsOf(file)) violations.push_back(std::move(violation));
    EXPECT_TRUE(violations.empty()) << joined(violations);
}

}  // namespace
