#include "assistant/AgntSetFile.h"

AgntSetFile::AgntSetFile(std::string name)
    : KeyedFile("AGNTSET", std::move(name), platform::recordRef(rec)),
      KEY_AGS(*this, "KEY_AGS", {{"SETTING"}}, {.unique = true}) {}
