// The condition-set, condition and restyle files made empty in a folder of
// the test's own, opened, and bound to a restyle base object with a user and
// a current profile, as the style manager binds them.
#pragma once

#include "restyle/ZelConditionFile.h"
#include "restyle/ZelConditionSetFile.h"
#include "restyle/ZelRestyleBaseClass.h"
#include "restyle/ZelRestyleFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

class RestyleFilesFixture : public ::testing::Test {
protected:
    RestyleFilesFixture();
    void TearDown() override;

    // Adds a condition set.
    void addSet(platform::Long id, std::string_view user, std::string_view profile, std::string_view procedure,
                std::string_view group, std::string_view name);
    void addCondition(platform::Long setId, platform::Long conditionalId);
    // The restyle rows as "set property/parameter=value", in key order.
    std::vector<std::string> restyleRows();
    std::vector<platform::Long> setIds();

    TempFolder folder;
    ZelConditionSetFile conditionSets{folder.file("ZelConditionalSet")};
    ZelConditionFile conditions{folder.file("ZelConditional")};
    ZelRestyleFile restyle{folder.file("ZelRestyle")};
    platform::String<255> userName{"Piet"};
    platform::CString<256> currentProfile{"Work"};
    ZelRestyleBaseClass base;
};
