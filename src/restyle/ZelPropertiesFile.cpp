#include "restyle/ZelPropertiesFile.h"

ZelPropertiesFile::ZelPropertiesFile(std::string name)
    : KeyedFile("ZELPROPERTIESFILE", std::move(name), platform::recordRef(rec)),
      P_KEY_ZELPF(*this, "P_KEY_ZELPF", {{"CONTROLTYPEEQUATE"}, {"PROPERTY"}}, {.unique = true}) {}
