#include "restyle/ZelConditionSetFile.h"

ZelConditionSetFile::ZelConditionSetFile(std::string name)
    : KeyedFile("ZELCONDITIONSETFILE", std::move(name), platform::recordRef(rec)),
      S_KEY_ZELCS(*this, "S_KEY_ZELCS",
                  {{"USERNAME"}, {"PROFILE"}, {"PROCEDURENAME"}, {"GROUPNAME"}, {"CONDITIONALSET"}},
                  {.unique = true, .nocase = true}),
      P_KEY_ZELCS(*this, "P_KEY_ZELCS", {{"CONDITIONALSETID", true}}, {.unique = true}) {}
