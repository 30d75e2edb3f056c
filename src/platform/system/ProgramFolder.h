// Folders the program carries beside itself (its characters, its own
// pictures), found as the program finds them wherever it was installed.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The folder of that name beside the running program, or the folder the
// environment variable names when it is set (tests and tools point
// elsewhere so); without a running Qt application the name itself, relative
// to the current folder.
std::string folderBesideProgram(std::string_view name, const char* overridingVariable);

// Whether a file name stays inside the folder it is looked up in: no path
// separator, no leading dot.
bool plainFileName(std::string_view name);

}  // namespace platform
