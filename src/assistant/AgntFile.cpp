#include "assistant/AgntFile.h"

AgntFile::AgntFile(std::string name)
    : KeyedFile("AGNTFILE", std::move(name), platform::recordRef(rec)),
      KEY_AGF(*this, "KEY_AGF", {{"PROCEDURENAME"}, {"ONDERWERP"}, {"STEP"}}, {.unique = true}),
      KEY_PRC(*this, "KEY_PRC", {{"PROCEDURENAME"}}) {}
