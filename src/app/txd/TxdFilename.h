// The dictionary file name: a bare name is completed with the current folder
// so that the entry shows where the file goes. On Linux the separator is "/".
#pragma once

#include <optional>
#include <string>
#include <string_view>

// `name` unchanged when it holds a "/" anywhere; none when the completed name
// does not fit in `width` characters (cutting it would name another file).
std::optional<std::string> completedTxdFilename(std::string_view name, std::string_view currentFolder,
                                                std::size_t width);
// Completes Glo:TXDFilename with the current folder and redisplays the
// calling window; false, with a MESSAGE, when the completed name does not fit.
bool completeGlobalTxdFilename();
