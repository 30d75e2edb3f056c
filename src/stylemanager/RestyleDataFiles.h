// The style manager's four data files, bound as the program body binds them.
#pragma once

#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelPropertiesFile.h"
#include "restyle/ZelRestyleFile.h"

class ZelStylemanagerClass;

struct RestyleDataFiles {
    ZelPropertiesFile& properties;
    ZelConditionSetFile& sets;
    ZelConditionFile& conditions;
    ZelRestyleFile& values;
};

// Each file with its keys and its record's fields, in the binders' order.
void bindRestyleDataFiles(ZelStylemanagerClass& manager, const RestyleDataFiles& files);
