#include "restyle/ZelConditionFile.h"

ZelConditionFile::ZelConditionFile(std::string name)
    : KeyedFile("ZELCONDITIONFILE", std::move(name), platform::recordRef(rec)),
      P_KEY_ZELCD(*this, "P_KEY_ZELCD", {{"CONDITIONALSETID"}, {"CONDITIONALID"}}, {.unique = true}) {}
