#include "restyle/ZelRestyleFile.h"

ZelRestyleFile::ZelRestyleFile(std::string name)
    : KeyedFile("ZELRESTYLEFILE", std::move(name), platform::recordRef(rec)),
      P_KEY_ZELRF(*this, "P_KEY_ZELRF", {{"CONDITIONALSETID"}, {"PROPERTY"}, {"PARAMETER"}}, {.unique = true}) {}
