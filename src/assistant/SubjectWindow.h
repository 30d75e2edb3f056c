// The subject window of the training window: names a new subject (before a
// step of a subject without rows, or for its own sake) or renames the current
// one.
#pragma once

#include "assistant/AssistantClass.h"

#include <string>

enum class SubjectMode : platform::Byte { ForStep = 1, New = 2, Rename = 3 };

// Runs on the caller's thread, over its window, until the author stores or
// cancels. True when it stored: the subject is then the current one
// (ONDERWERP) and the one current before is kept as the procedure's last.
// A new subject's header describes the procedure by `description`.
bool SubjectWindow(AssistantClass& assistant, SubjectMode mode, const std::string& procedure,
                   const std::string& description);
