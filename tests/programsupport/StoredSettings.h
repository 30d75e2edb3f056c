// Restyle settings stored in the style manager's data files as the editors
// store them: the condition set of the group (made, with its conditions,
// when the group lacks it), the setting's three rows, and the property
// file's row that offers the property for the control type.
#pragma once

#include "platform/text/Text.h"
#include "restyle/RestyleRows.h"

#include <string>
#include <vector>

class ZelStylemanagerClass;

struct StoredCondition {
    platform::Long property = 0;  // 0: a connective, "AND" or "OR"
    std::string op;
    std::string value;
    platform::Byte manualValue = 0;
};

struct StoredSetting {
    std::string procedure{restyle::kGlobalSettings};  // or the procedure's name
    std::string group;                                 // restyle::controlTypeGroup(9), restyle::controlGroup("?OK")
    platform::Long controlType = 0;                    // whose property file's row offers the property
    platform::Long property = 0;
    std::string value;
    platform::Byte enabled = 1;
    platform::Byte clarionValue = 0;
    std::string set{restyle::kUnconditional};
    std::vector<StoredCondition> conditions;
};

// The set's number.
platform::Long storeSetting(ZelStylemanagerClass& manager, const StoredSetting& setting);

// "Control position and size" for x, y, width and height: each (used, amount,
// mode) as the position editor lays the bytes out.
struct StoredPosition {
    bool used = false;
    platform::Short amount = 0;
    platform::Byte mode = 0;
};
std::string positionValue(StoredPosition x, StoredPosition y, StoredPosition width, StoredPosition height);
