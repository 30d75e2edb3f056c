// Opens a file in the user's text viewer without waiting for it.
//
// The viewer is the program named by the environment variable TXD_VIEWER
// (one program, taken whole: no options, never run through a shell), else
// xdg-open. The file goes to it as its one argument, whatever blanks or quotes
// its name holds. A viewer that cannot
// be started is reported with a MESSAGE; the caller goes on either way.
#pragma once

#include <string>

namespace platform {

// `file` is Windows-1252 text, as the program holds its file names.
void openInTextViewer(const std::string& file);

}  // namespace platform
