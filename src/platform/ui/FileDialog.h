// FILEDIALOG: the user picks a file in the layer's file dialog.
//
// Rules:
// - The dialog opens over the thread's TARGET() window, titled `title`, in
//   the folder of `file` (else the current folder) with `file`'s name
//   filled in; the running fiber waits for the answer while every other
//   fiber and the windows go on.
// - `filter` is the runtime's: pairs of a description and its patterns,
//   all joined by "|" ("Image files|*.jpg;*.gif|All files|*.*"); the first
//   pair is offered first.
// - True with `file` the chosen file's full path; false when the user
//   cancels, `file` untouched. The current folder never changes (the
//   runtime's FILE:KeepDir is how it always behaves here) and names are
//   never shortened (FILE:LongName); the flags are accepted for that.
// - Only an existing file is chosen.
#pragma once

#include "platform/text/Text.h"

#include <string>
#include <string_view>

namespace platform {

constexpr Long FILE_KeepDir = 0x02, FILE_LongName = 0x10;

bool FILEDIALOG(std::string_view title, std::string& file, std::string_view filter, Long flags = 0);

// The filter written as Qt's name filters: "Image files (*.jpg *.gif)".
std::string qtNameFilters(std::string_view filter);

}  // namespace platform
